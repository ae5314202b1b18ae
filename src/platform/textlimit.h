#pragma once
// One-line entry boxes: typed and pasted text is taken as one line, and length limits
// are counted in characters. A box's own maximum length counts UTF-16 units, so it
// splits a character at the limit, it shortens text that code puts into the box, and it
// keeps of a paste what fits; this limit does none of these: typing stops at it, and a
// paste that would pass it is refused whole, with a message naming the box.

#include <QString>
#include <QValidator>

#include <functional>

class QContextMenuEvent;
class QLineEdit;

namespace platform {

// Characters (Unicode code points) in text; a character outside the basic plane
// counts once, not as its two UTF-16 units.
int characterCount(const QString &text);

// A caption as the name of the box beside it: without blanks and a closing colon
// ("邮政编码：", " 借  方  金  额" → "邮政编码", "借方金额").
QString boxName(const QString &caption);

class CharacterLimit : public QValidator {
    Q_OBJECT
public:
    // Watches box; 0 characters means no limit. name is what the box is called when a
    // paste is refused.
    CharacterLimit(QLineEdit *box, int characters, const QString &name);
    void setLimit(int characters, const QString &name);
    int characters() const { return limit_; }

    // What typing, pasting or an input method brings in is made one line: each run of
    // tabs and line breaks becomes one blank, or nothing where it would begin or end the
    // text, and other control characters are dropped. Then, where it would pass the limit,
    // a paste is refused whole; of what is typed only the whole characters that fit are
    // kept. Text that code set is kept as it is; text already longer than the limit may
    // be shortened, and typing stops while it is at or beyond the limit.
    State validate(QString &input, int &pos) const override;

protected:
    // Ctrl+V, Shift+Insert, the middle button (the X11 selection), a drop of text and
    // the context menu's paste are pastes.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Runs what pastes into the box; when the paste would pass the limit the box keeps
    // its text, cursor and selection, the user is told why, and the answer is true.
    bool pasteThrough(const std::function<void()> &paste);
    void showMenu(QContextMenuEvent *event);

    QLineEdit *box_;
    int limit_;
    QString name_;
    QString accepted_; // the box's text before the change being validated
    bool pasting_ = false;
    mutable bool refused_ = false;
};

// Limits box to that many characters (0: no limit), replacing any earlier limit and
// name; what comes into it is taken as one line.
void limitCharacters(QLineEdit *box, int characters, const QString &name);
// Takes what comes into box as one line, without a length limit.
inline void keepOneLine(QLineEdit *box) { limitCharacters(box, 0, QString()); }

} // namespace platform
