// The voucher query-and-edit window: correcting an amount, cancelling, deleting a line,
// lines changed elsewhere meanwhile, and what it prints.
#include "gridwin/ingrideditor.h"
#include "platform/flexgrid.h"
#include "previewseam.h"
#include "reportpages.h"
#include "testsupport.h"
#include "vouchers/frmpzcx.h"
#include "windowsteps.h"

#include <QLineEdit>
#include <QtTest>
#include <memory>

using testsupport::TestDb;
using windowsteps::click;

namespace {

const QString kNotANumber = QStringLiteral("输入内容应为数字型!");
const QString kTooLarge = QStringLiteral("【借方金额】数值过大，整数部分最多13位，请重新输入！");
const QString kElsewhere = QStringLiteral("该凭证分录已在别处被修改或删除，请关闭本窗口后重新打开！");
// What another window does to the second line after the listing.
const QString kDeleted = QStringLiteral("delete from pzk where rowid = 2");
const QString kCorrected = QStringLiteral("update pzk set jfje = 1 where rowid = 2");

// Opens the window on two identical lines of voucher 1, then one line of voucher 2, listed
// in that order; then another window's statement, if any, changes the books meanwhile.
std::unique_ptr<frmpzcx> open(TestDb &db, const QString &meanwhile)
{
    db.run("update dwmc set dw_name = '甲公司'");
    db.run("update dqkjqj set kjqj = '2026年01月'");
    db.run("insert into pzk (rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje) values "
           "('2026-01-05', 1, '1001', 'XJ', '现金', '2026年01月', 50000, 0), "
           "('2026-01-05', 1, '1001', 'XJ', '现金', '2026年01月', 50000, 0), "
           "('2026-01-06', 2, '2001', 'DQJK', '短期借款', '2026年01月', 0, 100000)");
    auto w = std::make_unique<frmpzcx>();
    w->show();
    if (!meanwhile.isEmpty())
        db.run(meanwhile);
    return w;
}

QStringList stored(TestDb &db) { return db.rows("select pz_no, jfje, dfje from pzk order by rowid"); }

QStringList grid(const frmpzcx &w) { return testsupport::gridRows(w.MSFlexGrid1()); }

// Opens the correction on row r, then from the debit cell on, types over each cell's
// text as a person would (typing nothing leaves it) and presses Enter.
QLineEdit *openCorrection(frmpzcx &w, int r, const QStringList &typed)
{
    w.MSFlexGrid1()->setRow(r);
    click(w, "button_edit");
    QLineEdit *e = w.editor()->text2();
    for (const QString &text : typed)
        windowsteps::enter(e, text);
    return e;
}

} // namespace

class tst_frmpzcx : public QObject {
    Q_OBJECT
private slots:
    void correct_data();
    void correct();
    void deleteLine_data();
    void deleteLine();
};

void tst_frmpzcx::correct_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("typed"); // debit, then credit
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<QString>("key"); // the toolbar key that ends the correction
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("shown"); // the row's debit and credit cells afterwards
    auto row = [](const char *tag, int r, const QStringList &typed, const QString &meanwhile,
                  const QStringList &messages, const QStringList &after, const QString &shown,
                  const char *key = "button_save") {
        QTest::newRow(tag) << r << typed << meanwhile << QString::fromLatin1(key) << messages << after << shown;
    };
    const QStringList untouched{"1|50000|0", "1|50000|0", "2|0|100000"}, none;
    const QString zero = QStringLiteral("第3行 【借方金额】与 【贷方金额】不能同时为零！\r"
                                        "如该行不需要，您可以单击选择该记录，然后删除！");
    // A save shows the amounts as stored, as the list shows them.
    row("second of two identical lines", 2, {"12.5", ""}, {}, none, {"1|50000|0", "1|1250|0", "2|0|100000"}, "12.50|");
    row("rounded to the cent", 1, {"-0.125", "3"}, {}, none, {"1|-13|300", "1|50000|0", "2|0|100000"}, "-0.13|3.00");
    row("rounded up to a whole", 1, {"999.999", ""}, {}, none, {"1|100000|0", "1|50000|0", "2|0|100000"}, "1000.00|");
    row("blank credit", 3, {"5", " "}, {}, none, {"1|50000|0", "1|50000|0", "2|500|0"}, "5.00|");
    row("nothing changed", 1, {"", ""}, {}, none, untouched, "500.00|");
    row("cancel restores both cells", 3, {"7", "8"}, {}, none, untouched, "|1000.00", "button_cx");
    // Enter refuses, and so does the save; the texts typed stay to be mended.
    row("letters", 1, {"abc", ""}, {}, QStringList(3, kNotANumber), untouched, "abc|");
    row("grouped digits", 1, {"1,000", ""}, {}, QStringList(3, kNotANumber), untouched, "1,000|");
    row("too large once rounded", 1, {"9999999999999.995", ""}, {}, QStringList(3, kTooLarge), untouched,
        "9999999999999.995|");
    row("largest", 1, {"9999999999999.994", ""}, {}, none, {"1|999999999999999|0", "1|50000|0", "2|0|100000"},
        "9999999999999.99|");
    row("zero at the cent on both sides", 3, {"0.004", "0"}, {}, {zero}, untouched, "0.004|0");
    row("deleted elsewhere", 2, {"9", ""}, kDeleted, {kElsewhere}, {"1|50000|0", "2|0|100000"}, "9|");
    row("corrected elsewhere", 2, {"9", ""}, kCorrected, {kElsewhere}, {"1|50000|0", "1|1|0", "2|0|100000"}, "9|");
}

void tst_frmpzcx::correct()
{
    QFETCH(int, row);
    QFETCH(QStringList, typed);
    QFETCH(QString, meanwhile);
    QFETCH(QString, key);
    QFETCH(QString, shown);
    TestDb db;
    testsupport::MessageBoxes boxes;
    const auto w = open(db, meanwhile);
    QStringList expected = grid(*w);
    QLineEdit *e = openCorrection(*w, row, typed);
    for (int i = 0; i < 2; ++i) // the grid shows the texts as typed
        QVERIFY(typed[i].isEmpty() || w->MSFlexGrid1()->textMatrix(row, 4 + i) == typed[i]);
    click(*w, qPrintable(key));
    QTEST(boxes.texts(), "messages");
    QTEST(stored(db), "after");
    QString &line = expected[row - 1];
    line = line.section('|', 0, 3) + '|' + shown + '|' + line.section('|', 6);
    QCOMPARE(grid(*w), expected);
    // A refusal keeps the correction open on the debit, to be mended or cancelled.
    const bool closed = boxes.texts().isEmpty();
    QCOMPARE((QList<bool>{!e->isVisible(), w->isButtonEnabled("button_edit"), w->MSFlexGrid1()->isEnabled(),
                          w->isButtonEnabled("button_back"), w->isButtonEnabled("button_next")}),
             (QList<bool>{closed, closed, closed, closed && row > 1, closed && row < 3}));
    QCOMPARE(w->MSFlexGrid1()->col(), closed ? 0 : 4);
}

void tst_frmpzcx::deleteLine_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("after");
    const QStringList asked(2, QStringLiteral("确定要删除该凭证吗？")), refused = asked + QStringList{kElsewhere};
    QTest::newRow("one of two identical lines") << QString() << asked << QStringList{"1|50000|0", "2|0|100000"};
    QTest::newRow("deleted elsewhere") << kDeleted << refused << QStringList{"1|50000|0", "2|0|100000"};
    QTest::newRow("corrected elsewhere") << kCorrected << refused << QStringList{"1|50000|0", "1|1|0", "2|0|100000"};
}

void tst_frmpzcx::deleteLine()
{
    QFETCH(QString, meanwhile);
    TestDb db;
    testsupport::MessageBoxes boxes;
    testsupport::CapturedPrints prints;
    const auto w = open(db, meanwhile);
    const QStringList listed = grid(*w);
    w->MSFlexGrid1()->setRow(2);
    boxes.answer(QMessageBox::No);
    click(*w, "button_delete");
    click(*w, "button_delete"); // answered with the default, Yes
    QTEST(boxes.texts(), "messages");
    QTEST(stored(db), "after");
    QCOMPARE(grid(*w), (meanwhile.isEmpty() ? QStringList{listed[0], "2|2026-01-06|2|短期借款||1000.00|"} : listed));
    if (!meanwhile.isEmpty())
        return;
    // A print shows the lines as listed now, amounts as corrected, with the company and period.
    openCorrection(*w, 1, {"12.5"});
    click(*w, "button_save");
    click(*w, "button_print");
    QCOMPARE(prints.documents.size(), 1);
    QStringList printed;
    for (const char *control : {"Text2", "Text3", "Text4", "Text5", "Function1", "Function2", "Label3", "Label5"})
        printed << testsupport::texts(prints.documents.first().pages.first(), control).join('/');
    QCOMPARE(printed.join(' '), "1/2 现金/短期借款 12.50/0.00 0.00/1,000.00 12.50 1,000.00 甲公司 2026年01月");
    // The last lines go too; an empty list still prints.
    w->MSFlexGrid1()->setRow(1);
    click(*w, "button_delete");
    click(*w, "button_delete");
    QCOMPARE(stored(db) + grid(*w), QStringList()); // nothing stored, nothing listed
    QVERIFY(!w->isButtonEnabled("button_edit") && !w->isButtonEnabled("button_delete"));
    QVERIFY(w->isButtonEnabled("button_print") && !w->isButtonEnabled("button_next"));
}

QTEST_MAIN(tst_frmpzcx)
#include "tst_frmpzcx.moc"
