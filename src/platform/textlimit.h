#pragma once
// One-line entry boxes: typed and pasted text is taken as one line, and length limits
// are counted in characters. A box's own maximum length counts UTF-16 units, so it
// splits a character at the limit, and it shortens text that code puts into the box;
// this limit does neither: it only stops further typing.

#include <QString>
#include <QValidator>

class QLineEdit;

namespace platform {

// Characters (Unicode code points) in text; a character outside the basic plane
// counts once, not as its two UTF-16 units.
int characterCount(const QString &text);

class CharacterLimit : public QValidator {
    Q_OBJECT
public:
    // Watches box; 0 characters means no limit.
    CharacterLimit(QLineEdit *box, int characters);
    void setLimit(int characters) { limit_ = characters; }
    int characters() const { return limit_; }

    // What typing, pasting or an input method brings in is made one line: each run of
    // tabs and line breaks becomes one blank, or nothing where it would begin or end the
    // text, and other control characters are dropped. Then, where it would pass the limit, only
    // the whole characters that fit are kept. Text that code set is kept as it is; text
    // already longer than the limit may be shortened, and typing stops while it is at
    // or beyond the limit.
    State validate(QString &input, int &pos) const override;

private:
    QLineEdit *box_;
    int limit_;
    QString accepted_; // the box's text before the change being validated
};

// Limits box to that many characters (0: no limit), replacing any earlier limit; what
// comes into it is taken as one line.
void limitCharacters(QLineEdit *box, int characters);
// Takes what comes into box as one line, without a length limit.
inline void keepOneLine(QLineEdit *box) { limitCharacters(box, 0); }

} // namespace platform
