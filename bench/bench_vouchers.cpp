// The voucher windows' heavy moments: listing the period's lines for correction (read,
// identities, grid fill) and storing a voucher of many lines.
// Run by hand: ./build/bench_vouchers [vouchers] [runs]   (two lines per voucher)
#include "benchsupport.h"
#include "db/mdlstandard.h"
#include "testsupport.h"
#include "vouchers/periodlines.h"
#include "vouchers/voucherstore.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void seed(int vouchers)
{
    mdlStandard::Transaction work;
    mdlStandard::runsql("update dqkjqj set kjqj='2026年01月'");
    for (int a = 0; a < 100; ++a)
        mdlStandard::runsql("insert into kmdmk (km_no, km_zjf, km_name) values (?, 'KM', ?)",
                            {QString::number(1000 + a), QStringLiteral("科目%1").arg(a)});
    for (int v = 1; v <= vouchers; ++v) {
        for (int side = 0; side < 2; ++side)
            mdlStandard::runsql("insert into pzk (rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje) "
                                "values ('2026-01-15', ?, ?, 'KM', '科目', '2026年01月', ?, ?)",
                                {v, QString::number(1000 + v % 100), side ? 0 : v, side ? v : 0});
    }
    work.commit();
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int vouchers = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    testsupport::TestDb db;
    seed(vouchers);
    const long seededKb = bench::peakRssKb();

    std::vector<double> readMs, fillMs;
    long readPeakKb = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        QString error;
        auto rs = vouchers::readPeriodLines(&error);
        const auto refs = vouchers::lineRefsOf(*rs, &error);
        readMs.push_back(t.nsecsElapsed() / 1e6);
        // Later runs start after a fill, whose memory would count as the read's.
        if (run == 0)
            readPeakKb = bench::peakRssKb();
        GridFrame window(bench::voucherLineGrid());
        t.restart();
        window.fillgrid(rs);
        fillMs.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("listing %d lines: read + identities median %.0f ms, grid fill median %.0f ms; peak RSS %ld MB "
                "seeded, %ld MB after the read, %ld MB after the fill\n",
                2 * vouchers, median(readMs), median(fillMs), seededKb / 1024, readPeakKb / 1024,
                bench::peakRssKb() / 1024);

    vouchers::VoucherDraft draft{QDate(2026, 1, 20), QStringLiteral("900001"), {}};
    for (int i = 0; i < 50; ++i)
        draft.lines.push_back({QString::number(1000 + i), QStringLiteral("KM"), QStringLiteral("科目%1").arg(i),
                               i % 2 ? "" : "12.34", i % 2 ? "12.34" : ""});
    std::vector<double> saveMs;
    for (int run = 0; run < std::max(runs, 20); ++run) {
        std::optional<vouchers::SaveRefusal> refusal;
        QString error;
        QElapsedTimer t;
        t.start();
        if (!vouchers::saveVoucher(draft, &refusal, &error)) {
            std::printf("save failed: %s\n", qPrintable(refusal ? refusal->text : error));
            return 1;
        }
        saveMs.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("saving a voucher of 50 lines: median %.1f ms, slowest %.1f ms\n", median(saveMs),
                *std::max_element(saveMs.begin(), saveMs.end()));
    return 0;
}
