// Cost of a one-row select through runsql, the road every window takes to the books.
// Run by hand: ./build/bench_runsql [iterations]
#include "db/mdlstandard.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int iterations = argc > 1 ? std::max(1, atoi(argv[1])) : 20000;
    testsupport::TestDb db;

    QElapsedTimer first;
    first.start();
    QString status;
    if (!mdlStandard::runsql("select * from czy where czyno=?", status, {"759"})) {
        std::fprintf(stderr, "select failed: %s\n", qPrintable(status));
        return 1;
    }
    const double firstMs = first.nsecsElapsed() / 1e6;

    std::vector<qint64> nanos;
    nanos.reserve(iterations);
    for (int i = 0; i < iterations; ++i) {
        QElapsedTimer t;
        t.start();
        auto rs = mdlStandard::runsql("select * from czy where czyno=?", status, {"759"});
        nanos.push_back(t.nsecsElapsed());
        if (!rs || rs->recordCount() != 1)
            return 1;
    }
    std::sort(nanos.begin(), nanos.end());
    std::printf("first call (opens and keys the file): %.2f ms\n", firstMs);
    std::printf("one-row select through runsql over %d calls: median %.1f us, p99 %.1f us\n", iterations,
                nanos[nanos.size() / 2] / 1e3, nanos[nanos.size() * 99 / 100] / 1e3);
    return 0;
}
