#pragma once

#include "platform/gridcells.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QList>
#include <QString>

#include <utility>

class QPainter;

// The list grid of every list window: a table of text cells with fixed (header)
// rows and columns, a current cell that the program and the user move, and
// notices raised synchronously whenever that cell changes.
//
// Indexes are 0-based; row 0 is the top row. Rows 0 .. fixedRows()-1 and columns
// 0 .. fixedCols()-1 are fixed: they never scroll and the user cannot make a cell
// of them current, though the program can. Sizes and positions are in twips
// (platform/twips.h). An index outside the grid is never an error: reading gives
// an empty text (or 0), setting is ignored and raises nothing.
//
// A new grid has the shape every list window starts from: one row, two columns,
// no fixed row and one fixed column, rows 300 twips high, 9-point 宋体.
//
// The user moves the current cell with the arrows, Page Up/Down, Home/End (with
// Ctrl: first/last row) and a left click; Shift, or dragging, moves the far corner
// of the selection instead. A click on the fixed column makes that row current
// at its first scrollable column; a click on a fixed row moves nothing. The rows of
// the selection are shown highlighted across; the current cell has a dotted frame
// while the grid has the focus.
//
// While the grid is disabled (setEnabled(false)) it takes no mouse, wheel or
// keyboard input, so the user cannot move its current cell; the program still can,
// and enterCell and rowColChange still follow every move.
class MSFlexGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit MSFlexGrid(QWidget *parent = nullptr);

    // Shape. rows() and cols() are at least 1; fixed counts lie in 0 .. rows()/cols().
    // Shrinking the grid moves the current cell inside it (raising the notices).
    int rows() const { return cells_.rowCount(); }
    void setRows(int n);
    int cols() const { return cells_.colCount(); }
    void setCols(int n);
    int fixedRows() const { return fixedRows_; }
    void setFixedRows(int n);
    int fixedCols() const { return fixedCols_; }
    void setFixedCols(int n);

    // The current cell. Setting either collapses the selection to the current cell;
    // when the cell changes, enterCell and then rowColChange are raised before the
    // setter returns. Setting them does not scroll (see topRow()).
    int row() const { return row_; }
    void setRow(int r);
    int col() const { return col_; }
    void setCol(int c);

    // The other corner of the selection, which runs from the current cell to
    // (rowSel, colSel). Setting them raises nothing.
    int rowSel() const { return rowSel_; }
    void setRowSel(int r);
    int colSel() const { return colSel_; }
    void setColSel(int c);

    // The first scrollable row and column on view. They are kept between the first
    // scrollable index and the last value at which the grid's end is still in view.
    int topRow() const { return topRow_; }
    void setTopRow(int r);
    int leftCol() const { return leftCol_; }
    void setLeftCol(int c);
    // Scrollable rows that fit wholly below the fixed rows at the grid's size: the
    // page that Page Up and Page Down move by (at least 1).
    int visibleRows() const;

    // Text of the current cell; setting it raises nothing.
    QString text() const { return cells_.text(row_, col_); }
    void setText(const QString &text);
    QString textMatrix(int r, int c) const { return cells_.text(r, c); }
    void setTextMatrix(int r, int c, const QString &text);

    // Column width and the height of every row, in twips. A negative width
    // restores the default width.
    int colWidth(int c) const;
    void setColWidth(int c, int twips);
    int rowHeight() const { return rowHeight_; }
    void setRowHeight(int twips);

    // Colours of the current cell: its own when it has some, else the grid's for
    // its kind (fixed or not). An invalid colour removes the cell's own colour.
    // A cell with its own background keeps it also when selected.
    QColor cellBackColor() const;
    void setCellBackColor(const QColor &color);
    QColor cellForeColor() const;
    void setCellForeColor(const QColor &color);

    // Geometry of the current cell in twips, relative to the grid's own top-left
    // corner, so that an editor at the grid's position plus (cellLeft, cellTop)
    // covers the cell exactly. Reading them first scrolls the current cell into
    // view, so an editor laid over it is on screen; a cell that still cannot be
    // seen (a column of width 0, a grid too small) reports width and height 0.
    int cellLeft();
    int cellTop();
    int cellWidth();
    int cellHeight();
    // The part of the current cell that is on view, in twips from the grid's corner as
    // above; empty while it is scrolled out of view. Unlike the four above, it scrolls
    // nothing.
    QRect currentCellOnView() const;

    // Inserts a row before index, or appends it when index is -1; its cells take
    // the tab-separated fields of item. The current cell keeps its indexes.
    void addItem(const QString &item, int index = -1);
    // Removes a scrollable row; a fixed row or the grid's only row stays.
    void removeItem(int index);
    // Repaints the grid.
    void refresh();

signals:
    // The current cell changed (by the program, a key or a click); raised before
    // rowColChange, synchronously.
    void enterCell();
    void rowColChange();
    // The first row or column on view changed: by the program, a key, the wheel or a
    // scroll bar.
    void scrolled();
    // A mouse button went down over the grid. A left press has already made the
    // pressed cell current, so a handler finds the pressed row in row() and
    // rowSel(). x and y are twips from the grid's corner.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // A key went down while the grid had the focus, before the grid acts on it.
    // keyCode is a Qt::Key value passed by reference: a handler that sets it to 0
    // swallows the key. Connect it directly (the default within one thread).
    void keyDown(int &keyCode, Qt::KeyboardModifiers shift);
    // The left button went up after going down over the grid.
    void click();
    void dblClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    struct ViewLayout {
        QSize size; // the viewport
        bool vbar = false;
        bool hbar = false;
    };

    // Current cell and selection (flexgrid.cpp).
    void moveCurrent(int r, int c, int rowSel, int colSel);
    void clampCurrent();
    void afterShapeChange();
    bool isFixed(int r, int c) const;

    // Layout in pixels (flexgrid_layout.cpp). It is computed from the widget's
    // size, not taken from the viewport, so that it is right also before the grid
    // is first shown, while the program sets it up and fills it.
    int rowPx() const;
    int colPx(int c) const;
    int fixedWidthPx() const;
    int scrollableWidthPx() const;
    ViewLayout viewLayout() const;
    int firstScrollableRow() const;
    int firstScrollableCol() const;
    int maxTopRow() const;
    int maxLeftCol() const;
    void scrollTo(int top, int left);
    void clampScroll();
    void scrollToCell(int r, int c);
    QRect cellRect(int r, int c) const; // viewport coordinates; null when scrolled off
    bool cellAt(const QPoint &pos, int *r, int *c) const;
    QRect visibleCurrentCell();
    void scheduleScrollBarSync();
    void syncScrollBars();
    void updateScrollBarExtents();
    void scheduleRepaint();

    // Input (flexgrid_input.cpp).
    bool navigate(int key, Qt::KeyboardModifiers mods);
    void pressCell(const QPoint &pos, Qt::KeyboardModifiers mods);
    void selectTo(int r, int c);

    // Painting (flexgrid_paint.cpp).
    void paintCell(QPainter &p, int r, int c, const QRect &rect, bool selected);
    std::pair<QColor, QColor> cellColors(int r, int c, bool selected) const;

    GridCells cells_;
    QList<int> colWidths_; // twips
    int rowHeight_;        // twips
    int fixedRows_ = 0;
    int fixedCols_ = 1;
    int row_ = 0;
    int col_ = 1;
    int rowSel_ = 0;
    int colSel_ = 1;
    int topRow_ = 0;
    int leftCol_ = 1;

    int vbarExtent_ = 0;
    int hbarExtent_ = 0;
    bool syncPending_ = false;
    bool syncing_ = false;
    bool repaintPending_ = false;
    bool leftPressed_ = false;   // a left press began over the grid and has not been released
    bool dragSelecting_ = false; // that press made a cell current; moves extend the selection
    bool pressWasDouble_ = false;
};
