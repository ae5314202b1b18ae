#pragma once
// The four kinds of message box the system shows, and a seam through which tests
// answer them and read what they would have shown.

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace platform {

enum class MsgKind {
    Notice,         // exclamation, OK, titled "友情提示"
    PlainNotice,    // no icon, OK, carrying the application's title
    Question,       // question, Yes/No, No the default, titled "友情提示"
    DeleteQuestion, // question, Yes/No, Yes the default, titled "友情提示"
};

struct MsgBoxRequest {
    MsgKind kind;
    QString text;
    QString title;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
};

// Shows the box modally and returns the button pressed (Ok, Yes or No).
QMessageBox::StandardButton showMessage(MsgKind kind, const QString &text, const QString &title = QString(),
                                        QWidget *parent = nullptr);

// Convenience forms used throughout the windows.
void notice(const QString &text, const QString &title = QString());
void plainNotice(const QString &text);
bool askYesNo(const QString &text);  // true on Yes; No is the default
bool askDelete(const QString &text); // true on Yes; Yes is the default

// The title of boxes given none of their own.
QString applicationTitle();

// Tests install a handler that answers instead of a person; an empty handler restores
// the real boxes. Returns the handler it replaces, so that a scope can put that one back.
using MsgBoxHandler = std::function<QMessageBox::StandardButton(const MsgBoxRequest &)>;
MsgBoxHandler setMsgBoxHandler(MsgBoxHandler handler);

} // namespace platform
