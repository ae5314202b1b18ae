#include "platform/dtpicker.h"

#include <QKeyEvent>

namespace platform {

DTPicker::DTPicker(QWidget *parent) : QDateEdit(QDate::currentDate(), parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    // Any day a person may book, well beyond either side of today.
    setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
}

void DTPicker::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    emit keyDown(key, event->modifiers());
    if (key == 0) {
        event->accept();
        return;
    }
    QDateEdit::keyPressEvent(event);
}

// The date edit would step through its sections on Tab; the box is one control.
bool DTPicker::focusNextPrevChild(bool next) { return QWidget::focusNextPrevChild(next); }

} // namespace platform
