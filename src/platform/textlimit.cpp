#include "platform/textlimit.h"

#include <QLineEdit>

#include <algorithm>

namespace platform {

int characterCount(const QString &text)
{
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()))
            ++count;
    }
    return count;
}

namespace {
bool breaksLine(QChar c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0x85) ||
           c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// What came in as one line: each run of tabs and line breaks a blank, or nothing where it
// would begin or end the box's text; other control characters dropped.
QString oneLine(const QString &cameIn, bool textBefore, bool textAfter)
{
    QString out;
    out.reserve(cameIn.size());
    bool pendingBlank = false;
    for (const QChar c : cameIn) {
        if (breaksLine(c)) {
            pendingBlank = textBefore || !out.isEmpty();
        } else if (c.category() != QChar::Other_Control) {
            if (pendingBlank)
                out += u' ';
            pendingBlank = false;
            out += c;
        }
    }
    if (pendingBlank && textAfter)
        out += u' ';
    return out;
}

// Steps back from end over that many characters, no further than begin and never to
// between the halves of a surrogate pair.
qsizetype backOverCharacters(const QString &text, qsizetype begin, qsizetype end, int characters)
{
    while (characters > 0 && end > begin) {
        --end;
        if (end > begin && text.at(end).isLowSurrogate() && text.at(end - 1).isHighSurrogate())
            --end;
        --characters;
    }
    return end;
}
} // namespace

CharacterLimit::CharacterLimit(QLineEdit *theBox, int characters)
    : QValidator(theBox), box_(theBox), limit_(characters), accepted_(theBox->text())
{
    connect(box_, &QLineEdit::textChanged, this, [this] { accepted_ = box_->text(); });
}

QValidator::State CharacterLimit::validate(QString &input, int &pos) const
{
    // Text that code set arrives with the box's undo history just cleared; it is kept
    // whole, however long.
    if (input == accepted_ || !box_->isUndoAvailable())
        return Acceptable;
    // What came in lies between the part it shares with the text before and the cursor.
    qsizetype begin = 0;
    while (begin < pos && begin < accepted_.size() && input.at(begin) == accepted_.at(begin))
        ++begin;
    if (begin > 0 && input.at(begin - 1).isHighSurrogate())
        --begin;
    const QString cameIn = oneLine(input.mid(begin, pos - begin), begin > 0, pos < input.size());
    input.replace(begin, pos - begin, cameIn);
    pos = int(begin + cameIn.size());

    if (limit_ <= 0)
        return Acceptable;
    const int allowed = std::max(limit_, characterCount(accepted_));
    const int excess = characterCount(input) - allowed;
    if (excess <= 0)
        return Acceptable;
    const qsizetype end = backOverCharacters(input, begin, pos, excess);
    input.remove(end, pos - end);
    pos = int(end);
    return Acceptable;
}

void limitCharacters(QLineEdit *box, int characters)
{
    // The box's own limit stays at its default, far beyond any text typed here.
    if (auto *existing = qobject_cast<CharacterLimit *>(const_cast<QValidator *>(box->validator())))
        existing->setLimit(characters);
    else
        box->setValidator(new CharacterLimit(box, characters));
}

} // namespace platform
