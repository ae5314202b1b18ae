// Where rows and columns lie on screen, scrolling, and the scroll bars.
#include "platform/flexgrid.h"

#include "platform/twips.h"

#include <QEvent>
#include <QScopedValueRollback>
#include <QScrollBar>

#include <algorithm>

int MSFlexGrid::rowPx() const
{
    return std::max(1, twips::toPixels(m_rowHeight));
}

int MSFlexGrid::colPx(int c) const
{
    return std::max(0, twips::toPixels(m_colWidths.at(c)));
}

int MSFlexGrid::fixedWidthPx() const
{
    int w = 0;
    for (int c = 0; c < m_fixedCols; ++c)
        w += colPx(c);
    return w;
}

int MSFlexGrid::scrollableWidthPx() const
{
    int w = 0;
    for (int c = m_fixedCols; c < cols(); ++c)
        w += colPx(c);
    return w;
}

// The viewport that QAbstractScrollArea will lay out for the bars that the content
// needs: the contents rectangle less a bar's extent on each side that needs one.
MSFlexGrid::ViewLayout MSFlexGrid::viewLayout() const
{
    const QRect area = contentsRect();
    const qint64 contentW = fixedWidthPx() + scrollableWidthPx();
    const qint64 contentH = qint64(rows()) * rowPx();
    ViewLayout v;
    v.vbar = contentH > area.height();
    v.hbar = contentW > area.width();
    if (v.vbar && !v.hbar)
        v.hbar = contentW > area.width() - m_vbarExtent;
    if (v.hbar && !v.vbar)
        v.vbar = contentH > area.height() - m_hbarExtent;
    v.size = QSize(std::max(0, area.width() - (v.vbar ? m_vbarExtent : 0)),
                   std::max(0, area.height() - (v.hbar ? m_hbarExtent : 0)));
    return v;
}

int MSFlexGrid::visibleRows() const
{
    const int below = viewLayout().size.height() - m_fixedRows * rowPx();
    return std::max(1, below / rowPx());
}

int MSFlexGrid::firstScrollableRow() const
{
    return std::min(m_fixedRows, rows() - 1);
}

int MSFlexGrid::firstScrollableCol() const
{
    return std::min(m_fixedCols, cols() - 1);
}

int MSFlexGrid::maxTopRow() const
{
    return std::max(firstScrollableRow(), rows() - visibleRows());
}

// The smallest left column from which the last column is still wholly in view.
int MSFlexGrid::maxLeftCol() const
{
    const int room = viewLayout().size.width() - fixedWidthPx();
    int left = cols();
    int used = 0;
    while (left - 1 >= m_fixedCols && used + colPx(left - 1) <= room)
        used += colPx(--left);
    return std::clamp(left, firstScrollableCol(), cols() - 1);
}

void MSFlexGrid::scrollTo(int top, int left)
{
    top = std::clamp(top, firstScrollableRow(), maxTopRow());
    left = std::clamp(left, firstScrollableCol(), maxLeftCol());
    if (top == m_topRow && left == m_leftCol)
        return;
    m_topRow = top;
    m_leftCol = left;
    if (!m_syncPending) {
        QScopedValueRollback guard(m_syncing, true);
        verticalScrollBar()->setValue(m_topRow);
        horizontalScrollBar()->setValue(m_leftCol);
    }
    scheduleRepaint();
}

void MSFlexGrid::clampScroll()
{
    scrollTo(m_topRow, m_leftCol);
}

void MSFlexGrid::scrollToCell(int r, int c)
{
    int top = m_topRow;
    int left = m_leftCol;
    if (r >= m_fixedRows) {
        const int page = visibleRows();
        if (r < top)
            top = r;
        else if (r >= top + page)
            top = r - page + 1;
    }
    if (c >= m_fixedCols) {
        if (c < left) {
            left = c;
        } else {
            const int room = viewLayout().size.width() - fixedWidthPx();
            int span = 0;
            for (int i = left; i <= c; ++i)
                span += colPx(i);
            while (left < c && span > room)
                span -= colPx(left++);
        }
    }
    scrollTo(top, left);
}

QRect MSFlexGrid::cellRect(int r, int c) const
{
    int y;
    if (r < m_fixedRows)
        y = r * rowPx();
    else if (r >= m_topRow)
        y = (m_fixedRows + (r - m_topRow)) * rowPx();
    else
        return {};
    int x = 0;
    if (c < m_fixedCols) {
        for (int i = 0; i < c; ++i)
            x += colPx(i);
    } else if (c >= m_leftCol) {
        x = fixedWidthPx();
        for (int i = m_leftCol; i < c; ++i)
            x += colPx(i);
    } else {
        return {};
    }
    return QRect(x, y, colPx(c), rowPx());
}

bool MSFlexGrid::cellAt(const QPoint &pos, int *r, int *c) const
{
    const QSize view = viewLayout().size;
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= view.width() || pos.y() >= view.height())
        return false;
    const int fixedH = m_fixedRows * rowPx();
    int row = pos.y() < fixedH ? pos.y() / rowPx() : m_topRow + (pos.y() - fixedH) / rowPx();
    if (pos.y() >= fixedH && row < m_fixedRows)
        return false; // every row is fixed: nothing below them
    if (row >= rows())
        return false;
    int x = 0;
    for (int i = 0; i < m_fixedCols; ++i) {
        x += colPx(i);
        if (pos.x() < x) {
            *r = row;
            *c = i;
            return true;
        }
    }
    for (int i = std::max(m_leftCol, m_fixedCols); i < cols(); ++i) {
        x += colPx(i);
        if (pos.x() < x) {
            *r = row;
            *c = i;
            return true;
        }
    }
    return false;
}

// The current cell, scrolled into view, in the grid's own coordinates; empty when
// it cannot be seen.
QRect MSFlexGrid::visibleCurrentCell()
{
    scrollToCell(m_row, m_col);
    const QRect cell = cellRect(m_row, m_col);
    if (cell.isEmpty() || !cell.intersects(QRect(QPoint(0, 0), viewLayout().size)))
        return {};
    return cell.translated(contentsRect().topLeft());
}

// A fill changes the shape once per row; the bars follow once, when the program
// returns to the event loop, rather than a hundred thousand times.
void MSFlexGrid::scheduleScrollBarSync()
{
    if (m_syncPending)
        return;
    m_syncPending = true;
    QMetaObject::invokeMethod(this, [this] { if (m_syncPending) syncScrollBars(); },
                              Qt::QueuedConnection);
}

void MSFlexGrid::syncScrollBars()
{
    m_syncPending = false;
    QScopedValueRollback guard(m_syncing, true);
    const ViewLayout v = viewLayout();
    QScrollBar *vb = verticalScrollBar();
    vb->setRange(firstScrollableRow(), maxTopRow());
    vb->setPageStep(visibleRows());
    vb->setValue(m_topRow);
    QScrollBar *hb = horizontalScrollBar();
    hb->setRange(firstScrollableCol(), maxLeftCol());
    hb->setPageStep(1);
    hb->setValue(m_leftCol);
    setVerticalScrollBarPolicy(v.vbar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(v.hbar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void MSFlexGrid::updateScrollBarExtents()
{
    m_vbarExtent = verticalScrollBar()->sizeHint().width();
    m_hbarExtent = horizontalScrollBar()->sizeHint().height();
}

void MSFlexGrid::scrollContentsBy(int, int)
{
    if (m_syncing)
        return;
    // The user moved a bar.
    m_topRow = verticalScrollBar()->value();
    m_leftCol = horizontalScrollBar()->value();
    scheduleRepaint();
}

void MSFlexGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    clampScroll();
    syncScrollBars();
}

void MSFlexGrid::showEvent(QShowEvent *event)
{
    QAbstractScrollArea::showEvent(event);
    updateScrollBarExtents();
    clampScroll();
    syncScrollBars();
}

void MSFlexGrid::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::StyleChange) {
        updateScrollBarExtents();
        afterShapeChange();
    }
}

void MSFlexGrid::scheduleRepaint()
{
    // A hidden grid is painted whole when it is shown.
    if (m_repaintPending || !viewport()->isVisible())
        return;
    m_repaintPending = true;
    viewport()->update();
}
