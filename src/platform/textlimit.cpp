#include "platform/textlimit.h"

#include "platform/msgbox.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

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

QString boxName(const QString &caption)
{
    QString name = caption.simplified().remove(u' ');
    while (name.endsWith(u'：') || name.endsWith(u':'))
        name.chop(1);
    return name;
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

CharacterLimit::CharacterLimit(QLineEdit *theBox, int characters, const QString &name)
    : QValidator(theBox), box_(theBox), limit_(characters), name_(name), accepted_(theBox->text())
{
    connect(box_, &QLineEdit::textChanged, this, [this] { accepted_ = box_->text(); });
    box_->installEventFilter(this);
}

void CharacterLimit::setLimit(int characters, const QString &name)
{
    limit_ = characters;
    name_ = name;
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
    // A paste cut to fit would be taken for another value: it is refused whole, and the
    // box puts back what it held.
    if (pasting_) {
        refused_ = true;
        return Invalid;
    }
    const qsizetype end = backOverCharacters(input, begin, pos, excess);
    input.remove(end, pos - end);
    pos = int(end);
    return Acceptable;
}

bool CharacterLimit::eventFilter(QObject *watched, QEvent *event)
{
    // While a paste runs, the box's own handling comes next.
    if (watched != box_ || pasting_ || limit_ <= 0 || box_->isReadOnly())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste))
            return false;
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::MiddleButton)
            return false;
        break;
    case QEvent::Drop:
        break;
    case QEvent::ContextMenu:
        if (box_->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false;
        showMenu(static_cast<QContextMenuEvent *>(event));
        return true;
    default:
        return false;
    }
    // A refused drop takes nothing, so the text dragged stays where it came from.
    if (pasteThrough([this, event] { QCoreApplication::sendEvent(box_, event); }) && event->type() == QEvent::Drop)
        static_cast<QDropEvent *>(event)->setDropAction(Qt::IgnoreAction);
    return true;
}

bool CharacterLimit::pasteThrough(const std::function<void()> &paste)
{
    const QString message = QStringLiteral("粘贴后内容超过【%1】的长度限制（最多%2个字符），未粘贴，请核对后重新输入！")
                                .arg(name_)
                                .arg(limit_);
    const QPointer<CharacterLimit> alive(this);
    pasting_ = true;
    refused_ = false;
    paste();
    // A paste taken may lead a window to close the box.
    if (!alive)
        return false;
    pasting_ = false;
    if (refused_)
        notice(message);
    return refused_;
}

void CharacterLimit::showMenu(QContextMenuEvent *event)
{
    // The box's own menu, its paste going through the limit. The paste item is the one
    // wired to the box's paste: its caption is translated and it may carry no name.
    QMenu *menu = box_->createStandardContextMenu();
    for (QAction *action : menu->actions()) {
        if (QObject::disconnect(action, SIGNAL(triggered()), box_, SLOT(paste())))
            connect(action, &QAction::triggered, this, [this] { pasteThrough([this] { box_->paste(); }); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void limitCharacters(QLineEdit *box, int characters, const QString &name)
{
    // The box's own limit stays at its default, far beyond any text typed here.
    if (auto *existing = qobject_cast<CharacterLimit *>(const_cast<QValidator *>(box->validator())))
        existing->setLimit(characters, name);
    else
        box->setValidator(new CharacterLimit(box, characters, name));
}

} // namespace platform
