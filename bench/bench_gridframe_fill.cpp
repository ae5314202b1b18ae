// Filling a list window's grid from a recordset of 100,000 voucher lines, 7 columns, as
// the list windows do. Run by hand: ./build/bench_gridframe_fill [rows] [runs]
#include "db/mdlstandard.h"
#include "gridwin/gridframe.h"
#include "peakmemory.h"
#include "testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
GridFrameConfig voucherLines()
{
    using K = GridColumn::Kind;
    GridFrameConfig c;
    c.name = QStringLiteral("bench");
    c.columns = {{QStringLiteral("序号"), 420},
                 {QStringLiteral("日期"), 1100, false, QStringLiteral("rq"), K::Text},
                 {QStringLiteral("凭证号"), 800, false, QStringLiteral("pz_no"), K::Text},
                 {QStringLiteral("科目"), 2400, false, QStringLiteral("km_name"), K::Text},
                 {QStringLiteral("借方"), 1400, false, QStringLiteral("jfje"), K::Amount},
                 {QStringLiteral("贷方"), 1400, false, QStringLiteral("dfje"), K::Amount},
                 {QStringLiteral("摘要"), 2000, false, QStringLiteral("bz"), K::Text}};
    c.toolbar = GridFrameConfig::recordToolbar(QStringLiteral("凭证"));
    c.dispatchOrder = GridFrameConfig::recordDispatchOrder();
    return c;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    testsupport::TestDb db;
    {
        mdlStandard::Transaction work;
        for (int i = 0; i < rows; ++i) {
            mdlStandard::runsql("insert into pzk (rq, pz_no, km_no, km_name, kjqj, jfje, dfje, bz) "
                                "values ('2026-01-15', ?, '1001', '库存现金', '2026年01月', ?, ?, '摘要')",
                                {i / 4 + 1, i % 2 ? 0 : 12345 + i, i % 2 ? 12345 + i : 0});
        }
        work.commit();
    }
    std::vector<double> queryMs, fillMs;
    for (int run = 0; run < runs; ++run) {
        GridFrame window(voucherLines());
        QElapsedTimer t;
        t.start();
        auto rs = mdlStandard::runsql("select * from pzk order by pz_no");
        queryMs.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        window.fillgrid(rs);
        fillMs.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(queryMs.begin(), queryMs.end());
    std::sort(fillMs.begin(), fillMs.end());
    std::printf("%d rows x 7 columns: query median %.0f ms, fillgrid median %.0f ms, peak RSS %ld MB\n", rows,
                queryMs[queryMs.size() / 2], fillMs[fillMs.size() / 2], peakRssKb() / 1024);
    return 0;
}
