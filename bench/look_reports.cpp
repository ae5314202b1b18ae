// Writes each voucher, balance and summary report over sample rows to a PDF, to look
// at the printout as a user would (pdftoppm turns a page into a PNG):
//   ./look_reports out-dir [rows]
#include "reports/drtkjpz.h"
#include "reports/drtkjpzabh.h"
#include "reports/drtpzhz.h"
#include "reports/drtpzhzls.h"
#include "reports/drtssph.h"

#include "platform/report/reportlayout.h"
#include "platform/report/reportpaint.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const int count = argc > 2 ? std::max(1, atoi(argv[2])) : 30;
    QDir().mkpath(dir);

    testsupport::TestDb db;
    const QString names[] = {QStringLiteral("现金"), QStringLiteral("银行存款"), QStringLiteral("应收账款"),
                             QStringLiteral("主营业务收入")};
    for (int i = 0; i < count; ++i) {
        const QVariantList account{QString::number(101 + i % 4), QStringLiteral("ZJF"), names[i % 4]};
        db.run(QStringLiteral("insert into pzk (rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje) "
                              "values ('2004-01-05', ?, ?, ?, ?, '2004年01月', ?, ?)"),
               QVariantList{i / 2 + 1} + account + QVariantList{i % 2 ? 0 : (i + 1) * 123457, i % 2 ? i * 123457 : 0});
    }
    db.run(QStringLiteral("insert into pzhzk (kjqj, pz_no, km_no, km_zjf, km_name, jfje, dfje) "
                          "select kjqj, pz_no, km_no, km_zjf, km_name, jfje, dfje from pzk"));
    db.run(QStringLiteral("insert into pzhzkls (km_no, km_zjf, km_name, kjqj, jfje, dfje, qmje) "
                          "select km_no, km_zjf, km_name, kjqj, sum(jfje), sum(dfje), sum(jfje - dfje) "
                          "from pzk group by km_no, km_name"));

    using Print = void (*)(const RecordsetPtr &, const QString &, const QString &, QWidget *);
    const struct {
        const char *file;
        Print print;
        const char *listing;
    } reportsToWrite[] = {
        {"drtkjpz", &reports::printVoucherDetail, "select * from pzk order by pz_no"},
        {"drtkjpzabh", &reports::printVoucherDetailByNumber, "select * from pzk order by pz_no"},
        {"drtssph", &reports::printBalanceCheck,
         "select pz_no, sum(jfje) as jfhj, sum(dfje) as dfhj from pzk group by pz_no order by pz_no"},
        {"drtpzhz", &reports::printVoucherSummary,
         "select km_no, km_name, sum(qcje) as qchj, sum(jfje) as jfhj, sum(dfje) as dfhj, "
         "sum(qcje + jfje - dfje) as qmhj from pzhzk group by km_no, km_name"},
        {"drtpzhzls", &reports::printSummaryHistory, "select * from pzhzkls order by km_no"},
    };
    int failures = 0;
    for (const auto &r : reportsToWrite) {
        const QString path = QDir(dir).filePath(QLatin1String(r.file) + QStringLiteral(".pdf"));
        reports::setPreviewHandler([&](const platform::report::Report &report, QWidget *) {
            QString error;
            if (!platform::report::writeReportPdf(platform::report::layoutReport(report), path, &error)) {
                std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
                ++failures;
            }
        });
        r.print(mdlStandard::runsql(QLatin1String(r.listing)), QStringLiteral("澄川商贸有限公司"),
                QStringLiteral("2004年01月"), nullptr);
        std::printf("%s\n", qPrintable(path));
    }
    reports::setPreviewHandler({});
    return failures;
}
