// The four detail queries, one window configured four ways: what each lists after a
// sequence of choices and searches, its totals row, its choosers, and what it prints.
#include "platform/flexgrid.h"
#include "platform/report/reportlayout.h"
#include "queries/voucherlinequery.h"
#include "reportpages.h"
#include "reports/printreport.h"
#include "seedlines.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

using testsupport::MessageBoxes;
using testsupport::TestDb;

namespace {

const char *const kCurrent = "2004年06月";

// Voucher 3 of June was entered as two vouchers under one number.
const testsupport::SeedLine kLines[] = {
    {"pzk", kCurrent, 2, "2004-06-03", "1001", "XJ", "现金", 10000, 0},
    {"pzk", kCurrent, 1, "2004-06-05", "1002", "YHCK", "银行存款", 25050, 0},
    {"pzk", kCurrent, 1, "2004-06-05", "2001", "DQJK", "短期借款", 0, 25050},
    {"pzk", kCurrent, 10, "2004-06-02", "1231", "DD_'", "代垫\"款项5%", 10, 0},
    {"pzk", kCurrent, 2, "2004-06-03", "2001", "DQJK", "短期借款", 0, 10000},
    {"pzk", kCurrent, 3, "2004-06-20", "1001", "XJ", "现金", 0, 500},
    {"pzk", kCurrent, 3, "2004-06-07", "1001", "XJ", "现金", 500, 0},
    {"pzkls", "2004年05月", 4, "2004-05-09", "1002", "YHCK", "银行存款", 300, 0},
    {"pzkls", "2004年05月", 1, "2004-05-02", "1001", "XJ", "现金", 700, 0},
    {"pzkls", "2004年05月", 1, "2004-05-02", "2001", "DQJK", "短期借款", 0, 700},
    {"pzkls", "2004年04月", 9, "2004-04-01", "1001", "XJ", "现金", 100, 0},
};

void seed(TestDb &db, bool withLines)
{
    db.run("update dwmc set dw_name = '甲公司'");
    db.run("update dqkjqj set kjqj = ?", {QString::fromUtf8(kCurrent)});
    if (!withLines)
        return;
    testsupport::writeLines(db, kLines);
}

VoucherQueryConfig configNamed(const QString &name)
{
    for (const VoucherQueryConfig &c :
         {queries::frmakjkmcx(), queries::frmakjkmlscx(), queries::frmapzbhcx(), queries::frmapzbhlscx()}) {
        if (c.name == name)
            return c;
    }
    return {};
}

void choose(QComboBox *box, const QString &entry)
{
    const int i = box->findText(entry);
    QVERIFY2(i >= 0, qPrintable(entry));
    box->setCurrentIndex(i);
    emit box->activated(i);
}

// "search:T" types T and presses Enter; "period:P" and "number:N" choose an entry;
// "typed-period:P" only types; "sql:S" is another window's statement meanwhile.
void run(VoucherLineQuery &w, TestDb &db, const QString &step)
{
    const QString arg = step.section(':', 1);
    if (step.startsWith("search:")) {
        w.Textjs()->setText(arg);
        QTest::keyClick(w.Textjs(), Qt::Key_Return);
    } else if (step.startsWith("period:")) {
        choose(w.periodBox(), arg);
    } else if (step.startsWith("number:")) {
        choose(w.numberBox(), arg);
    } else if (step.startsWith("typed-period:")) {
        w.periodBox()->setEditText(arg);
        QTest::keyClick(w.periodBox()->lineEdit(), Qt::Key_Return);
    } else if (step.startsWith("sql:")) {
        db.run(arg);
    }
}

// Each listed line as "voucher:account", then the totals row as "debit|credit".
QStringList shown(const VoucherLineQuery &w)
{
    const MSFlexGrid &g = *w.MSFlexGrid1();
    QStringList out;
    for (int r = 1; r < g.rows(); ++r) {
        out << (g.textMatrix(r, 1) == QStringLiteral("  合    计") ? g.textMatrix(r, 4) + '|' + g.textMatrix(r, 5)
                                                                   : g.textMatrix(r, 2) + ':' + g.textMatrix(r, 3));
    }
    return out;
}

QStringList entries(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; box && i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

} // namespace

class tst_querywindows : public QObject {
    Q_OBJECT
private slots:
    void listsAndTotals_data();
    void listsAndTotals();
    void emptyBooks_data();
    void emptyBooks();
    void reportByVoucherNumber();
};

void tst_querywindows::listsAndTotals_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("period"); // the period of the list shown: what a print heads
    const QString hostile = QStringLiteral("\"");
    const QStringList june{"1:银行存款", "1:短期借款", "2:现金",          "2:短期借款",
                           "3:现金",     "3:现金",     "10:代垫\"款项5%", "355.60|355.50"};
    const QStringList code10{"1:银行存款", "2:现金", "3:现金", "3:现金", "355.50|5.00"};
    const QStringList may{"1:现金", "1:短期借款", "4:银行存款", "10.00|7.00"};
    const QString kjkm = "frmakjkmcx", kjkmls = "frmakjkmlscx", pzbh = "frmapzbhcx", pzbhls = "frmapzbhlscx";
    QTest::newRow("account: load") << kjkm << QStringList() << june << kCurrent;
    QTest::newRow("account: code prefix, by number and date") << kjkm << QStringList{"search:10"} << code10 << kCurrent;
    QTest::newRow("account: initials and name")
        << kjkm << QStringList{"search:qj"} << QStringList{"1:短期借款", "2:短期借款", "0.00|350.50"} << kCurrent;
    QTest::newRow("account: blanks list all") << kjkm << QStringList{"search:10", "search:   "} << june << kCurrent;
    for (const char *typed : {"\"", "'", "%", "_"})
        QTest::newRow(qPrintable(QStringLiteral("account: %1 as typed").arg(QLatin1String(typed))))
            << kjkm << QStringList{QStringLiteral("search:") + QLatin1String(typed)}
            << QStringList{"10:代垫\"款项5%", "0.10|0.00"} << kCurrent;
    QTest::newRow("account: no match keeps the list")
        << kjkm << QStringList{"search:10", "search:') or (1=1 --"} << code10 << kCurrent;
    QTest::newRow("closed account: newest period") << kjkmls << QStringList() << may << "2004年05月";
    QTest::newRow("closed account: another period")
        << kjkmls << QStringList{"period:2004年04月"} << QStringList{"9:现金", "1.00|0.00"} << "2004年04月";
    QTest::newRow("closed account: search within the period")
        << kjkmls << QStringList{"search:xj"} << QStringList{"1:现金", "7.00|0.00"} << "2004年05月";
    QTest::newRow("closed account: a period choice drops the search")
        << kjkmls << QStringList{"search:xj", "period:2004年05月"} << may << "2004年05月";
    QTest::newRow("closed account: a typed period waits for the search")
        << kjkmls << QStringList{"typed-period:2004年04月", "search: "} << QStringList{"9:现金", "1.00|0.00"}
        << "2004年04月";
    QTest::newRow("closed account: a typed quote finds nothing")
        << kjkmls << QStringList{"typed-period:'", "search:xj"} << may << "2004年05月";
    QTest::newRow("number: load") << pzbh << QStringList() << june << kCurrent;
    QTest::newRow("number: shared by two vouchers")
        << pzbh << QStringList{"number:3"} << QStringList{"3:现金", "3:现金", "5.00|5.00"} << kCurrent;
    QTest::newRow("number: all again") << pzbh << QStringList{"number:3", "number:全部"} << june << kCurrent;
    QTest::newRow("number: its lines deleted meanwhile")
        << pzbh << QStringList{"sql:delete from pzk where pz_no = 3", "number:3"} << QStringList() << kCurrent;
    QTest::newRow("closed number: one voucher")
        << pzbhls << QStringList{"number:4"} << QStringList{"4:银行存款", "3.00|0.00"} << "2004年05月";
    QTest::newRow("closed number: the list follows the period")
        << pzbhls << QStringList{"period:2004年04月", "number:9"} << QStringList{"9:现金", "1.00|0.00"} << "2004年04月";
}

void tst_querywindows::listsAndTotals()
{
    QFETCH(QString, window);
    QFETCH(QStringList, steps);
    TestDb db;
    seed(db, true);
    MessageBoxes boxes;
    VoucherLineQuery w(configNamed(window));
    w.show();
    QCOMPARE(entries(w.periodBox()), w.periodBox() ? QStringList({"2004年05月", "2004年04月"}) : QStringList());
    for (const QString &step : steps)
        run(w, db, step);
    QCOMPARE(boxes.count(), 0);
    QTEST(shown(w), "rows");
    QTEST(w.shownPeriod(), "period");
    const bool listed = w.dataRows() > 0;
    QCOMPARE(w.isButtonEnabled("button_next"), listed);
    QVERIFY(w.isButtonEnabled("button_print"));
    if (w.numberBox() && w.periodBox()) {
        const QStringList numbers =
            w.shownPeriod() == QStringLiteral("2004年04月") ? QStringList{"全部", "9"} : QStringList{"全部", "1", "4"};
        QCOMPARE(entries(w.numberBox()), numbers);
    } else if (w.numberBox()) {
        QCOMPARE(entries(w.numberBox()), (QStringList{"全部", "1", "2", "3", "10"}));
    }
}

void tst_querywindows::emptyBooks_data()
{
    QTest::addColumn<QString>("window");
    for (const char *name : {"frmakjkmcx", "frmakjkmlscx", "frmapzbhcx", "frmapzbhlscx"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_querywindows::emptyBooks()
{
    QFETCH(QString, window);
    TestDb db;
    seed(db, false);
    MessageBoxes boxes;
    VoucherLineQuery w(configNamed(window));
    w.show();
    QCOMPARE(w.MSFlexGrid1()->rows(), 1);
    if (w.numberBox()) {
        QCOMPARE(entries(w.numberBox()), QStringList{"全部"});
        QCOMPARE(w.numberBox()->currentText(), QString());
        choose(w.numberBox(), QStringLiteral("全部"));
    }
    if (w.Textjs())
        run(w, db, QStringLiteral("search:"));
    QCOMPARE(w.MSFlexGrid1()->rows(), 1);
    QCOMPARE(boxes.count(), 0);
    for (const char *key : {"button_first", "button_back", "button_next", "button_last"})
        QVERIFY(!w.isButtonEnabled(key));
    QVERIFY(w.isButtonEnabled("button_print") && w.isButtonEnabled("button_exit"));
}

void tst_querywindows::reportByVoucherNumber()
{
    TestDb db;
    seed(db, true);
    QList<platform::report::ReportDocument> prints;
    reports::setPreviewHandler([&](const platform::report::Report &report, QWidget *) {
        prints << platform::report::layoutReport(report, QDate(2004, 6, 30));
    });
    VoucherLineQuery w(queries::frmapzbhlscx());
    choose(w.numberBox(), QStringLiteral("1"));
    // Another window's query meanwhile does not change what this window prints.
    VoucherLineQuery other(queries::frmakjkmcx());
    w.printreport();
    reports::setPreviewHandler({});
    QCOMPARE(prints.size(), 1);
    QCOMPARE(prints.first().caption, QStringLiteral("会计凭证明细表"));
    const auto &page = prints.first().pages.first();
    using testsupport::text;
    using testsupport::texts;
    QCOMPARE(texts(page, "Text3"), (QStringList{"现金", "短期借款"}));
    QCOMPARE(texts(page, "Text4"), (QStringList{"7.00", "0.00"}));
    QCOMPARE(text(page, "Label11"), QStringLiteral("合") + QString(21, ' ') + QStringLiteral("计"));
    QCOMPARE(text(page, "Function1") + ' ' + text(page, "Function2"), QStringLiteral("7.00 7.00"));
    QCOMPARE(text(page, "Label3") + ' ' + text(page, "Label5"), QStringLiteral("甲公司 2004年05月"));
}

QTEST_MAIN(tst_querywindows)
#include "tst_querywindows.moc"
