// The voucher list, balance check and summary reports over rows read from the books:
// their texts, fonts, exact totals, empty lists and pages.
#include "reports/drtkjpz.h"
#include "reports/drtkjpzabh.h"
#include "reports/drtpzhz.h"
#include "reports/drtpzhzls.h"
#include "reports/drtssph.h"

#include "platform/report/reportlayout.h"
#include "previewseam.h"
#include "reportpages.h"
#include "testsupport.h"

#include <QtTest>

using namespace platform::report;
using testsupport::footer;
using testsupport::numbered;
using testsupport::TestDb;
using testsupport::text;
using testsupport::texts;

namespace {

using PrintRoutine = void (*)(const platform::RecordsetPtr &, const QString &, const QString &, QWidget *);

struct LayoutCase {
    const char *name;
    PrintRoutine print;
    const char *listing; // what the printing window lists
    const char *caption;
    const char *title;
    QStringList headings;     // Label6 onwards
    const char *totalControl; // the label before the sums
    const char *totalText;
    QStringList sums;          // Function1 onwards, over the rows below
    const char *amountControl; // that of the first amount column
    QStringList firstAmounts;  // what it prints, top to bottom
};

// The voucher list by number and a closed period's summary differ from the list and the
// summary only where they are changed below.
const std::vector<LayoutCase> kCases = [] {
    std::vector<LayoutCase> cases = {
        {"voucher detail",
         &reports::printVoucherDetail,
         "select * from pzk order by pz_no, rowid",
         "打印预览窗口--会计凭证明细表",
         "会 计 凭 证 明 细 表",
         {"记帐日期", "凭证编号", "  科   目   名   称", "借  方  金  额", "贷  方  金  额"},
         "Label11",
         "合        计",
         {"1,234.80", "1,234.80"},
         "Text4",
         {"0.10", "0.00", "0.20", "0.00", "1,234.50", "0.00"}},
        {"balance check",
         &reports::printBalanceCheck,
         "select pz_no, sum(jfje) as jfhj, sum(dfje) as dfhj from pzk group by pz_no order by pz_no",
         "凭证平衡关系审核表",
         "平衡关系审核表",
         {"凭 证 编 号", "借 方 合 计", "贷 方 合 计", "平 衡 关 系 "},
         "Label10",
         "合      计",
         {"1,234.80", "1,234.80"},
         "Text2",
         {"0.10", "0.20", "1,234.50"}},
        {"summary",
         &reports::printVoucherSummary,
         "select km_no, km_name, sum(qcje) as qchj, sum(jfje) as jfhj, sum(dfje) as dfhj, "
         "sum(qcje + jfje - dfje) as qmhj from pzhzk group by km_no, km_name order by km_no",
         "凭证汇总表",
         "凭 证 汇 总 表",
         {"科目编号", "科   目   名   称", "期 初 余 额", "借 方 金 额", "贷 方 金 额", "期 末 余 额"},
         "Label12",
         "合          计",
         {"-50.00", "1,234.80", "1,234.80", "-50.00"},
         "Text3",
         {"0.00", "-50.00"}},
    };
    LayoutCase byNumber = cases[0];
    byNumber.name = "voucher detail by number";
    byNumber.print = &reports::printVoucherDetailByNumber;
    byNumber.caption = "会计凭证明细表";
    byNumber.headings[2] = "科   目   名   称";
    byNumber.totalText = "合                     计";
    LayoutCase closed = cases[2];
    closed.name = "summary of a closed period";
    closed.print = &reports::printSummaryHistory;
    closed.listing = "select * from pzhzkls where kjqj = '2004年01月' order by km_no";
    cases.push_back(byNumber);
    cases.push_back(closed);
    return cases;
}();

// Three balanced vouchers of 0.10, 0.20 and 1,234.50 between cash and a loan that
// opened at 50.00 credit; their summary of the month, current and stored.
void writeBooks(TestDb &db)
{
    const QString line = QStringLiteral("insert into pzk (rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje) "
                                        "values ('2004-01-05', ?, ?, ?, ?, '2004年01月', ?, ?)");
    const qint64 amounts[] = {10, 20, 123450};
    for (int i = 0; i < 3; ++i) {
        db.run(line, {i + 1, QStringLiteral("101"), QStringLiteral("XJ"), QStringLiteral("现金"), amounts[i], 0});
        db.run(line, {i + 1, QStringLiteral("201"), QStringLiteral("DQJK"), QStringLiteral("短期借款"), 0, amounts[i]});
    }
    db.run(QStringLiteral("insert into pzhzk (kjqj, km_no, km_zjf, km_name, qcje) "
                          "values ('2004年01月', '201', 'DQJK', '短期借款', -5000)"));
    db.run(QStringLiteral("insert into pzhzk (kjqj, pz_no, km_no, km_zjf, km_name, jfje, dfje) "
                          "select kjqj, pz_no, km_no, km_zjf, km_name, jfje, dfje from pzk"));
    db.run(QStringLiteral("insert into pzhzkls (km_no, km_zjf, km_name, kjqj, qcje, jfje, dfje, qmje, bz) "
                          "select km_no, km_zjf, km_name, kjqj, sum(qcje), sum(jfje), sum(dfje), "
                          "sum(qcje + jfje - dfje), '已结转' from pzhzk group by km_no, km_name"));
}

// Codes are the layout's own: a company named with one prints its name as it is.
const QString kCompany = QStringLiteral("澄川%p商贸%P%d");

ReportDocument print(const LayoutCase &c, const RecordsetPtr &rows)
{
    testsupport::CapturedPrints prints;
    c.print(rows, kCompany, QStringLiteral("2004年01月"), nullptr);
    return prints.documents.value(0);
}

// Bold throughout: 黑体 15 pt for the title, 宋体 10.5 pt for the company and period
// line and the page numbers, 宋体 9 pt for the table.
void checkFonts(const ReportPage &page)
{
    for (const PageItem &item : page.items) {
        if (item.kind != PageItem::Kind::Text)
            continue;
        const int label = item.control.startsWith(QLatin1String("Label")) ? item.control.mid(5).toInt() : 0;
        const bool headerLine = (label >= 2 && label <= 5) || label >= 31;
        const ReportFont expected{label == 1 ? QStringLiteral("黑体") : QStringLiteral("宋体"),
                                  label == 1   ? 15.0
                                  : headerLine ? 10.5
                                               : 9.0,
                                  true};
        QVERIFY2(item.font == expected, qPrintable(item.control));
    }
}

void addCaseRows()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(kCases.size()); ++i)
        QTest::newRow(kCases[i].name) << i;
}

} // namespace

class tst_reportlayouts : public QObject {
    Q_OBJECT
private slots:
    void printsRowsUnderTitleCompanyAndPeriod_data() { addCaseRows(); }
    void printsRowsUnderTitleCompanyAndPeriod();
    void emptyListPrintsHeadingsAndZeroTotals_data() { addCaseRows(); }
    void emptyListPrintsHeadingsAndZeroTotals();
};

void tst_reportlayouts::printsRowsUnderTitleCompanyAndPeriod()
{
    QFETCH(int, index);
    const LayoutCase &c = kCases[index];
    TestDb db;
    writeBooks(db);
    const RecordsetPtr rows = mdlStandard::runsql(QString::fromUtf8(c.listing));
    QVERIFY(rows);
    while (!rows->eof()) // a grid fill has read the window's rows to their end
        rows->moveNext();

    const ReportDocument doc = print(c, rows);
    QCOMPARE(doc.caption, QString::fromUtf8(c.caption));
    QCOMPARE(doc.pages.size(), 1);
    QVERIFY(doc.missingFields.isEmpty());
    const ReportPage &page = doc.pages.first();
    QCOMPARE(text(page, "Label1"), QString::fromUtf8(c.title));
    QCOMPARE(numbered(page, "Label", 2, 5).join(QString()), "单位名称：" + kCompany + "会计期间：2004年01月");
    QCOMPARE(numbered(page, "Label", 6, 5 + int(c.headings.size())), c.headings);
    QCOMPARE(texts(page, c.amountControl), c.firstAmounts);
    QCOMPARE(text(page, c.totalControl), QString::fromUtf8(c.totalText));
    QCOMPARE(numbered(page, "Function", 1, int(c.sums.size())), c.sums);
    QCOMPARE(footer(page), QStringLiteral("第1页，共1页"));
    checkFonts(page);
}

void tst_reportlayouts::emptyListPrintsHeadingsAndZeroTotals()
{
    QFETCH(int, index);
    const LayoutCase &c = kCases[index];
    TestDb db;
    // No recordset, a select that found nothing, a statement that returns no rows, a
    // listing closed since it was read.
    const RecordsetPtr nothingFound = mdlStandard::runsql(QString::fromUtf8(c.listing));
    writeBooks(db);
    const RecordsetPtr closed = mdlStandard::runsql(QString::fromUtf8(c.listing));
    closed->close();
    for (const RecordsetPtr &rows :
         {RecordsetPtr(), nothingFound, mdlStandard::runsql(QStringLiteral("update pzk set bz = bz")), closed}) {
        const ReportDocument doc = print(c, rows);
        QCOMPARE(doc.pages.size(), 1);
        const ReportPage &page = doc.pages.first();
        QCOMPARE(numbered(page, "Label", 6, 5 + int(c.headings.size())), c.headings);
        QVERIFY(page.findAll("Text1").isEmpty());
        QCOMPARE(numbered(page, "Function", 1, int(c.sums.size())), QStringList(c.sums.size(), QStringLiteral("0.00")));
        QCOMPARE(footer(page), QStringLiteral("第1页，共1页"));
    }
}

QTEST_MAIN(tst_reportlayouts)
#include "tst_reportlayouts.moc"
