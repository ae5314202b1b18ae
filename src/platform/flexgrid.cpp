#include "platform/flexgrid.h"

#include "platform/flexgridlook.h"
#include "platform/twips.h"

#include <QScrollBar>

#include <algorithm>

MSFlexGrid::MSFlexGrid(QWidget *parent)
    : QAbstractScrollArea(parent), cells_(1, 2), colWidths_(2, flexgridlook::defaultColWidth),
      rowHeight_(flexgridlook::defaultRowHeight)
{
    setFont(flexgridlook::font());
    // A one-pixel border: at the windows' grid height (4850 twips) it leaves room
    // for the header row and exactly fifteen data rows of 300 twips.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    // The grid decides itself when a bar is needed (syncScrollBars), from its own
    // layout, so that the bars and the scroll limits always agree.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
    updateScrollBarExtents();
}

void MSFlexGrid::setRows(int n)
{
    if (n < 1 || n == rows())
        return;
    cells_.setRowCount(n);
    fixedRows_ = std::min(fixedRows_, n);
    afterShapeChange();
}

void MSFlexGrid::setCols(int n)
{
    if (n < 1 || n == cols())
        return;
    cells_.setColCount(n);
    colWidths_.resize(n, flexgridlook::defaultColWidth);
    fixedCols_ = std::min(fixedCols_, n);
    afterShapeChange();
}

void MSFlexGrid::setFixedRows(int n)
{
    if (n < 0 || n > rows() || n == fixedRows_)
        return;
    fixedRows_ = n;
    afterShapeChange();
}

void MSFlexGrid::setFixedCols(int n)
{
    if (n < 0 || n > cols() || n == fixedCols_)
        return;
    fixedCols_ = n;
    afterShapeChange();
}

// Keeps selection and scrolling inside a changed shape, then the current cell;
// last, because moving it raises the notices and their handlers must find the
// grid consistent.
void MSFlexGrid::afterShapeChange()
{
    rowSel_ = std::min(rowSel_, rows() - 1);
    colSel_ = std::min(colSel_, cols() - 1);
    scheduleScrollBarSync();
    clampScroll();
    scheduleRepaint();
    clampCurrent();
}

void MSFlexGrid::clampCurrent()
{
    const int r = std::min(row_, rows() - 1);
    const int c = std::min(col_, cols() - 1);
    if (r != row_ || c != col_)
        moveCurrent(r, c, r, c);
}

void MSFlexGrid::moveCurrent(int r, int c, int rowSel, int colSel)
{
    const bool changed = r != row_ || c != col_;
    row_ = r;
    col_ = c;
    rowSel_ = rowSel;
    colSel_ = colSel;
    scheduleRepaint();
    if (changed) {
        emit enterCell();
        emit rowColChange();
    }
}

void MSFlexGrid::setRow(int r)
{
    if (r >= 0 && r < rows())
        moveCurrent(r, col_, r, col_);
}

void MSFlexGrid::setCol(int c)
{
    if (c >= 0 && c < cols())
        moveCurrent(row_, c, row_, c);
}

void MSFlexGrid::setRowSel(int r)
{
    if (r >= 0 && r < rows()) {
        rowSel_ = r;
        scheduleRepaint();
    }
}

void MSFlexGrid::setColSel(int c)
{
    if (c >= 0 && c < cols()) {
        colSel_ = c;
        scheduleRepaint();
    }
}

void MSFlexGrid::setTopRow(int r)
{
    if (r >= 0 && r < rows())
        scrollTo(r, leftCol_);
}

void MSFlexGrid::setLeftCol(int c)
{
    if (c >= 0 && c < cols())
        scrollTo(topRow_, c);
}

void MSFlexGrid::setText(const QString &text)
{
    cells_.setText(row_, col_, text);
    scheduleRepaint();
}

void MSFlexGrid::setTextMatrix(int r, int c, const QString &text)
{
    cells_.setText(r, c, text);
    scheduleRepaint();
}

int MSFlexGrid::colWidth(int c) const { return c >= 0 && c < cols() ? colWidths_.at(c) : 0; }

void MSFlexGrid::setColWidth(int c, int twips)
{
    if (c < 0 || c >= cols())
        return;
    colWidths_[c] = twips < 0 ? flexgridlook::defaultColWidth : twips;
    afterShapeChange();
}

void MSFlexGrid::setRowHeight(int twips)
{
    if (twips < 1 || twips == rowHeight_)
        return;
    rowHeight_ = twips;
    afterShapeChange();
}

QColor MSFlexGrid::cellBackColor() const { return cellColors(row_, col_, false).first; }

void MSFlexGrid::setCellBackColor(const QColor &color)
{
    cells_.setBackColor(row_, col_, color);
    scheduleRepaint();
}

QColor MSFlexGrid::cellForeColor() const { return cellColors(row_, col_, false).second; }

void MSFlexGrid::setCellForeColor(const QColor &color)
{
    cells_.setForeColor(row_, col_, color);
    scheduleRepaint();
}

int MSFlexGrid::cellLeft() { return twips::fromPixels(visibleCurrentCell().left()); }

int MSFlexGrid::cellTop() { return twips::fromPixels(visibleCurrentCell().top()); }

int MSFlexGrid::cellWidth() { return twips::fromPixels(visibleCurrentCell().width()); }

int MSFlexGrid::cellHeight() { return twips::fromPixels(visibleCurrentCell().height()); }

void MSFlexGrid::addItem(const QString &item, int index)
{
    if (index == -1)
        index = rows();
    if (index < 0 || index > rows())
        return;
    cells_.insertRow(index, item);
    afterShapeChange();
}

void MSFlexGrid::removeItem(int index)
{
    if (index < fixedRows_ || index >= rows() || rows() == 1)
        return;
    cells_.removeRow(index);
    afterShapeChange();
}

void MSFlexGrid::refresh()
{
    if (syncPending_)
        syncScrollBars();
    viewport()->update();
}

bool MSFlexGrid::isFixed(int r, int c) const { return r < fixedRows_ || c < fixedCols_; }
