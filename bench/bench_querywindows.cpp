// Opening the voucher query-and-edit window on a large current period, and a detail
// query on a large closed period followed by an account search: time and peak memory,
// the median of several runs. Run by hand:
//   QT_QPA_PLATFORM=offscreen ./build/bench_querywindows [vouchers] [runs]   (100000 two-line vouchers, 5 runs)
#include "benchsupport.h"
#include "queries/voucherlinequery.h"
#include "testsupport.h"
#include "vouchers/frmpzcx.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

struct Sample {
    double ms = 0;
    double peakMb = 0;
};

// Starts the peak count afresh, so each run's peak is its own: what the run before freed
// goes back to the system first.
void resetPeak()
{
    malloc_trim(0);
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

Sample timed(const std::function<void()> &step)
{
    resetPeak();
    QElapsedTimer timer;
    timer.start();
    step();
    return {timer.nsecsElapsed() / 1e6, bench::peakRssKb() / 1024.0};
}

void report(const char *what, std::vector<Sample> samples)
{
    const auto median = [&](auto field) {
        std::vector<double> v;
        for (const Sample &s : samples)
            v.push_back(s.*field);
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("%-44s median %8.1f ms   peak %6.1f MB   (%zu runs)\n", what, median(&Sample::ms),
                median(&Sample::peakMb), samples.size());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int vouchers = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    testsupport::TestDb db;
    db.run(QStringLiteral("update dqkjqj set kjqj = '2004年06月'"));
    // Each voucher: a debit line and a credit line of the same amount.
    const QString fill = QStringLiteral(
        "with recursive n(i) as (select 0 union all select i + 1 from n where i < ? * 2 - 1) "
        "insert into %1 (rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje, bz) "
        "select '2004-' || ? || '-' || printf('%02d', 1 + (i / 2) % 28), 1 + i / 2, printf('%d', 1001 + i % 60), "
        "'ZJF' || (i % 60), '科目名称' || (i % 60), ?, case when i % 2 = 0 then 100 + i else 0 end, "
        "case when i % 2 = 1 then 99 + i else 0 end, ? from n");
    const auto into = [&](const char *table) {
        return QString(fill).replace(QStringLiteral("%1"), QLatin1String(table));
    };
    const QString closedRemark = QStringLiteral("已结转");
    db.run(into("pzk"), {vouchers, QStringLiteral("06"), QStringLiteral("2004年06月"), QVariant()});
    db.run(into("pzkls"), {vouchers, QStringLiteral("05"), QStringLiteral("2004年05月"), closedRemark});
    db.run(into("pzkls"), {vouchers / 10, QStringLiteral("04"), QStringLiteral("2004年04月"), closedRemark});
    // The set-up's page cache is not the windows' to pay for.
    mdlStandard::closeDatabase();
    std::printf("books: %d lines in the current period, %d + %d in closed periods; process before: %.1f MB\n",
                vouchers * 2, vouchers * 2, vouchers / 5, bench::peakRssKb() / 1024.0);

    std::vector<Sample> edit, closedOpen, narrowed, byNumber;
    for (int i = 0; i < runs; ++i) {
        std::unique_ptr<frmpzcx> w;
        edit.push_back(timed([&] { w = std::make_unique<frmpzcx>(); }));
        w.reset();
        mdlStandard::sharedrs.reset();
        std::unique_ptr<VoucherLineQuery> q;
        closedOpen.push_back(timed([&] { q = std::make_unique<VoucherLineQuery>(queries::frmakjkmlscx()); }));
        narrowed.push_back(timed([&] {
            q->Textjs()->setText(QStringLiteral("科目名称17"));
            QTest::keyClick(q->Textjs(), Qt::Key_Return);
        }));
        if (q->dataRows() < 2)
            std::fprintf(stderr, "the search found nothing\n");
        q.reset();
        mdlStandard::sharedrs.reset();
        byNumber.push_back(timed([&] { q = std::make_unique<VoucherLineQuery>(queries::frmapzbhlscx()); }));
        // Each run opens its windows as a freshly started program would.
        q.reset();
        mdlStandard::sharedrs.reset();
    }
    report("frmpzcx: open on the current period", edit);
    report("frmakjkmlscx: open on the newest closed period", closedOpen);
    report("frmakjkmlscx: account search", narrowed);
    report("frmapzbhlscx: open (with its number list)", byNumber);
    return 0;
}
