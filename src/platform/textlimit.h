#pragma once
// Length limits of entry boxes, counted in characters. A box's own maximum length
// counts UTF-16 units, so it splits a character at the limit, and it shortens text
// that code puts into the box; this limit does neither: it only stops further typing.

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

    // Typing, pasting or an input method's text that would pass the limit keeps only
    // the whole characters that fit. Text that is already longer, as code set it, is
    // kept; it may be shortened, and typing stops while it is at or beyond the limit.
    State validate(QString &input, int &pos) const override;

private:
    QLineEdit *box_;
    int limit_;
    QString accepted_; // the box's text before the change being validated
};

// Limits box to that many characters (0: no limit), replacing any earlier limit.
void limitCharacters(QLineEdit *box, int characters);

} // namespace platform
