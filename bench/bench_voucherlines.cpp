// Reading the voucher lines of one large closed period from the encrypted books: all of
// them, and those of an account search, with the time taken and the memory held.
// Run by hand: ./build/bench_voucherlines [lines]   (default 200000)
#include "queries/voucherlines.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

namespace {

// Resident and peak resident memory of this process, in MB.
struct Memory {
    double rss = 0, peak = 0;
};

Memory memoryNow()
{
    QFile status(QStringLiteral("/proc/self/status"));
    Memory m;
    if (!status.open(QIODevice::ReadOnly))
        return m;
    for (const QByteArray &line : status.readAll().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() >= 2 && parts[0] == "VmRSS:")
            m.rss = parts[1].toDouble() / 1024;
        if (parts.size() >= 2 && parts[0] == "VmHWM:")
            m.peak = parts[1].toDouble() / 1024;
    }
    return m;
}

// Starts the peak count afresh, so each read's peak is its own.
void resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

bool measure(const char *what, const queries::LineScope &scope, const queries::LineFilter &filter)
{
    resetPeak();
    QElapsedTimer timer;
    timer.start();
    QString error;
    const RecordsetPtr rows = queries::readVoucherLines(scope, filter, &error);
    const double ms = timer.nsecsElapsed() / 1e6;
    const Memory after = memoryNow();
    if (!rows) {
        std::fprintf(stderr, "%s failed: %s\n", what, qPrintable(error));
        return false;
    }
    std::printf("%-30s %7d lines %8.1f ms   process: %6.1f MB, peak %6.1f MB\n", what, rows->recordCount(), ms,
                after.rss, after.peak);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int lines = argc > 1 ? std::max(1, atoi(argv[1])) : 200000;
    testsupport::TestDb db;

    // The period in question, with a smaller neighbour so that the period filter has work.
    const QString fill =
        QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < ?) "
                       "insert into pzkls (rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje, bz) "
                       "select '2004-05-' || printf('%02d', 1 + i % 28), 1 + i / 4, printf('%d', 1001 + i % 60), "
                       "'ZJF' || (i % 60), '科目名称' || (i % 60), ?, case when i % 2 = 0 then i * 7 else 0 end, "
                       "case when i % 2 = 1 then (i - 1) * 7 else 0 end, '已结转' from n");
    QElapsedTimer setup;
    setup.start();
    db.run(fill, {lines, QStringLiteral("2004年05月")});
    db.run(fill, {lines / 10, QStringLiteral("2004年04月")});
    std::printf("set-up: %d + %d lines written in %.0f ms\n", lines, lines / 10, setup.nsecsElapsed() / 1e6);

    // Opening and keying the file is paid once per run of the program, not per read.
    mdlStandard::closeDatabase();
    QElapsedTimer open;
    open.start();
    db.run(QStringLiteral("select count(*) from dwmc"));
    std::printf("opening and keying the file: %.0f ms; process now %.1f MB\n", open.nsecsElapsed() / 1e6,
                memoryNow().rss);

    const auto may = queries::LineScope::closed(QStringLiteral("2004年05月"));
    bool ok = measure("all lines of the period", may, queries::LineFilter::all());
    ok = measure("account search '科目名称17'", may, queries::LineFilter::account(QStringLiteral("科目名称17"))) && ok;
    ok = measure("account search by code '1017'", may, queries::LineFilter::account(QStringLiteral("1017"))) && ok;
    ok = measure("one voucher number", may, queries::LineFilter::voucher(QStringLiteral("777"))) && ok;

    QElapsedTimer lists;
    lists.start();
    QString error;
    const auto periods = queries::closedPeriods(&error);
    const auto numbers = queries::voucherNumbers(may, &error);
    std::printf("closed periods (%lld) and voucher numbers (%lld): %.1f ms\n",
                periods ? qlonglong(periods->size()) : -1LL, numbers ? qlonglong(numbers->size()) : -1LL,
                lists.nsecsElapsed() / 1e6);
    return ok && periods && numbers ? 0 : 1;
}
