#include "platform/flexgrid.h"

#include "platform/flexgridlook.h"
#include "platform/twips.h"

#include <QScrollBar>

#include <algorithm>

MSFlexGrid::MSFlexGrid(QWidget *parent)
    : QAbstractScrollArea(parent),
      m_cells(1, 2),
      m_colWidths(2, flexgridlook::defaultColWidth),
      m_rowHeight(flexgridlook::defaultRowHeight)
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
    m_cells.setRowCount(n);
    m_fixedRows = std::min(m_fixedRows, n);
    afterShapeChange();
}

void MSFlexGrid::setCols(int n)
{
    if (n < 1 || n == cols())
        return;
    m_cells.setColCount(n);
    m_colWidths.resize(n, flexgridlook::defaultColWidth);
    m_fixedCols = std::min(m_fixedCols, n);
    afterShapeChange();
}

void MSFlexGrid::setFixedRows(int n)
{
    if (n < 0 || n > rows() || n == m_fixedRows)
        return;
    m_fixedRows = n;
    afterShapeChange();
}

void MSFlexGrid::setFixedCols(int n)
{
    if (n < 0 || n > cols() || n == m_fixedCols)
        return;
    m_fixedCols = n;
    afterShapeChange();
}

// Keeps selection and scrolling inside a changed shape, then the current cell;
// last, because moving it raises the notices and their handlers must find the
// grid consistent.
void MSFlexGrid::afterShapeChange()
{
    m_rowSel = std::min(m_rowSel, rows() - 1);
    m_colSel = std::min(m_colSel, cols() - 1);
    scheduleScrollBarSync();
    clampScroll();
    scheduleRepaint();
    clampCurrent();
}

void MSFlexGrid::clampCurrent()
{
    const int r = std::min(m_row, rows() - 1);
    const int c = std::min(m_col, cols() - 1);
    if (r != m_row || c != m_col)
        moveCurrent(r, c, r, c);
}

void MSFlexGrid::moveCurrent(int r, int c, int rowSel, int colSel)
{
    const bool changed = r != m_row || c != m_col;
    m_row = r;
    m_col = c;
    m_rowSel = rowSel;
    m_colSel = colSel;
    scheduleRepaint();
    if (changed) {
        emit enterCell();
        emit rowColChange();
    }
}

void MSFlexGrid::setRow(int r)
{
    if (r >= 0 && r < rows())
        moveCurrent(r, m_col, r, m_col);
}

void MSFlexGrid::setCol(int c)
{
    if (c >= 0 && c < cols())
        moveCurrent(m_row, c, m_row, c);
}

void MSFlexGrid::setRowSel(int r)
{
    if (r >= 0 && r < rows()) {
        m_rowSel = r;
        scheduleRepaint();
    }
}

void MSFlexGrid::setColSel(int c)
{
    if (c >= 0 && c < cols()) {
        m_colSel = c;
        scheduleRepaint();
    }
}

void MSFlexGrid::setTopRow(int r)
{
    if (r >= 0 && r < rows())
        scrollTo(r, m_leftCol);
}

void MSFlexGrid::setLeftCol(int c)
{
    if (c >= 0 && c < cols())
        scrollTo(m_topRow, c);
}

void MSFlexGrid::setText(const QString &text)
{
    m_cells.setText(m_row, m_col, text);
    scheduleRepaint();
}

void MSFlexGrid::setTextMatrix(int r, int c, const QString &text)
{
    m_cells.setText(r, c, text);
    scheduleRepaint();
}

int MSFlexGrid::colWidth(int c) const
{
    return c >= 0 && c < cols() ? m_colWidths.at(c) : 0;
}

void MSFlexGrid::setColWidth(int c, int twips)
{
    if (c < 0 || c >= cols())
        return;
    m_colWidths[c] = twips < 0 ? flexgridlook::defaultColWidth : twips;
    afterShapeChange();
}

void MSFlexGrid::setRowHeight(int twips)
{
    if (twips < 1 || twips == m_rowHeight)
        return;
    m_rowHeight = twips;
    afterShapeChange();
}

QColor MSFlexGrid::cellBackColor() const
{
    return cellColors(m_row, m_col, false).first;
}

void MSFlexGrid::setCellBackColor(const QColor &color)
{
    m_cells.setBackColor(m_row, m_col, color);
    scheduleRepaint();
}

QColor MSFlexGrid::cellForeColor() const
{
    return cellColors(m_row, m_col, false).second;
}

void MSFlexGrid::setCellForeColor(const QColor &color)
{
    m_cells.setForeColor(m_row, m_col, color);
    scheduleRepaint();
}

int MSFlexGrid::cellLeft()
{
    return twips::fromPixels(visibleCurrentCell().left());
}

int MSFlexGrid::cellTop()
{
    return twips::fromPixels(visibleCurrentCell().top());
}

int MSFlexGrid::cellWidth()
{
    return twips::fromPixels(visibleCurrentCell().width());
}

int MSFlexGrid::cellHeight()
{
    return twips::fromPixels(visibleCurrentCell().height());
}

void MSFlexGrid::addItem(const QString &item, int index)
{
    if (index == -1)
        index = rows();
    if (index < 0 || index > rows())
        return;
    m_cells.insertRow(index, item);
    afterShapeChange();
}

void MSFlexGrid::removeItem(int index)
{
    if (index < m_fixedRows || index >= rows() || rows() == 1)
        return;
    m_cells.removeRow(index);
    afterShapeChange();
}

void MSFlexGrid::refresh()
{
    if (m_syncPending)
        syncScrollBars();
    viewport()->update();
}

bool MSFlexGrid::isFixed(int r, int c) const
{
    return r < m_fixedRows || c < m_fixedCols;
}
