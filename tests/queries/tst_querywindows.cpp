// The four detail queries, one window configured four ways: what each lists after a
// sequence of choices and searches, its totals row, its choosers, and what it prints.
#include "platform/flexgrid.h"
#include "previewseam.h"
#include "queries/voucherlinequery.h"
#include "reportpages.h"
#include "seedlines.h"
#include "testsupport.h"
#include "windowsteps.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

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

void seed(testsupport::TestDb &db, bool withLines)
{
    db.run("update dwmc set dw_name = '甲公司'");
    db.run("update dqkjqj set kjqj = ?", {QString::fromUtf8(kCurrent)});
    if (withLines)
        testsupport::writeLines(db, kLines);
}

void choose(QComboBox *box, const QString &entry)
{
    box->setCurrentIndex(box->findText(entry));
    emit box->activated(box->currentIndex());
}

// "search:T" types T and presses Enter; "period:P" and "number:N" choose an entry,
// "unread-period:P" while the closed lines cannot be read (told once);
// "typed-period:P" and "typed-number:N" type into the box and press Enter, "leave" then
// leaves it with Tab; "sql:S" is another window's statement meanwhile; "other window"
// opens (and closes) another query window; "print" prints.
void run(VoucherLineQuery &w, testsupport::TestDb &db, testsupport::MessageBoxes &boxes, const QString &step)
{
    const QString arg = step.section(':', 1);
    if (step.startsWith("unread-period:")) {
        testsupport::FailingStatements failing(testsupport::statementsOn("pzkls"));
        choose(w.periodBox(), arg);
        QCOMPARE(boxes.count(), 1);
        boxes.clear();
    } else if (step.startsWith("search:"))
        windowsteps::search(w, arg);
    else if (step.startsWith("period:"))
        choose(w.periodBox(), arg);
    else if (step.startsWith("number:"))
        choose(w.numberBox(), arg);
    else if (step.startsWith("sql:"))
        db.run(arg);
    else if (step.startsWith("typed-")) {
        QComboBox *box = step.startsWith("typed-period:") ? w.periodBox() : w.numberBox();
        box->setFocus();
        windowsteps::enter(box->lineEdit(), arg);
    } else if (step == "leave")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    else if (step == "other window")
        VoucherLineQuery other(queries::frmakjkmcx());
    else if (step == "print")
        w.printreport();
}

QStringList entries(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; box && i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// What the window shows: each listed line as "voucher:account", the totals row as
// "=debit|credit", the period a print heads as "@period", and a voucher-number window's
// numbers to choose from as "#…"; then what it printed: the preview's caption, the names,
// the debits, the totals label and sums, the company and the period.
QString shown(const VoucherLineQuery &w, const testsupport::CapturedPrints &prints)
{
    const MSFlexGrid &g = *w.MSFlexGrid1();
    QStringList out;
    for (int r = 1; r < g.rows(); ++r)
        out << (g.textMatrix(r, 1) == QStringLiteral("  合    计") ? '=' + g.textMatrix(r, 4) + '|' + g.textMatrix(r, 5)
                                                                   : g.textMatrix(r, 2) + ':' + g.textMatrix(r, 3));
    out << '@' + w.shownPeriod();
    if (w.numberBox())
        out << '#' + entries(w.numberBox()).join(',');
    for (const platform::report::ReportDocument &printed : prints.documents) {
        out << "print:" + printed.caption;
        for (const char *control : {"Text3", "Text4", "Label11", "Function1", "Function2", "Label3", "Label5"})
            out << testsupport::texts(printed.pages.first(), control).join('/');
    }
    return out.join(' ');
}

} // namespace

class tst_querywindows : public QObject {
    Q_OBJECT
private slots:
    void listsTotalsAndPrints_data();
    void listsTotalsAndPrints();
};

void tst_querywindows::listsTotalsAndPrints_data()
{
    QTest::addColumn<int>("window");    // frmakjkmcx, frmakjkmlscx, frmapzbhcx, frmapzbhlscx
    QTest::addColumn<QString>("steps"); // taken in order, ";" between them
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("books"); // false: the books hold no voucher lines
    auto row = [](const QString &tag, int window, const QString &steps, const QString &shown, bool books = true) {
        QTest::newRow(qPrintable(tag)) << window << steps << shown << books;
    };
    const QString
        june = "1:银行存款 1:短期借款 2:现金 2:短期借款 3:现金 3:现金 10:代垫\"款项5% =355.60|355.50 @2004年06月",
        code10 = "1:银行存款 2:现金 3:现金 3:现金 =355.50|5.00 @2004年06月", numbers = " #全部,1,2,3,10",
        may = "1:现金 1:短期借款 4:银行存款 =10.00|7.00 @2004年05月", april = "9:现金 =1.00|0.00 @2004年04月";
    const int kjkm = 0, kjkmls = 1, pzbh = 2, pzbhls = 3;
    row("account: load", kjkm, "", june);
    row("account: code prefix, by number and date", kjkm, "search:10", code10);
    for (const QString typed : {"\"", "'", "%", "_"})
        row("account: " + typed + " as typed", kjkm, "search:" + typed, "10:代垫\"款项5% =0.10|0.00 @2004年06月");
    row("account: blanks list all", kjkm, "search:10;search:   ", june);
    row("account: no match keeps the list", kjkm, "search:10;search:') or (1=1 --", code10);
    row("closed account: newest period", kjkmls, "", may);
    row("closed account: another period", kjkmls, "period:2004年04月", april);
    row("closed account: search within the period", kjkmls, "search:xj", "1:现金 =7.00|0.00 @2004年05月");
    row("closed account: a period choice drops the search", kjkmls, "search:xj;period:2004年05月", may);
    // A typed period is never queried, printed or left standing for the period listed.
    row("closed account: a typed period, then a search", kjkmls, "typed-period:2004年04月;search: ", may);
    row("closed account: a typed quote, then a search", kjkmls, "typed-period:';search:xj",
        "1:现金 =7.00|0.00 @2004年05月");
    row("closed account: a typed period left", kjkmls, "typed-period:2099年01月;leave", may);
    row("number: load", pzbh, "", june + numbers);
    row("number: shared by two vouchers", pzbh, "number:3", "3:现金 3:现金 =5.00|5.00 @2004年06月" + numbers);
    row("number: all again", pzbh, "number:3;number:全部", june + numbers);
    row("number: deleted meanwhile", pzbh, "sql:delete from pzk where pz_no = 3;number:3", "@2004年06月" + numbers);
    row("closed number: one voucher", pzbhls, "number:4", "4:银行存款 =3.00|0.00 @2004年05月 #全部,1,4");
    row("closed number: the list follows the period", pzbhls, "period:2004年04月;number:9", april + " #全部,9");
    row("closed number: a number after a typed period", pzbhls, "typed-period:2099年01月;number:1",
        "1:现金 1:短期借款 =7.00|7.00 @2004年05月 #全部,1,4");
    row("closed number: a number after an unread period", pzbhls, "unread-period:2004年04月;number:1",
        "1:现金 1:短期借款 =7.00|7.00 @2004年05月 #全部,1,4");
    row("closed number: a typed number left", pzbhls, "number:4;typed-number:99;leave",
        "4:银行存款 =3.00|0.00 @2004年05月 #全部,1,4");
    // Another window's query meanwhile does not change what this window prints.
    row("closed number: its own print", pzbhls, "number:1;other window;print",
        "1:现金 1:短期借款 =7.00|7.00 @2004年05月 #全部,1,4 print:会计凭证明细表 现金/短期借款 7.00/0.00 合" +
            QString(21, ' ') + "计 7.00 7.00 甲公司 2004年05月");
    // Nothing listed, nothing to choose, and neither a search nor 全部 finds anything.
    row("account: empty books", kjkm, "search:", "@2004年06月", false);
    row("closed account: empty books", kjkmls, "search:", "@", false);
    row("number: empty books", pzbh, "number:全部", "@2004年06月 #全部", false);
    row("closed number: empty books", pzbhls, "number:全部", "@ #全部", false);
}

void tst_querywindows::listsTotalsAndPrints()
{
    QFETCH(int, window);
    QFETCH(QString, steps);
    QFETCH(bool, books);
    testsupport::TestDb db;
    seed(db, books);
    testsupport::MessageBoxes boxes;
    testsupport::CapturedPrints prints;
    const VoucherQueryConfig configs[] = {queries::frmakjkmcx(), queries::frmakjkmlscx(), queries::frmapzbhcx(),
                                          queries::frmapzbhlscx()};
    VoucherLineQuery w(configs[window]);
    w.show();
    QApplication::setActiveWindow(&w);
    QCOMPARE(entries(w.periodBox()),
             (books && w.periodBox() ? QStringList{"2004年05月", "2004年04月"} : QStringList()));
    if (!books && w.numberBox())
        QCOMPARE(w.numberBox()->currentText(), QString()); // no number is chosen among none
    for (const QString &step : steps.split(';', Qt::SkipEmptyParts))
        run(w, db, boxes, step);
    QCOMPARE(boxes.count(), 0);
    QTEST(shown(w, prints), "shown");
    // A box not being typed into shows the entry chosen, the period box the period listed.
    for (QComboBox *box : {w.periodBox(), w.numberBox()}) {
        if (box && !box->hasFocus())
            QCOMPARE(box->currentText(), box->itemText(box->currentIndex()));
    }
    if (w.periodBox())
        QCOMPARE(w.periodBox()->itemText(w.periodBox()->currentIndex()), w.shownPeriod());
    // First and last follow back and next.
    QCOMPARE((QList<bool>{w.isButtonEnabled("button_back"), w.isButtonEnabled("button_next"),
                          w.isButtonEnabled("button_print")}),
             (QList<bool>{false, w.dataRows() > 0, true}));
}

QTEST_MAIN(tst_querywindows)
#include "tst_querywindows.moc"
