#pragma once
// A date box with a calendar that drops down from it. The program reads and sets its
// date; the operator picks a day in the calendar or types a whole date. The first key
// typed into a box that shows a date starts a new text, wherever the cursor or the
// selection stands; after a key that edits in place (Backspace, Delete) typing goes where
// the cursor is. The text is read when the box is left or Enter is pressed, and then shown
// in the box's own form. A text that is no date is refused with a message and stays, to
// be mended: the box never puts another date in its place, and its value is no date
// until then. Tab leaves the box, so Enter-as-Tab moves on to the next control.

#include <QDate>
#include <QLineEdit>

#include <optional>

class QCalendarWidget;
class QFrame;

namespace platform {

// The date that a whole typed date names: year, month and day with "-", "/" or "." between
// them ("2026-12-05", "2026/12/5"), with 年, 月 and 日 ("2026年12月5日", 日 may be left
// off), or as eight digits ("20261205"). Blanks around it and full-width characters are
// taken. Nothing for any other text, or for a day that does not exist ("2026-02-30").
std::optional<QDate> readTypedDate(const QString &text);

class DTPicker : public QLineEdit {
    Q_OBJECT
public:
    explicit DTPicker(QWidget *parent = nullptr);

    // The date the box shows; an invalid date while it holds a text that is no date.
    QDate value() const;
    void setValue(const QDate &value);

    QCalendarWidget *calendarWidget() const { return calendar_; }
    // Drops the calendar down under the box, on the date shown (F4, Alt+Down, the arrow).
    // A read-only box only shows its date: it takes no typing and opens no calendar.
    void showCalendar();

signals:
    // A key went down in the box, before the box acts on it. keyCode is a Qt::Key value
    // passed by reference: a handler that sets it to 0 swallows the key. Connect it
    // directly (the default within one thread).
    void keyDown(int &keyCode, Qt::KeyboardModifiers shift);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Takes the text: a date is shown in the box's form (true); any other text is refused
    // with a message, and the box keeps the focus with the text selected (false).
    bool takeTyped();
    // A key or an input method's text that begins a new date replaces the date shown.
    void startNewText();

    QFrame *popup_;
    QCalendarWidget *calendar_;
    bool showsDate_ = true; // the text is a date the box set, not typed over yet
};

} // namespace platform
