// The list-window frame and in-grid editing, on the operators window as a person uses it.
#include "admin/frmczy.h"
#include "bookstestcase.h"
#include "gridwin/ingrideditor.h"
#include "platform/flexgrid.h"
#include "platform/twips.h"
#include "windowsteps.h"

using testsupport::TestDb;
using windowsteps::click;

namespace {
// The administrator "759" sorts after "1000".. as text, so it is the last row.
void addOperators(TestDb &db, int count)
{
    for (int i = 0; i < count - 1; ++i)
        db.run("insert into czy (czyno, czyname, password) values (?, ?, '1')",
               {QString::number(1000 + i), QStringLiteral("员%1").arg(i)});
}

// Which of the pairs 首/上 ("back") and 下/尾 ("next") are on.
QString movesOn(frmczy &w)
{
    const bool back = w.isButtonEnabled("button_back"), next = w.isButtonEnabled("button_next");
    return back && next ? "both" : back ? "back" : next ? "next" : "none";
}

QPoint cellCentre(MSFlexGrid *g, int row, int col)
{
    g->setRow(row);
    g->setCol(col);
    return QPoint(twips::toPixels(g->cellLeft() + g->cellWidth() / 2), twips::toPixels(g->cellTop() + 150));
}
} // namespace

class tst_gridframe : public testsupport::BooksTestCase {
    Q_OBJECT
private slots:
    void navigationPagesFifteenRows_data();
    void navigationPagesFifteenRows();
    void refillReplacesEveryRow();
    void offUnknownAndPrintKeysDoNothing();
    void editorWritesThroughAndLocksTheGrid();
    void totalsRowAddsWhatIsShown();
};

void tst_gridframe::navigationPagesFifteenRows_data()
{
    // From row `row` with `top` the first row shown, the key (or a click on the row) moves.
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("top");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("toRow");
    QTest::addColumn<int>("toTop");
    QTest::addColumn<QString>("on"); // empty: not checked
    QTest::newRow("15: last") << 15 << 1 << 1 << "button_last" << 15 << 1 << "back";
    QTest::newRow("15: next from the last wraps") << 15 << 15 << 1 << "button_next" << 1 << 1 << "";
    QTest::newRow("15: back from the first wraps") << 15 << 1 << 1 << "button_back" << 15 << 1 << "";
    QTest::newRow("16: next at the page's foot scrolls") << 16 << 15 << 1 << "button_next" << 16 << 2 << "back";
    QTest::newRow("16: back at the page's head scrolls") << 16 << 2 << 2 << "button_back" << 1 << 1 << "next";
    QTest::newRow("16: last") << 16 << 1 << 1 << "button_last" << 16 << 2 << "back";
    QTest::newRow("20: back from the first") << 20 << 1 << 1 << "button_back" << 20 << 6 << "";
    QTest::newRow("20: next below the page") << 20 << 18 << 1 << "button_next" << 1 << 1 << "";
    QTest::newRow("20: back above the page") << 20 << 3 << 5 << "button_back" << 20 << 6 << "";
    QTest::newRow("1: next") << 1 << 1 << 1 << "button_next" << 1 << 1 << "back";
    QTest::newRow("1: click") << 1 << 1 << 1 << "click" << 1 << 1 << "back";
    QTest::newRow("5: click in the middle") << 5 << 3 << 1 << "click" << 3 << 1 << "both";
    QTest::newRow("5: click on the last") << 5 << 5 << 1 << "click" << 5 << 1 << "back";
    QTest::newRow("5: click on the first") << 5 << 1 << 1 << "click" << 1 << 1 << "next";
}

void tst_gridframe::navigationPagesFifteenRows()
{
    QFETCH(int, rows);
    QFETCH(int, row);
    QFETCH(int, top);
    QFETCH(QString, key);
    QFETCH(int, toRow);
    QFETCH(int, toTop);
    QFETCH(QString, on);
    addOperators(*db_, rows);
    frmczy w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1();
    QCOMPARE(w.dataRows(), rows);
    g->setTopRow(top);
    g->setRow(row);
    if (key == "click") {
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, row, 2));
        QCOMPARE(g->col(), 0);
    } else {
        w.buttonClick(key);
    }
    QCOMPARE(g->row(), toRow);
    QCOMPARE(g->topRow(), toTop);
    if (!on.isEmpty())
        QCOMPARE(movesOn(w), on);
}

void tst_gridframe::refillReplacesEveryRow()
{
    addOperators(*db_, 30);
    frmczy w;
    w.show();
    w.movelast();
    windowsteps::search(w, "100");
    QCOMPARE(w.dataRows(), 10); // 1000 .. 1009
    db_->run("delete from czy where czyno not in ('759', '1000', '1001')");
    windowsteps::search(w, "");
    MSFlexGrid *g = w.MSFlexGrid1();
    QCOMPARE(testsupport::gridColumn(g, 0) + testsupport::gridColumn(g, 1),
             (QStringList{"1", "2", "3", "1000", "1001", "759"}));
    QCOMPARE(QList<int>({g->row(), g->topRow(), g->col(), g->fixedRows()}), QList<int>({1, 1, 0, 1}));
    QCOMPARE(movesOn(w), QStringLiteral("next"));

    // A search that finds nothing leaves grid and buttons as they were.
    windowsteps::search(w, "zz'%_");
    QCOMPARE(w.dataRows(), 3);
}

void tst_gridframe::offUnknownAndPrintKeysDoNothing()
{
    addOperators(*db_, 3);
    frmczy w;
    w.show();
    click(w, "button_back"); // off after a fill
    QCOMPARE(w.MSFlexGrid1()->row(), 1);
    w.buttonClick("button_unknown");
    w.buttonClick("BUTTON_EXIT");
    click(w, "button_print");
    QVERIFY(w.isVisible());
    QCOMPARE(boxes_->count(), 0);
    click(w, "button_exit");
    QVERIFY(!w.isVisible());
}

void tst_gridframe::editorWritesThroughAndLocksTheGrid()
{
    addOperators(*db_, 3);
    frmczy w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1();
    g->setRow(2);
    click(w, "button_edit");
    QLineEdit *text2 = w.editor()->text2();
    QVERIFY(text2->isVisible() && !g->isEnabled());
    QCOMPARE(g->col(), 2);
    QCOMPARE(text2->selectedText(), QStringLiteral("员1")); // whole text selected: typing replaces it
    QCOMPARE(text2->geometry().topLeft(),
             QPoint(g->x() + twips::toPixels(g->cellLeft()), g->y() + twips::toPixels(g->cellTop())));
    QTest::keyClick(text2, Qt::Key_A);
    QCOMPARE(g->textMatrix(2, 2), QStringLiteral("a"));
    QTest::keyClick(text2, Qt::Key_B);
    QCOMPARE(g->textMatrix(2, 2), QStringLiteral("ab"));

    // Clicks on the locked grid change nothing; Enter cycles 2, 3, 2 within the row.
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, QPoint(twips::toPixels(500), twips::toPixels(300 * 3 + 150)));
    QCOMPARE(QPoint(g->row(), g->col()), QPoint(2, 2));
    QTest::keyClick(text2, Qt::Key_Return);
    QCOMPARE(g->col(), 3);
    QTest::keyClicks(text2, "456");
    QTest::keyClick(text2, Qt::Key_Return);
    QCOMPARE(QPoint(g->row(), g->col()), QPoint(2, 2));
    QCOMPARE(text2->text(), QStringLiteral("ab"));

    // 撤消 puts the row back as it was and unlocks the grid; an appended row goes again.
    click(w, "button_cx");
    QCOMPARE(g->textMatrix(2, 2) + '|' + g->textMatrix(2, 3), QStringLiteral("员1|"));
    QVERIFY(!text2->isVisible() && g->isEnabled());
    QCOMPARE(g->col(), 0);
    g->setCol(2); // no editor follows after cancel
    QVERIFY(!text2->isVisible());
    click(w, "button_append");
    QCOMPARE(g->rows(), 5);
    click(w, "button_cx");
    QCOMPARE(g->rows(), 4);
    QCOMPARE(movesOn(w), QStringLiteral("back"));
    QCOMPARE(db_->rows("select czyname || ifnull(lxdh, '') from czy where czyno='1001'"), QStringList{"员1"});
}

void tst_gridframe::totalsRowAddsWhatIsShown()
{
    db_->run("insert into pzk (pz_no, km_name, jfje, dfje, bz) "
             "values (9, '现金', 10, 0, '  '), (10, null, 20, -5, null)");
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
    MSFlexGrid *g = w.MSFlexGrid1();
    for (int fill = 0; fill < 2; ++fill) { // a second fill leaves no trace of the first
        w.fillgrid(db_->run("select * from pzk order by pz_no"));
        QCOMPARE(g->fixedRows(), 1);
        // Numbers in numeric order; zero and Null show blank; blanks are text, kept.
        QCOMPARE(testsupport::gridRows(g),
                 (QStringList{"1|9|现金|0.10|||  ", "2|10||0.20|-0.05||", "|  合    计||0.30|-0.05|0.00|"}));
        QCOMPARE(QPoint(g->row(), g->col()), QPoint(1, 0));
    }
}

QTEST_MAIN(tst_gridframe)
#include "tst_gridframe.moc"
