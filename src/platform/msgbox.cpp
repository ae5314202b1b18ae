#include "platform/msgbox.h"

#include <QApplication>
#include <QGridLayout>
#include <QPushButton>
#include <QSpacerItem>
#include <utility>

namespace platform {

namespace {
MsgBoxHandler &handler()
{
    static MsgBoxHandler h;
    return h;
}

const QString kNoticeTitle = QStringLiteral("友情提示");

// A box is as wide as its text, and its title bar cuts a longer title in the middle. The
// box is kept wide enough for the whole title as desktops draw it (bold and larger than
// the text) beside the title bar's icon and buttons.
void keepTitleWhole(QMessageBox &box)
{
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(12);
    const int titleBarButtons = 140;
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + titleBarButtons;
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
}
} // namespace

QString applicationTitle() { return QStringLiteral("财务澄川账簿信息系统"); }

MsgBoxHandler setMsgBoxHandler(MsgBoxHandler h) { return std::exchange(handler(), std::move(h)); }

QMessageBox::StandardButton showMessage(MsgKind kind, const QString &text, const QString &title, QWidget *parent)
{
    MsgBoxRequest r{kind, text, title, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok};
    switch (kind) {
    case MsgKind::Notice:
        break;
    case MsgKind::PlainNotice:
        r.icon = QMessageBox::NoIcon;
        break;
    case MsgKind::Question:
    case MsgKind::DeleteQuestion:
        r.icon = QMessageBox::Question;
        r.buttons = QMessageBox::Yes | QMessageBox::No;
        r.defaultButton = kind == MsgKind::Question ? QMessageBox::No : QMessageBox::Yes;
        break;
    }
    if (r.title.isEmpty())
        r.title = kind == MsgKind::PlainNotice ? applicationTitle() : kNoticeTitle;

    if (handler())
        return handler()(r);

    QMessageBox box(r.icon, r.title, r.text, r.buttons, parent ? parent : QApplication::activeWindow());
    box.setDefaultButton(r.defaultButton);
    keepTitleWhole(box);
    // The question boxes answer Esc with No, as a person closing the box means it.
    if (r.buttons & QMessageBox::No)
        box.setEscapeButton(QMessageBox::No);
    box.exec();
    const auto answer = box.standardButton(box.clickedButton());
    return answer == QMessageBox::NoButton ? (r.buttons & QMessageBox::No ? QMessageBox::No : QMessageBox::Ok) : answer;
}

void notice(const QString &text, const QString &title) { showMessage(MsgKind::Notice, text, title); }

void plainNotice(const QString &text) { showMessage(MsgKind::PlainNotice, text); }

bool askYesNo(const QString &text) { return showMessage(MsgKind::Question, text) == QMessageBox::Yes; }

bool askDelete(const QString &text) { return showMessage(MsgKind::DeleteQuestion, text) == QMessageBox::Yes; }

} // namespace platform
