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
    const int top = m_fixedRows, bottom = rows() - 1;
    const int first = m_fixedCols, last = cols() - 1;
    int r = extend ? m_rowSel : m_row;
    int c = extend ? m_colSel : m_col;
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
        scrollTo(m_topRow + scrollBy, m_leftCol);
    scrollToCell(r, c);
    if (extend)
        selectTo(r, c);
    else
        moveCurrent(r, c, r, c);
    return true;
}

void MSFlexGrid::selectTo(int r, int c)
{
    m_rowSel = r;
    m_colSel = c;
    scheduleRepaint();
}

void MSFlexGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_leftPressed = true;
        m_pressWasDouble = false;
        pressCell(pos, event->modifiers());
    }
    const QPoint inGrid = pos + contentsRect().topLeft();
    emit mouseDown(event->button(), event->modifiers(), twips::fromPixels(inGrid.x()),
                   twips::fromPixels(inGrid.y()));
}

// A left press on a scrollable cell makes it current (with Shift: extends the
// selection to it); on a fixed column it makes that row current and selects it
// across; on a fixed row it changes nothing.
void MSFlexGrid::pressCell(const QPoint &pos, Qt::KeyboardModifiers mods)
{
    int r, c;
    if (!cellAt(pos, &r, &c) || r < m_fixedRows || m_fixedCols >= cols())
        return;
    const bool extend = mods & Qt::ShiftModifier;
    if (c < m_fixedCols) {
        if (extend) {
            selectTo(r, cols() - 1);
        } else {
            scrollToCell(r, m_fixedCols);
            moveCurrent(r, m_fixedCols, r, cols() - 1);
        }
        return;
    }
    scrollToCell(r, c);
    if (extend) {
        selectTo(r, c);
    } else {
        moveCurrent(r, c, r, c);
        m_dragSelecting = true;
    }
}

void MSFlexGrid::mouseMoveEvent(QMouseEvent *event)
{
    int r, c;
    if (m_dragSelecting && (event->buttons() & Qt::LeftButton)
        && cellAt(event->position().toPoint(), &r, &c) && r >= m_fixedRows && c >= m_fixedCols)
        selectTo(r, c);
}

void MSFlexGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_leftPressed)
        return;
    m_leftPressed = false;
    m_dragSelecting = false;
    // The release that ends a double click is no second click.
    if (!m_pressWasDouble)
        emit click();
    m_pressWasDouble = false;
}

void MSFlexGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    // The first press of the pair has already made the cell current and raised
    // mouseDown and click; this one only makes sure of the cell.
    m_leftPressed = true;
    m_pressWasDouble = true;
    pressCell(event->position().toPoint(), event->modifiers());
    emit dblClick();
}
