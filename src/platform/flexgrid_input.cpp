// Keyboard and mouse. The user only ever makes a scrollable cell current; fixed
// cells are the program's to visit.
#include "platform/flexgrid.h"

#include "platform/twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include <algorithm>

void MSFlexGrid::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    // A handler may close the window around the grid (a picker picks on any key).
    const QPointer<MSFlexGrid> alive(this);
    emit keyDown(key, event->modifiers());
    if (!alive)
        return;
    if (key == 0 || navigate(key, event->modifiers()))
        event->accept();
    else
        event->ignore(); // Enter, Escape, letters: for the window around the grid
}

// Moves the current cell (or, with Shift, the selection's far corner) as a flex
// grid does, scrolling it into view. Returns false for a key that is not a move.
bool MSFlexGrid::navigate(int key, Qt::KeyboardModifiers mods)
{
    const bool extend = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const int top = fixedRows_, bottom = rows() - 1;
    const int first = fixedCols_, last = cols() - 1;
    int r = extend ? rowSel_ : row_;
    int c = extend ? colSel_ : col_;
    int scrollBy = 0;
    switch (key) {
    case Qt::Key_Up:
        r = ctrl ? top : r - 1;
        break;
    case Qt::Key_Down:
        r = ctrl ? bottom : r + 1;
        break;
    case Qt::Key_Left:
        c = ctrl ? first : c - 1;
        break;
    case Qt::Key_Right:
        c = ctrl ? last : c + 1;
        break;
    case Qt::Key_PageUp:
        scrollBy = -visibleRows();
        r += scrollBy;
        break;
    case Qt::Key_PageDown:
        scrollBy = visibleRows();
        r += scrollBy;
        break;
    case Qt::Key_Home:
        if (ctrl)
            r = top;
        c = first;
        break;
    case Qt::Key_End:
        if (ctrl)
            r = bottom;
        c = last;
        break;
    default:
        return false;
    }
    if (top > bottom || first > last)
        return true; // no scrollable cell to go to
    r = std::clamp(r, top, bottom);
    c = std::clamp(c, first, last);
    if (scrollBy != 0)
        scrollTo(topRow_ + scrollBy, leftCol_);
    scrollToCell(r, c);
    if (extend)
        selectTo(r, c);
    else
        moveCurrent(r, c, r, c);
    return true;
}

void MSFlexGrid::selectTo(int r, int c)
{
    rowSel_ = r;
    colSel_ = c;
    scheduleRepaint();
}

void MSFlexGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        leftPressed_ = true;
        pressWasDouble_ = false;
        pressCell(pos, event->modifiers());
    }
    const QPoint inGrid = pos + contentsRect().topLeft();
    emit mouseDown(event->button(), event->modifiers(), twips::fromPixels(inGrid.x()), twips::fromPixels(inGrid.y()));
}

// A left press on a scrollable cell makes it current (with Shift: extends the
// selection to it); on a fixed column it makes that row current and selects it
// across; on a fixed row it changes nothing.
void MSFlexGrid::pressCell(const QPoint &pos, Qt::KeyboardModifiers mods)
{
    int r, c;
    if (!cellAt(pos, &r, &c) || r < fixedRows_ || fixedCols_ >= cols())
        return;
    const bool extend = mods & Qt::ShiftModifier;
    if (c < fixedCols_) {
        if (extend) {
            selectTo(r, cols() - 1);
        } else {
            scrollToCell(r, fixedCols_);
            moveCurrent(r, fixedCols_, r, cols() - 1);
        }
        return;
    }
    scrollToCell(r, c);
    if (extend) {
        selectTo(r, c);
    } else {
        moveCurrent(r, c, r, c);
        dragSelecting_ = true;
    }
}

void MSFlexGrid::mouseMoveEvent(QMouseEvent *event)
{
    int r, c;
    if (dragSelecting_ && (event->buttons() & Qt::LeftButton) && cellAt(event->position().toPoint(), &r, &c) &&
        r >= fixedRows_ && c >= fixedCols_)
        selectTo(r, c);
}

void MSFlexGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !leftPressed_)
        return;
    leftPressed_ = false;
    dragSelecting_ = false;
    // The release that ends a double click is no second click.
    if (!pressWasDouble_)
        emit click();
    pressWasDouble_ = false;
}

void MSFlexGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    // The first press of the pair has already made the cell current and raised
    // mouseDown and click; this one only makes sure of the cell.
    leftPressed_ = true;
    pressWasDouble_ = true;
    pressCell(event->position().toPoint(), event->modifiers());
    emit dblClick();
}
