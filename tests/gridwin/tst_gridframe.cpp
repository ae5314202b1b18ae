// The list-window frame and in-grid editing, on the operators window as a person uses it.
#include "admin/frmczy.h"
#include "gridwin/ingrideditor.h"
#include "platform/flexgrid.h"
#include "platform/keyedtoolbar.h"
#include "platform/twips.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QtTest>

using testsupport::MessageBoxes;
using testsupport::TestDb;

namespace {
void addOperators(TestDb &db, int count)
{
    // Numbers 1000.. sort after the administrator 759? No: as text "1000" < "759", so
    // the administrator is the last row.
    for (int i = 0; i < count - 1; ++i)
        db.run("insert into czy (czyno, czyname, password) values (?, ?, '1')",
               {QString::number(1000 + i), QStringLiteral("员%1").arg(i)});
}

struct Nav {
    int row, top;
    bool back, forward;
};

Nav nav(frmczy &w)
{
    return {w.MSFlexGrid1->row(), w.MSFlexGrid1->topRow(), w.isButtonEnabled("button_back"),
            w.isButtonEnabled("button_next")};
}

void click(frmczy &w, const char *key) { w.Toolbar1->click(QString::fromLatin1(key)); }

QPoint cellCentre(MSFlexGrid *g, int row, int col)
{
    g->setRow(row);
    g->setCol(col);
    return QPoint(twips::toPixels(g->cellLeft() + g->cellWidth() / 2), twips::toPixels(g->cellTop() + 150));
}
} // namespace

class tst_gridframe : public QObject {
    Q_OBJECT
private slots:
    void fifteenRowsAreNotPaged();
    void sixteenRowsArePaged();
    void twentyRowsWrapAndOffPageRows();
    void singleRow();
    void refillReplacesEveryRow();
    void mouseSelectsTheRowAndSetsNavigation();
    void unknownKeyAndPrintDoNothing();
    void editorWritesThroughAndLocksTheGrid();
    void lengthLimitsStopTypingButNeverCut();
    void totalsRowAddsWhatIsShown();
};

void tst_gridframe::fifteenRowsAreNotPaged()
{
    TestDb db;
    addOperators(db, 15);
    frmczy w;
    w.show();
    QCOMPARE(w.dataRows(), 15);
    QVERIFY(!w.isButtonEnabled("button_first") && w.isButtonEnabled("button_last"));
    click(w, "button_back"); // off after a fill: nothing happens
    QCOMPARE(nav(w).row, 1);
    w.movelast();
    QCOMPARE(nav(w).row, 15);
    QCOMPARE(nav(w).top, 1);
    w.movenext();
    QCOMPARE(nav(w).row, 1);
    QCOMPARE(nav(w).top, 1);
    w.movefirst();
    w.moveprevious();
    QCOMPARE(nav(w).row, 15);
    QCOMPARE(nav(w).top, 1);
}

void tst_gridframe::sixteenRowsArePaged()
{
    TestDb db;
    addOperators(db, 16);
    frmczy w;
    w.show();
    w.MSFlexGrid1->setRow(15);
    w.movenext();
    QCOMPARE(nav(w).row, 16);
    QCOMPARE(nav(w).top, 2);
    QVERIFY(!nav(w).forward);
    w.MSFlexGrid1->setRow(2);
    w.moveprevious();
    QCOMPARE(nav(w).row, 1);
    QCOMPARE(nav(w).top, 1);
    QVERIFY(!nav(w).back && nav(w).forward);
    w.movelast();
    QCOMPARE(nav(w).top, 2);
}

void tst_gridframe::twentyRowsWrapAndOffPageRows()
{
    TestDb db;
    addOperators(db, 20);
    frmczy w;
    w.show();
    w.movefirst();
    w.setButtonsEnabled({"button_first", "button_back"}, true);
    click(w, "button_back");
    QCOMPARE(nav(w).row, 20);
    QCOMPARE(nav(w).top, 6);
    QVERIFY(nav(w).back && nav(w).forward);

    // The current row below the page: Next goes to the first row.
    w.MSFlexGrid1->setTopRow(1);
    w.MSFlexGrid1->setRow(18);
    click(w, "button_next");
    QCOMPARE(nav(w).row, 1);
    QCOMPARE(nav(w).top, 1);
    // The current row above the page: Back goes to the last row.
    w.MSFlexGrid1->setRow(3);
    w.MSFlexGrid1->setTopRow(5);
    click(w, "button_back");
    QCOMPARE(nav(w).row, 20);
    QCOMPARE(nav(w).top, 6);
}

void tst_gridframe::singleRow()
{
    TestDb db;
    frmczy w;
    w.show();
    QCOMPARE(w.dataRows(), 1);
    QVERIFY(!nav(w).back && nav(w).forward);
    click(w, "button_next");
    QCOMPARE(nav(w).row, 1);
    QVERIFY(nav(w).back && !nav(w).forward);
    w.movefirst();
    QTest::mouseClick(w.MSFlexGrid1->viewport(), Qt::LeftButton, {}, cellCentre(w.MSFlexGrid1, 1, 2));
    QVERIFY(nav(w).back && !nav(w).forward);
}

void tst_gridframe::refillReplacesEveryRow()
{
    TestDb db;
    addOperators(db, 30);
    frmczy w;
    w.show();
    w.movelast();
    QCOMPARE(w.dataRows(), 30);
    w.Textjs->setText("100");
    QTest::keyClick(w.Textjs, Qt::Key_Return);
    QCOMPARE(w.dataRows(), 10); // 1000 .. 1009
    db.run("delete from czy where czyno not in ('759', '1000', '1001')");
    w.Textjs->clear();
    QTest::keyClick(w.Textjs, Qt::Key_Return);
    MSFlexGrid *g = w.MSFlexGrid1;
    QCOMPARE(w.dataRows(), 3);
    QCOMPARE(g->textMatrix(3, 0), QStringLiteral("3"));
    QCOMPARE(g->textMatrix(3, 1), QStringLiteral("759"));
    QCOMPARE(g->row(), 1);
    QCOMPARE(g->topRow(), 1);
    QCOMPARE(g->col(), 0);
    QCOMPARE(g->fixedRows(), 1);
    QVERIFY(!nav(w).back && nav(w).forward);

    // A search that finds nothing leaves grid and buttons as they were.
    w.Textjs->setText("zz'%_");
    QTest::keyClick(w.Textjs, Qt::Key_Return);
    QCOMPARE(w.dataRows(), 3);
}

void tst_gridframe::mouseSelectsTheRowAndSetsNavigation()
{
    TestDb db;
    addOperators(db, 5);
    frmczy w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1;
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, 3, 2));
    QCOMPARE(g->row(), 3);
    QCOMPARE(g->col(), 0);
    QVERIFY(nav(w).back && nav(w).forward);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, 5, 1));
    QVERIFY(nav(w).back && !nav(w).forward);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, 1, 1));
    QVERIFY(!nav(w).back && nav(w).forward);
}

void tst_gridframe::unknownKeyAndPrintDoNothing()
{
    TestDb db;
    MessageBoxes boxes;
    frmczy w;
    w.show();
    w.buttonClick("button_unknown");
    w.buttonClick("BUTTON_EXIT");
    click(w, "button_print");
    QVERIFY(w.isVisible());
    QCOMPARE(boxes.count(), 0);
    click(w, "button_exit");
    QVERIFY(!w.isVisible());
}

void tst_gridframe::editorWritesThroughAndLocksTheGrid()
{
    TestDb db;
    addOperators(db, 3);
    MessageBoxes boxes;
    frmczy w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1;
    g->setRow(2);
    click(w, "button_edit");
    QLineEdit *text2 = w.editor->text2;
    QVERIFY(text2->isVisible());
    QVERIFY(!g->isEnabled());
    QCOMPARE(g->col(), 2);
    QCOMPARE(text2->selectedText(), QStringLiteral("员1")); // whole text selected: typing replaces it
    QCOMPARE(text2->geometry().topLeft(),
             QPoint(g->x() + twips::toPixels(g->cellLeft()), g->y() + twips::toPixels(g->cellTop())));
    QTest::keyClick(text2, Qt::Key_A);
    QCOMPARE(g->textMatrix(2, 2), QStringLiteral("a"));
    QTest::keyClick(text2, Qt::Key_B);
    QCOMPARE(g->textMatrix(2, 2), QStringLiteral("ab"));

    // Clicks on the locked grid change nothing.
    const QPoint elsewhere = QPoint(twips::toPixels(500), twips::toPixels(300 * 3 + 150));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, elsewhere);
    QCOMPARE(g->row(), 2);
    QCOMPARE(g->col(), 2);

    // Enter cycles 2, 3, 2 within the row.
    QTest::keyClick(text2, Qt::Key_Return);
    QCOMPARE(g->col(), 3);
    QTest::keyClick(text2, Qt::Key_Return);
    QCOMPARE(g->col(), 2);
    QCOMPARE(g->row(), 2);
    QCOMPARE(text2->text(), QStringLiteral("ab"));

    click(w, "button_cx");
    QCOMPARE(g->textMatrix(2, 2), QStringLiteral("员1"));
    QVERIFY(!text2->isVisible());
    QVERIFY(g->isEnabled());
    QCOMPARE(g->col(), 0);
    g->setCol(2); // no editor follows after cancel
    QVERIFY(!text2->isVisible());
    QCOMPARE(db.scalar("select czyname from czy where czyno='1001'"), QStringLiteral("员1"));
}

void tst_gridframe::lengthLimitsStopTypingButNeverCut()
{
    TestDb db;
    db.run("insert into czy (czyno, czyname, password) values ('1', '一二三四五六七八', '1')");
    MessageBoxes boxes;
    frmczy w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1;
    g->setRow(1);
    click(w, "button_edit");
    QLineEdit *text2 = w.editor->text2;
    QCOMPARE(text2->text(), QStringLiteral("一二三四五六七八")); // longer than the limit of 6, kept whole
    QCOMPARE(g->textMatrix(1, 2), QStringLiteral("一二三四五六七八"));
    text2->end(false);
    QTest::keyClick(text2, Qt::Key_X);
    QCOMPARE(text2->text(), QStringLiteral("一二三四五六七八"));
    QTest::keyClick(text2, Qt::Key_Return); // to the telephone column: limit 20
    QTest::keyClicks(text2, "123456789012345678901234");
    QCOMPARE(g->textMatrix(1, 3), QStringLiteral("12345678901234567890"));
    click(w, "button_cx");

    click(w, "button_append");
    QLineEdit *text1 = w.editor->text1;
    QCOMPARE(g->row(), 3);
    QCOMPARE(g->textMatrix(3, 0), QStringLiteral("3"));
    QTest::keyClicks(text1, "12345678");
    QCOMPARE(g->textMatrix(3, 1), QStringLiteral("123456"));
}

void tst_gridframe::totalsRowAddsWhatIsShown()
{
    TestDb db;
    db.run("insert into pzk (pz_no, km_name, jfje, dfje, bz) values (9, '现金', 10, 0, '  '), (10, null, 20, -5, null)");
    using K = GridColumn::Kind;
    GridFrameConfig c;
    c.columns = {{"序号", 420},
                 {"凭证号", 800, false, "pz_no", K::Text},
                 {"科目", 1500, false, "km_name", K::Text},
                 {"借方", 1200, false, "jfje", K::Amount},
                 {"贷方", 1200, false, "dfje", K::Amount},
                 {"数量", 1200, false, "qcje", K::Amount},
                 {"摘要", 1200, false, "bz", K::Text}};
    c.toolbar = GridFrameConfig::recordToolbar("凭证");
    c.dispatchOrder = GridFrameConfig::recordDispatchOrder();
    c.totals = TotalsRow{"  合    计", {3, 4, 5}};
    GridFrame w(c);
    for (int fill = 0; fill < 2; ++fill) {
        w.fillgrid(db.run("select * from pzk order by pz_no"));
        MSFlexGrid *g = w.MSFlexGrid1;
        QCOMPARE(g->rows(), 4); // header, two lines, totals: a second fill leaves no trace
        QCOMPARE(g->fixedRows(), 1);
        QCOMPARE(g->textMatrix(1, 1), QStringLiteral("9")); // voucher numbers in numeric order
        QCOMPARE(g->textMatrix(1, 4), QString());           // zero shows blank
        QCOMPARE(g->textMatrix(1, 6), QStringLiteral("  ")); // blanks are text, kept
        QCOMPARE(g->textMatrix(2, 2), QString());           // Null shows blank
        QCOMPARE(g->textMatrix(2, 4), QStringLiteral("-0.05"));
        const QStringList totals = {g->textMatrix(3, 0), g->textMatrix(3, 1), g->textMatrix(3, 3),
                                    g->textMatrix(3, 4), g->textMatrix(3, 5)};
        QCOMPARE(totals, QStringList({"", "  合    计", "0.30", "-0.05", "0.00"}));
        QCOMPARE(g->row(), 1);
        QCOMPARE(g->col(), 0);
    }
}

QTEST_MAIN(tst_gridframe)
#include "tst_gridframe.moc"
