#pragma once
// A date box with a calendar that drops down from it. The program reads and sets its
// date; the operator types into its year, month and day or picks a day in the calendar.
// Tab leaves the box (arrow keys move between its parts), so Enter-as-Tab moves on to
// the next control.

#include <QDate>
#include <QDateEdit>

namespace platform {

class DTPicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DTPicker(QWidget *parent = nullptr);

    QDate value() const { return date(); }
    void setValue(const QDate &value) { setDate(value); }

signals:
    // A key went down in the box, before the box acts on it. keyCode is a Qt::Key value
    // passed by reference: a handler that sets it to 0 swallows the key. Connect it
    // directly (the default within one thread).
    void keyDown(int &keyCode, Qt::KeyboardModifiers shift);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;
};

} // namespace platform
