// Where rows and columns lie on screen, scrolling, and the scroll bars.
#include "platform/flexgrid.h"

#include "platform/twips.h"

#include <QEvent>
#include <QScopedValueRollback>
#include <QScrollBar>

#include <algorithm>

int MSFlexGrid::rowPx() const { return std::max(1, twips::toPixels(rowHeight_)); }

int MSFlexGrid::colPx(int c) const { return std::max(0, twips::toPixels(colWidths_.at(c))); }

int MSFlexGrid::fixedWidthPx() const
{
    int w = 0;
    for (int c = 0; c < fixedCols_; ++c)
        w += colPx(c);
    return w;
}

int MSFlexGrid::scrollableWidthPx() const
{
    int w = 0;
    for (int c = fixedCols_; c < cols(); ++c)
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
        v.hbar = contentW > area.width() - vbarExtent_;
    if (v.hbar && !v.vbar)
        v.vbar = contentH > area.height() - hbarExtent_;
    v.size = QSize(std::max(0, area.width() - (v.vbar ? vbarExtent_ : 0)),
                   std::max(0, area.height() - (v.hbar ? hbarExtent_ : 0)));
    return v;
}

int MSFlexGrid::visibleRows() const
{
    const int below = viewLayout().size.height() - fixedRows_ * rowPx();
    return std::max(1, below / rowPx());
}

int MSFlexGrid::firstScrollableRow() const { return std::min(fixedRows_, rows() - 1); }

int MSFlexGrid::firstScrollableCol() const { return std::min(fixedCols_, cols() - 1); }

int MSFlexGrid::maxTopRow() const { return std::max(firstScrollableRow(), rows() - visibleRows()); }

// The smallest left column from which the last column is still wholly in view.
int MSFlexGrid::maxLeftCol() const
{
    const int room = viewLayout().size.width() - fixedWidthPx();
    int left = cols();
    int used = 0;
    while (left - 1 >= fixedCols_ && used + colPx(left - 1) <= room)
        used += colPx(--left);
    return std::clamp(left, firstScrollableCol(), cols() - 1);
}

void MSFlexGrid::scrollTo(int top, int left)
{
    top = std::clamp(top, firstScrollableRow(), maxTopRow());
    left = std::clamp(left, firstScrollableCol(), maxLeftCol());
    if (top == topRow_ && left == leftCol_)
        return;
    topRow_ = top;
    leftCol_ = left;
    if (!syncPending_) {
        QScopedValueRollback guard(syncing_, true);
        verticalScrollBar()->setValue(topRow_);
        horizontalScrollBar()->setValue(leftCol_);
    }
    scheduleRepaint();
    emit scrolled();
}

void MSFlexGrid::clampScroll() { scrollTo(topRow_, leftCol_); }

void MSFlexGrid::scrollToCell(int r, int c)
{
    int top = topRow_;
    int left = leftCol_;
    if (r >= fixedRows_) {
        const int page = visibleRows();
        if (r < top)
            top = r;
        else if (r >= top + page)
            top = r - page + 1;
    }
    if (c >= fixedCols_) {
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
    if (r < fixedRows_)
        y = r * rowPx();
    else if (r >= topRow_)
        y = (fixedRows_ + (r - topRow_)) * rowPx();
    else
        return {};
    int x = 0;
    if (c < fixedCols_) {
        for (int i = 0; i < c; ++i)
            x += colPx(i);
    } else if (c >= leftCol_) {
        x = fixedWidthPx();
        for (int i = leftCol_; i < c; ++i)
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
    const int fixedH = fixedRows_ * rowPx();
    int row = pos.y() < fixedH ? pos.y() / rowPx() : topRow_ + (pos.y() - fixedH) / rowPx();
    if (pos.y() >= fixedH && row < fixedRows_)
        return false; // every row is fixed: nothing below them
    if (row >= rows())
        return false;
    int x = 0;
    for (int i = 0; i < fixedCols_; ++i) {
        x += colPx(i);
        if (pos.x() < x) {
            *r = row;
            *c = i;
            return true;
        }
    }
    for (int i = std::max(leftCol_, fixedCols_); i < cols(); ++i) {
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
    scrollToCell(row_, col_);
    const QRect cell = cellRect(row_, col_);
    if (cell.isEmpty() || !cell.intersects(QRect(QPoint(0, 0), viewLayout().size)))
        return {};
    return cell.translated(contentsRect().topLeft());
}

QRect MSFlexGrid::currentCellOnView() const
{
    const QRect part = cellRect(row_, col_).intersected(QRect(QPoint(0, 0), viewLayout().size));
    if (part.isEmpty())
        return {};
    const QRect inGrid = part.translated(contentsRect().topLeft());
    return QRect(twips::fromPixels(inGrid.left()), twips::fromPixels(inGrid.top()), twips::fromPixels(inGrid.width()),
                 twips::fromPixels(inGrid.height()));
}

// A fill changes the shape once per row; the bars follow once, when the program
// returns to the event loop, rather than a hundred thousand times.
void MSFlexGrid::scheduleScrollBarSync()
{
    if (syncPending_)
        return;
    syncPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (syncPending_)
                syncScrollBars();
        },
        Qt::QueuedConnection);
}

void MSFlexGrid::syncScrollBars()
{
    syncPending_ = false;
    QScopedValueRollback guard(syncing_, true);
    const ViewLayout v = viewLayout();
    QScrollBar *vb = verticalScrollBar();
    vb->setRange(firstScrollableRow(), maxTopRow());
    vb->setPageStep(visibleRows());
    vb->setValue(topRow_);
    QScrollBar *hb = horizontalScrollBar();
    hb->setRange(firstScrollableCol(), maxLeftCol());
    hb->setPageStep(1);
    hb->setValue(leftCol_);
    setVerticalScrollBarPolicy(v.vbar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(v.hbar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void MSFlexGrid::updateScrollBarExtents()
{
    vbarExtent_ = verticalScrollBar()->sizeHint().width();
    hbarExtent_ = horizontalScrollBar()->sizeHint().height();
}

void MSFlexGrid::scrollContentsBy(int, int)
{
    if (syncing_)
        return;
    // The user moved a bar (or turned the wheel, which moves one).
    const int top = verticalScrollBar()->value();
    const int left = horizontalScrollBar()->value();
    if (top == topRow_ && left == leftCol_)
        return;
    topRow_ = top;
    leftCol_ = left;
    scheduleRepaint();
    emit scrolled();
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
    if (repaintPending_ || !viewport()->isVisible())
        return;
    repaintPending_ = true;
    viewport()->update();
}
