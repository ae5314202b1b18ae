// The voucher query-and-edit window: correcting an amount, cancelling, deleting a line,
// lines changed elsewhere meanwhile, and what it prints.
#include "gridtext.h"
#include "gridwin/ingrideditor.h"
#include "platform/keyedtoolbar.h"
#include "previewseam.h"
#include "reportpages.h"
#include "testsupport.h"
#include "vouchers/frmpzcx.h"

#include <QLineEdit>
#include <QtTest>

using testsupport::gridRows;
using testsupport::MessageBoxes;
using testsupport::TestDb;

namespace {

const QString kNotANumber = QStringLiteral("输入内容应为数字型!");
const QString kElsewhere = QStringLiteral("该凭证分录已在别处被修改或删除，请关闭本窗口后重新打开！");
const QString kAskDelete = QStringLiteral("确定要删除该凭证吗？");
// What another window does to the second line after the listing.
const QString kDeleted = QStringLiteral("delete from pzk where rowid = 2");
const QString kCorrected = QStringLiteral("update pzk set jfje = 1 where rowid = 2");

// Two identical lines of voucher 1, then one line of voucher 2; listed in that order.
void seed(TestDb &db)
{
    db.run("update dwmc set dw_name = '甲公司'");
    db.run("update dqkjqj set kjqj = '2026年01月'");
    db.run("insert into pzk (rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje) values "
           "('2026-01-05', 1, '1001', 'XJ', '现金', '2026年01月', 50000, 0), "
           "('2026-01-05', 1, '1001', 'XJ', '现金', '2026年01月', 50000, 0), "
           "('2026-01-06', 2, '2001', 'DQJK', '短期借款', '2026年01月', 0, 100000)");
}

QStringList stored(TestDb &db) { return db.rows("select pz_no, jfje, dfje from pzk order by rowid"); }

void click(frmpzcx &w, const char *key) { w.Toolbar1()->click(QString::fromLatin1(key)); }

// Replaces the open editor's text as a person would; a null text leaves it alone.
void retype(QLineEdit *editor, const QString &text)
{
    if (text.isNull())
        return;
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    testsupport::typeText(editor, text);
}

// Opens the correction on row r, types the debit, Enter, then the credit.
QLineEdit *openCorrection(frmpzcx &w, int r, const QString &debit, const QString &credit = {})
{
    w.MSFlexGrid1()->setRow(r);
    click(w, "button_edit");
    QLineEdit *e = w.editor()->text2();
    retype(e, debit);
    QTest::keyClick(e, Qt::Key_Return);
    retype(e, credit);
    return e;
}

} // namespace

class tst_frmpzcx : public QObject {
    Q_OBJECT
private slots:
    void correct_data();
    void correct();
    void cancelRestoresBothCells();
    void deleteLine_data();
    void deleteLine();
    void printsTheRowsItShows();
};

void tst_frmpzcx::correct_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("debit");
    QTest::addColumn<QString>("credit");
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("col"); // where the cursor ends
    QTest::addColumn<QStringList>("after");
    const QString none;
    const QStringList untouched{"1|50000|0", "1|50000|0", "2|0|100000"}, saved;
    QTest::newRow("second of two identical lines")
        << 2 << "12.5" << none << none << saved << 0 << QStringList{"1|50000|0", "1|1250|0", "2|0|100000"};
    QTest::newRow("rounded to the cent") << 1 << "-0.125"
                                         << "3" << none << saved << 0
                                         << QStringList{"1|-13|300", "1|50000|0", "2|0|100000"};
    QTest::newRow("credit cleared") << 3 << none << "" << none << saved << 0
                                    << QStringList{"1|50000|0", "1|50000|0", "2|0|0"};
    QTest::newRow("nothing changed") << 1 << none << none << none << saved << 0 << untouched;
    // Enter refuses, and so does the save.
    const QStringList twice(2, kNotANumber);
    QTest::newRow("letters") << 1 << "abc" << none << none << twice << 4 << untouched;
    QTest::newRow("grouped digits") << 1 << "1,000" << none << none << twice << 4 << untouched;
    QTest::newRow("deleted elsewhere") << 2 << "9" << none << kDeleted << QStringList{kElsewhere} << 5
                                       << QStringList{"1|50000|0", "2|0|100000"};
    QTest::newRow("corrected elsewhere") << 2 << "9" << none << kCorrected << QStringList{kElsewhere} << 5
                                         << QStringList{"1|50000|0", "1|1|0", "2|0|100000"};
}

void tst_frmpzcx::correct()
{
    QFETCH(int, row);
    QFETCH(QString, debit);
    QFETCH(QString, credit);
    QFETCH(QString, meanwhile);
    QFETCH(QStringList, messages);
    TestDb db;
    seed(db);
    MessageBoxes boxes;
    frmpzcx w;
    w.show();
    if (!meanwhile.isEmpty())
        db.run(meanwhile);
    QLineEdit *e = openCorrection(w, row, debit, credit);
    const QStringList typed = gridRows(w.MSFlexGrid1());
    click(w, "button_save");
    QCOMPARE(boxes.texts(), messages);
    QTEST(stored(db), "after");
    // A refusal keeps the correction open, to be mended or cancelled; a save closes it.
    // Either way the grid keeps the texts as typed.
    const bool closed = messages.isEmpty();
    QCOMPARE((QList<bool>{!e->isVisible(), w.isButtonEnabled("button_edit"), w.MSFlexGrid1()->isEnabled()}),
             QList<bool>(3, closed));
    QTEST(w.MSFlexGrid1()->col(), "col");
    QCOMPARE(gridRows(w.MSFlexGrid1()), typed);
}

void tst_frmpzcx::cancelRestoresBothCells()
{
    TestDb db;
    seed(db);
    frmpzcx w;
    w.show();
    const QStringList listed = gridRows(w.MSFlexGrid1());
    QLineEdit *e = openCorrection(w, 3, "7", "8");
    QTest::keyClick(e, Qt::Key_Return); // back on the debit cell
    QCOMPARE(w.MSFlexGrid1()->textMatrix(3, 5), QStringLiteral("8"));
    click(w, "button_cx");
    QCOMPARE(gridRows(w.MSFlexGrid1()), listed);
    QVERIFY(!e->isVisible());
    QCOMPARE(stored(db).last(), QStringLiteral("2|0|100000"));
    // The last row: back on, forward off.
    QVERIFY(w.isButtonEnabled("button_back") && !w.isButtonEnabled("button_next"));
}

void tst_frmpzcx::deleteLine_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("one of two identical lines") << QString() << QStringList{"1|50000|0", "2|0|100000"};
    QTest::newRow("deleted elsewhere") << kDeleted << QStringList{"1|50000|0", "2|0|100000"};
    QTest::newRow("corrected elsewhere") << kCorrected << QStringList{"1|50000|0", "1|1|0", "2|0|100000"};
}

void tst_frmpzcx::deleteLine()
{
    QFETCH(QString, meanwhile);
    TestDb db;
    seed(db);
    MessageBoxes boxes;
    frmpzcx w;
    w.show();
    const QStringList listed = gridRows(w.MSFlexGrid1());
    if (!meanwhile.isEmpty())
        db.run(meanwhile);
    w.MSFlexGrid1()->setRow(2);
    boxes.answer(QMessageBox::No);
    click(w, "button_delete");
    QCOMPARE(w.dataRows(), 3);
    click(w, "button_delete"); // answered with the default, Yes
    QTEST(stored(db), "after");
    if (!meanwhile.isEmpty()) {
        QCOMPARE(boxes.texts(), (QStringList{kAskDelete, kAskDelete, kElsewhere}));
        QCOMPARE(gridRows(w.MSFlexGrid1()), listed);
        return;
    }
    QCOMPARE(boxes.texts(), QStringList(2, kAskDelete));
    QCOMPARE(gridRows(w.MSFlexGrid1()).join(' '), listed[0] + QStringLiteral(" 2|2026-01-06|2|短期借款||1000.00|"));
    // The last lines go too; an empty list still prints.
    w.MSFlexGrid1()->setRow(1);
    click(w, "button_delete");
    click(w, "button_delete");
    QCOMPARE(db.count("pzk"), 0);
    QCOMPARE(w.MSFlexGrid1()->rows(), 1);
    QVERIFY(!w.isButtonEnabled("button_edit") && !w.isButtonEnabled("button_delete"));
    QVERIFY(w.isButtonEnabled("button_print") && !w.isButtonEnabled("button_next"));
}

void tst_frmpzcx::printsTheRowsItShows()
{
    TestDb db;
    seed(db);
    MessageBoxes boxes;
    testsupport::CapturedPrints prints;
    frmpzcx w;
    w.show();
    openCorrection(w, 2, "12.5");
    click(w, "button_save");
    w.MSFlexGrid1()->setRow(1);
    click(w, "button_delete");
    click(w, "button_print");
    QCOMPARE(prints.documents.size(), 1);
    QStringList printed;
    for (const char *control : {"Text2", "Text3", "Text4", "Text5", "Function1", "Function2", "Label3", "Label5"})
        printed << testsupport::texts(prints.documents.first().pages.first(), control).join('/');
    QCOMPARE(printed.join(' '),
             QStringLiteral("1/2 现金/短期借款 12.50/0.00 0.00/1,000.00 12.50 1,000.00 甲公司 2026年01月"));
}

QTEST_MAIN(tst_frmpzcx)
#include "tst_frmpzcx.moc"
