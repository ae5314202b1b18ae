#include "platform/flexgrid.h"
#include "platform/twips.h"

#include <QScrollBar>
#include <QtTest>

#include <memory>

namespace {

// The operator list's columns: widths in twips and the pixels they come to.
const int kWidths[] = {420, 1100, 1800, 1800, 3600};
const int kPx[] = {28, 73, 120, 120, 240};
const int kRowPx = 20;
const QColor kTeal(0, 128, 128), kDarkRed(192, 0, 0), kWhite(255, 255, 255), kNavy(0, 0, 128);

void moveTo(MSFlexGrid &g, int r, int c)
{
    g.setRow(r);
    g.setCol(c);
}

// A grid of the list windows' size, set up and filled the way they do it: header
// row coloured while it is an ordinary row, one row added and made current per
// record, then the header fixed and row 1, column 0 current.
std::unique_ptr<MSFlexGrid> makeGrid(int dataRows)
{
    auto g = std::make_unique<MSFlexGrid>();
    g->resize(twips::toPixels(10455), twips::toPixels(4850));
    g->setCols(5);
    g->setFixedRows(0);
    for (int c = 0; c < 5; ++c) {
        moveTo(*g, 0, c);
        g->setCellBackColor(c == 1 || c == 2 ? kDarkRed : kTeal);
        g->setCellForeColor(kWhite);
        g->setColWidth(c, kWidths[c]);
        g->setTextMatrix(0, c, QStringLiteral("H%1").arg(c));
    }
    for (int i = 1; i <= dataRows; ++i) {
        g->setRows(g->rows() + 1);
        g->setRow(g->row() + 1);
        for (int c = 0; c < 5; ++c)
            g->setTextMatrix(g->row(), c, c == 0 ? QString::number(i) : QStringLiteral("r%1c%2").arg(i).arg(c));
    }
    if (dataRows > 0) {
        g->setFixedRows(1);
        g->setTopRow(1);
        moveTo(*g, 1, 0);
    }
    g->show();
    if (!QTest::qWaitForWindowExposed(g.get()))
        qFatal("grid not exposed");
    return g;
}

// Centre of cell (r, c) in viewport coordinates, worked out from the column
// widths above rather than asked of the grid.
QPoint centreOf(const MSFlexGrid &g, int r, int c)
{
    int x = 0;
    for (int i = 0; i < c; ++i) // columns scrolled off to the left take no room
        x += i < g.fixedCols() || i >= g.leftCol() ? kPx[i] : 0;
    const int y = r < g.fixedRows() ? r * kRowPx : (g.fixedRows() + r - g.topRow()) * kRowPx;
    return {x + kPx[c] / 2, y + kRowPx / 2};
}

// The current cell, and the far corner of the selection, as "row,col".
QString cell(const MSFlexGrid &g) { return QStringLiteral("%1,%2").arg(g.row()).arg(g.col()); }
QString selEnd(const MSFlexGrid &g) { return QStringLiteral("%1,%2").arg(g.rowSel()).arg(g.colSel()); }
// The current cell, the selection's far corner and the top row: "r,c to r,c top t".
QString place(const MSFlexGrid &g) { return cell(g) + " to " + selEnd(g) + " top " + QString::number(g.topRow()); }

// Presses each key in turn, or clicks on cell (r, c); then tells the grid's place.
QString keys(MSFlexGrid &g, const QList<Qt::Key> &keys, Qt::KeyboardModifiers modifiers = {})
{
    for (Qt::Key key : keys)
        QTest::keyClick(&g, key, modifiers);
    return place(g);
}
QString click(MSFlexGrid &g, int r, int c, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(g.viewport(), Qt::LeftButton, modifiers, centreOf(g, r, c));
    return place(g);
}

// The texts of row r, "|" between the columns.
QString rowText(const MSFlexGrid &g, int r)
{
    QStringList cells;
    for (int c = 0; c < g.cols(); ++c)
        cells << g.textMatrix(r, c);
    return cells.join('|');
}

// Records every notice with the current cell at the moment it is raised.
struct Notices {
    QStringList log;
    explicit Notices(MSFlexGrid &g)
    {
        auto cell = [&g] { return ::cell(g); };
        QObject::connect(&g, &MSFlexGrid::enterCell, [this, cell] { log << "enter " + cell(); });
        QObject::connect(&g, &MSFlexGrid::rowColChange, [this, cell] { log << "change " + cell(); });
        QObject::connect(&g, &MSFlexGrid::mouseDown, [this, cell](auto, auto, int, int) { log << "down " + cell(); });
        QObject::connect(&g, &MSFlexGrid::click, [this] { log << "click"; });
        QObject::connect(&g, &MSFlexGrid::dblClick, [this] { log << "dbl"; });
        QObject::connect(&g, &MSFlexGrid::keyDown, [this](int &key, auto) { log << "key " + QString::number(key); });
    }
    QStringList take() { return std::exchange(log, {}); }
};

} // namespace

class tst_flexgrid : public QObject {
    Q_OBJECT

private slots:
    void programMovesRaiseNoticesAtOnceEvenWhenLocked();
    void mouseMovesCurrentCellBeforeMouseDown();
    void keyboardNavigatesScrollableCellsAndKeyDownCanSwallow();
    void headerRowFixedOrOrdinary();
    void addAndRemoveRows();
    void outOfRangeIsHarmless();
    void cellGeometryFollowsScrolling();
    void paintsHeaderSelectionAndFixedColumn();
    void figuresShrinkWholeIntoNarrowColumns_data();
    void figuresShrinkWholeIntoNarrowColumns();
};

void tst_flexgrid::programMovesRaiseNoticesAtOnceEvenWhenLocked()
{
    auto g = makeGrid(20);
    g->setFocus();
    Notices n(*g);

    // A locked grid takes no input...
    g->setEnabled(false);
    click(*g, 5, 2);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, centreOf(*g, 5, 2));
    keys(*g, {Qt::Key_Down, Qt::Key_Return});
    QWheelEvent wheel(QPointF(50, 50), g->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(g->viewport(), &wheel);
    QCOMPARE(n.take() << place(*g), QStringList({"1,0 to 1,0 top 1"}));

    // ... but the program moves its cell, and the notices follow at once.
    moveTo(*g, 3, 2);
    QCOMPARE(n.take(), QStringList({"enter 3,0", "change 3,0", "enter 3,2", "change 3,2"}));
    g->setEnabled(true);

    // Setting the same cell again raises nothing but collapses the selection.
    g->setRowSel(7);
    g->setColSel(4);
    g->setRow(3);
    QCOMPARE(n.take() << selEnd(*g), QStringList({"3,2"}));

    // Setting Row does not scroll: the page stays where the program put it.
    g->setRow(20);
    QCOMPARE(n.take() << place(*g), QStringList({"enter 20,2", "change 20,2", "20,2 to 20,2 top 1"}));

    // A handler that moves the cell again sees its own notices delivered inside.
    QObject::connect(g.get(), &MSFlexGrid::enterCell, g.get(), [&g] { g->setCol(g->col() == 4 ? 1 : g->col()); });
    g->setCol(4);
    QCOMPARE(n.take(), QStringList({"enter 20,4", "enter 20,1", "change 20,1", "change 20,1"}));

    // Shrinking the grid below the current row moves it, with notices.
    g->setRows(6);
    QCOMPARE(n.take(), QStringList({"enter 5,1", "change 5,1"}));

    // Unlocked, a click moves the cell.
    QCOMPARE(click(*g, 4, 2), "4,2 to 4,2 top 1");
}

void tst_flexgrid::mouseMovesCurrentCellBeforeMouseDown()
{
    auto g = makeGrid(20);
    Notices n(*g);

    // The windows' mouse-down handler acts on the pressed row, so the grid has
    // moved there when it raises mouseDown.
    click(*g, 4, 2);
    QCOMPARE(n.take() << place(*g), QStringList({"enter 4,2", "change 4,2", "down 4,2", "click", "4,2 to 4,2 top 1"}));

    // A press on the fixed column selects that row across, from column 1.
    QCOMPARE(click(*g, 6, 0), "6,1 to 6,4 top 1");

    // A press on the header moves nothing, but is still reported.
    click(*g, 0, 3);
    QCOMPARE(n.take(), QStringList({"enter 6,1", "change 6,1", "down 6,1", "click", "down 6,1", "click"}));

    // Shift extends the selection; the current cell stays.
    click(*g, 9, 3, Qt::ShiftModifier);
    QCOMPARE(n.take() << place(*g), QStringList({"down 6,1", "click", "6,1 to 9,3 top 1"}));

    // A drag ends the selection where the mouse is let go.
    QTest::mousePress(g->viewport(), Qt::LeftButton, {}, centreOf(*g, 2, 1));
    QMouseEvent move(QEvent::MouseMove, centreOf(*g, 5, 2), g->viewport()->mapToGlobal(centreOf(*g, 5, 2)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g->viewport(), &move);
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, centreOf(*g, 5, 2));
    QCOMPARE(n.take() << place(*g), QStringList({"enter 2,1", "change 2,1", "down 2,1", "click", "2,1 to 5,2 top 1"}));

    // A right press reports, but moves nothing and is no click.
    QTest::mouseClick(g->viewport(), Qt::RightButton, {}, centreOf(*g, 8, 2));

    // A double click, as the platform delivers it: press, release, double-click
    // press, release. One mouseDown, one click, then dblClick (after the right press's
    // lone mouseDown).
    click(*g, 3, 3);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, centreOf(*g, 3, 3));
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, centreOf(*g, 3, 3));
    QCOMPARE(n.take(), QStringList({"down 2,1", "enter 3,3", "change 3,3", "down 3,3", "click", "dbl"}));
}

void tst_flexgrid::keyboardNavigatesScrollableCellsAndKeyDownCanSwallow()
{
    auto g = makeGrid(40);
    Notices n(*g);
    QCOMPARE(g->visibleRows(), 15);

    // From the fixed column the first key lands in the scrollable area.
    QTest::keyClick(g.get(), Qt::Key_Down);
    QCOMPARE(n.take(), QStringList({"key " + QString::number(Qt::Key_Down), "enter 2,1", "change 2,1"}));

    // Stays below the header, right of the fixed column.
    QCOMPARE(keys(*g, {Qt::Key_Up, Qt::Key_Up, Qt::Key_Left}), "1,1 to 1,1 top 1");

    // Moving below the page scrolls one row; a page down keeps the current row on the page.
    QCOMPARE(keys(*g, QList<Qt::Key>(15, Qt::Key_Down)), "16,1 to 16,1 top 2");
    QCOMPARE(keys(*g, {Qt::Key_PageDown}), "31,1 to 31,1 top 17");
    QCOMPARE(keys(*g, {Qt::Key_PageDown}), "40,1 to 40,1 top 26");
    QCOMPARE(keys(*g, {Qt::Key_Home}, Qt::ControlModifier), "1,1 to 1,1 top 1");
    QCOMPARE(keys(*g, {Qt::Key_End}, Qt::ControlModifier), "40,4 to 40,4 top 26");

    // Shift extends the selection without moving the current cell.
    n.take();
    QCOMPARE(keys(*g, {Qt::Key_Up, Qt::Key_Up}, Qt::ShiftModifier), "40,4 to 38,4 top 26");
    QCOMPARE(n.take().filter("enter"), QStringList());

    // A keyDown handler sees the shift state and may swallow the key: nothing moves, and
    // handlers after it see key 0.
    keys(*g, {Qt::Key_Home}, Qt::ControlModifier);
    moveTo(*g, 5, 2);
    Qt::KeyboardModifiers seenShift;
    QObject::connect(g.get(), &MSFlexGrid::keyDown, g.get(), [&](int &key, Qt::KeyboardModifiers shift) {
        seenShift = shift;
        key = key == Qt::Key_Down ? 0 : key;
    });
    Notices after(*g);
    QCOMPARE(keys(*g, {Qt::Key_Down}, Qt::ShiftModifier), "5,2 to 5,2 top 1");
    QCOMPARE(after.take().filter("key 0").size(), 1);
    QCOMPARE(seenShift, Qt::ShiftModifier);
    QCOMPARE(keys(*g, {Qt::Key_Right}), "5,3 to 5,3 top 1");

    // Keys that are no move are reported and change nothing; Right moved with notices.
    QCOMPARE(keys(*g, {Qt::Key_Return, Qt::Key_A}), "5,3 to 5,3 top 1");
    const auto key = [](Qt::Key k) { return "key " + QString::number(k); };
    QCOMPARE(after.take(),
             QStringList({key(Qt::Key_Right), "enter 5,3", "change 5,3", key(Qt::Key_Return), key(Qt::Key_A)}));
}

void tst_flexgrid::headerRowFixedOrOrdinary()
{
    // An empty list: the header row is an ordinary row the user can reach.
    auto g = makeGrid(0);
    QCOMPARE(QList<int>({g->rows(), g->fixedRows(), g->topRow()}), QList<int>({1, 0, 0}));
    g->setCol(0);
    QCOMPARE(click(*g, 0, 2), "0,2 to 0,2 top 0");

    // ... also with rows below it, until it is fixed again.
    g->addItem(QStringLiteral("1\tx"));
    g->setRow(1);
    QCOMPARE(keys(*g, {Qt::Key_Up}), "0,2 to 0,2 top 0");

    // Fixed: neither key nor click reaches it, nor can it scroll away...
    g->setFixedRows(1);
    g->setRow(1);
    QTest::keyClick(g.get(), Qt::Key_Up);
    click(*g, 0, 2);
    g->setTopRow(0);
    QCOMPARE(QList<int>({g->row(), g->topRow()}), QList<int>({1, 1}));

    // ... but the program still makes its cells current to colour them.
    Notices n(*g);
    g->setRow(0);
    QCOMPARE(n.take(), QStringList({"enter 0,2", "change 0,2"}));
    g->setCellBackColor(kDarkRed);
    QCOMPARE(g->cellBackColor(), kDarkRed);

    // All rows fixed: keys and clicks find no cell to go to.
    g->setFixedRows(2);
    g->setRow(1);
    n.take();
    QTest::keyClick(g.get(), Qt::Key_Down);
    click(*g, 0, 1);
    QCOMPARE(n.take().filter("enter") << QString::number(g->row()), QStringList({"1"}));
}

void tst_flexgrid::addAndRemoveRows()
{
    auto g = makeGrid(3);

    // Tab-separated fields fill the columns in order; extra fields are dropped.
    g->addItem(QStringLiteral("4\ta\t\tc\td\textra"));
    QCOMPARE(rowText(*g, 4) + " rows " + QString::number(g->rows()), "4|a||c|d rows 5");

    // Inserted before the index; the rows below move down with their texts.
    g->addItem(QStringLiteral("new"), 2);
    QCOMPARE(rowText(*g, 2) + " " + rowText(*g, 3), "new|||| 2|r2c1|r2c2|r2c3|r2c4");
    g->addItem(QStringLiteral("nowhere"), 99); // appended

    g->removeItem(2);
    g->removeItem(0); // the fixed header stays
    g->removeItem(5);
    QCOMPARE(rowText(*g, 0) + " " + rowText(*g, 2) + " rows " + QString::number(g->rows()),
             "H0|H1|H2|H3|H4 2|r2c1|r2c2|r2c3|r2c4 rows 5");

    // A cell's own colour goes with its row.
    moveTo(*g, 3, 2);
    g->setCellBackColor(Qt::yellow);
    g->removeItem(2);
    g->setRow(2);
    QCOMPARE(g->cellBackColor(), QColor(Qt::yellow));
    g->setRow(3);
    QCOMPARE(g->cellBackColor(), QColor(Qt::white));

    // Removing the current last row moves the current cell up, with notices.
    g->setRow(g->rows() - 1);
    Notices n(*g);
    g->removeItem(g->rows() - 1);
    QCOMPARE(QList<int>({g->row(), int(n.take().size())}), QList<int>({g->rows() - 1, 2}));

    // The windows' clear-down leaves the header row alone, texts and colours kept.
    g->setFixedRows(0);
    for (int i = g->rows() - 1; i > 0; --i)
        g->removeItem(1);
    g->setCol(1);
    QCOMPARE(QStringLiteral("%1 rows, at %2: %3").arg(g->rows()).arg(cell(*g), g->text()), "1 rows, at 0,1: H1");
    QCOMPARE(QList<QColor>({g->cellBackColor(), g->cellForeColor()}), QList<QColor>({kDarkRed, kWhite}));
    g->removeItem(0); // the only row stays
    QCOMPARE(g->rows(), 1);
}

void tst_flexgrid::outOfRangeIsHarmless()
{
    auto g = makeGrid(3);
    Notices n(*g);

    QCOMPARE(g->textMatrix(-1, 0) + g->textMatrix(1, 5), QString());
    g->setTextMatrix(4, 0, QStringLiteral("lost"));
    g->setTextMatrix(1, 5, QStringLiteral("lost"));
    for (int r = 0; r < 4; ++r)
        QVERIFY(!rowText(*g, r).contains(QStringLiteral("lost")));

    moveTo(*g, 4, 5);
    g->setRowSel(9);
    g->setTopRow(-1);
    g->setLeftCol(7);
    g->setRows(0);
    g->setCols(0);
    g->setFixedRows(5);
    g->setFixedCols(-1);
    g->removeItem(-3);
    QCOMPARE(QList<int>({int(n.take().size()), g->row(), g->col(), g->rowSel(), g->rows(), g->cols(), g->fixedRows()}),
             QList<int>({0, 1, 0, 1, 4, 5, 1}));

    QCOMPARE(g->colWidth(5), 0);
    g->setColWidth(5, 100);
    g->setColWidth(3, -1); // the default width again
    QVERIFY(g->colWidth(3) > 0 && g->colWidth(3) != 1800);

    // Columns removed and added again come back empty.
    g->setCols(2);
    g->setCols(5);
    QCOMPARE(rowText(*g, 1), "1|r1c1|||");
}

void tst_flexgrid::cellGeometryFollowsScrolling()
{
    auto g = makeGrid(40);
    const int frame = 1;
    int scrolls = 0;
    QObject::connect(g.get(), &MSFlexGrid::scrolled, [&] { ++scrolls; });

    // Scrolling stops where the last row fills the page's bottom; the scroll bar
    // and the grid follow each other.
    g->setTopRow(100 - 60);
    QCoreApplication::processEvents();
    QCOMPARE(QList<int>({g->topRow(), g->verticalScrollBar()->value(), g->verticalScrollBar()->maximum()}),
             QList<int>({26, 26, 26}));
    g->verticalScrollBar()->setValue(5);
    QCOMPARE(g->topRow(), 5);
    g->setTopRow(10);
    g->setTopRow(10);
    QCOMPARE(scrolls, 3); // the program, the bar, the program again; no change, no notice
    moveTo(*g, 12, 2);
    QCOMPARE(
        QList<int>({g->cellLeft(), g->cellTop(), g->cellWidth(), g->cellHeight(), g->topRow()}),
        QList<int>({twips::fromPixels(frame + kPx[0] + kPx[1]), twips::fromPixels(frame + 3 * kRowPx), 1800, 300, 10}));

    // A fixed cell does not move with the page.
    moveTo(*g, 0, 0);
    QCOMPARE(QPoint(g->cellLeft(), g->cellTop()), QPoint(twips::fromPixels(frame), twips::fromPixels(frame)));

    // Reading the geometry of a row off the page scrolls it on; asking what of it is on
    // view does not.
    moveTo(*g, 40, 1);
    QCOMPARE(g->currentCellOnView(), QRect());
    QCOMPARE(QList<int>({g->cellTop(), g->topRow()}),
             QList<int>({twips::fromPixels(frame + kRowPx + 14 * kRowPx), 26}));
    QCOMPARE(g->currentCellOnView(), QRect(g->cellLeft(), g->cellTop(), g->cellWidth(), g->cellHeight()));
    g->setRow(3);
    QCOMPARE(QList<int>({g->cellTop(), g->topRow()}), QList<int>({twips::fromPixels(frame + kRowPx), 3}));

    // An editor laid at the reported place covers the cell: a click there hits it.
    moveTo(*g, 9, 3);
    const QPoint centre(twips::toPixels(g->cellLeft() + g->cellWidth() / 2),
                        twips::toPixels(g->cellTop() + g->cellHeight() / 2));
    moveTo(*g, 4, 1);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, centre - g->viewport()->pos());
    QCOMPARE(cell(*g), "9,3");

    // All columns fit: LeftCol cannot move.
    g->setLeftCol(3);
    QCOMPARE(g->leftCol(), 1);

    // A narrow grid scrolls its columns; a column scrolled off comes back on read.
    g->resize(300, g->height());
    g->setLeftCol(2);
    g->setCol(3);
    QCOMPARE(QList<int>({g->leftCol(), g->cellLeft()}), QList<int>({2, twips::fromPixels(frame + kPx[0] + kPx[2])}));
    g->setCol(1);
    QCOMPARE(QList<int>({g->cellLeft(), g->leftCol()}), QList<int>({twips::fromPixels(frame + kPx[0]), 1}));

    // A column of width 0 cannot be seen.
    g->setColWidth(2, 0);
    g->setCol(2);
    QCOMPARE(QSize(g->cellWidth(), g->cellHeight()), QSize(0, 0));
}

void tst_flexgrid::paintsHeaderSelectionAndFixedColumn()
{
    auto g = makeGrid(5);
    g->setRow(2);
    const QPoint vp = g->viewport()->pos();
    auto colourAt = [&](int r, int c) {
        const QImage shot = g->grab().toImage();
        return QColor(shot.pixel(vp + centreOf(*g, r, c) + QPoint(-kPx[c] / 2 + 1, -kRowPx / 2 + 1)));
    };
    // The header's own colours; the fixed column, also on the selected row; the selected
    // row; an ordinary row.
    QCOMPARE((QList<QColor>{colourAt(0, 1), colourAt(0, 3), colourAt(2, 0), colourAt(2, 3), colourAt(3, 3)}),
             (QList<QColor>{kDarkRed, kTeal, kTeal, kNavy, kWhite}));

    // The header as an ordinary current row keeps its colours.
    g->setFixedRows(0);
    g->setRow(0);
    QCOMPARE((QList<QColor>{colourAt(0, 1), colourAt(0, 4), colourAt(2, 3)}), (QList<QColor>{kDarkRed, kTeal, kWhite}));

    // A number too wide for its cell even in the smallest type shows its first digits
    // and is cut at its end (where an ellipsis marks the cut), never at its start.
    auto paintedAs = [&](const QString &text) {
        g->setTextMatrix(3, 1, text);
        return g->grab(QRect(vp + centreOf(*g, 3, 1) - QPoint(kPx[1] / 2, kRowPx / 2), QSize(kPx[1], kRowPx)))
            .toImage();
    };
    const QString digits = QStringLiteral("1234567890").repeated(4);
    const QImage wide = paintedAs(digits);
    QCOMPARE(paintedAs(digits.chopped(3) + "999"), wide);
    QVERIFY(paintedAs('9' + digits.mid(1)) != wide);
}

void tst_flexgrid::figuresShrinkWholeIntoNarrowColumns_data()
{
    QTest::addColumn<QString>("figure");
    QTest::newRow("a balance of 13 whole digits") << "-1999999998261.00";
    QTest::newRow("the widest amount") << "-9999999999999.99";
    QTest::newRow("a sum of 14 whole digits") << "-19999999982612.34";
}

// In the 1200-twip amount columns of the summaries, a figure is drawn smaller until the
// whole of it shows: its last digit is never cut away.
void tst_flexgrid::figuresShrinkWholeIntoNarrowColumns()
{
    QFETCH(QString, figure);
    auto g = makeGrid(5);
    g->setColWidth(1, 1200);
    const QRect cell(g->viewport()->pos() + QPoint(kPx[0], 3 * kRowPx), QSize(twips::toPixels(1200), kRowPx));
    auto paintedAs = [&](const QString &text) {
        g->setTextMatrix(3, 1, text);
        return g->grab(cell).toImage();
    };
    QVERIFY(paintedAs(figure) != paintedAs(figure.chopped(1) + (figure.endsWith('9') ? '8' : '9')));
}

QTEST_MAIN(tst_flexgrid)
#include "tst_flexgrid.moc"
