#include "admin/frmmmxg.h"

#include "admin/operators.h"
#include "db/mdlstandard.h"
#include "platform/msgbox.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

using namespace mdlStandard;

frmmmxg::frmmmxg(QWidget *parent)
    : DialogFrame(QStringLiteral("frmmmxg"), QStringLiteral("操作员密码修改"),
                  {QStringLiteral("修  改"), QStringLiteral("修改密码"), QStringLiteral("保存密码")}, parent)
{
    Labeldm_ = addValue(QStringLiteral("lblDm"), QStringLiteral("代    码："), QStringLiteral("Labeldm"));
    Labelczy_ = addValue(QStringLiteral("lblCzy"), QStringLiteral("姓    名："), QStringLiteral("Labelczy"));
    textymm_ = addEntry(QStringLiteral("lblYmm"), QStringLiteral("原 密 码："), QStringLiteral("textymm"));
    textxmm_ = addEntry(QStringLiteral("lblXmm"), QStringLiteral("新 密 码："), QStringLiteral("textxmm"));
    // Enter in the confirmation box goes back to the old password; it never saves.
    textqrmm_ = addEntry(QStringLiteral("lblQrmm"), QStringLiteral("确认密码："), QStringLiteral("textqrmm"), 0, false);
    textqrmm_->installEventFilter(this);
    for (QLineEdit *box : {textymm_, textxmm_, textqrmm_})
        box->setEchoMode(QLineEdit::Password);

    Labeldm_->setText(loginczyno.toString());
    Labelczy_->setText(loginczyname.toString());
    setViewing();
}

bool frmmmxg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == textqrmm_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            textymm_->setFocus();
    }
    return DialogFrame::eventFilter(watched, event);
}

void frmmmxg::editrecord()
{
    setEditing();
    for (QLineEdit *box : entryBoxes())
        box->clear();
    textymm_->setFocus();
}

void frmmmxg::canceledit()
{
    for (QLineEdit *box : entryBoxes())
        box->clear();
    setViewing();
}

void frmmmxg::saverecord()
{
    // The operator's row is read afresh on every save.
    const QString number = loginczyno.toString();
    std::optional<admin::Operator> current;
    QString error;
    if (!admin::findOperator(number, &current, &error)) {
        platform::notice(error);
        return;
    }
    if (!current) {
        platform::notice(QStringLiteral("当前操作员已不存在，无法修改密码！"));
        return;
    }
    // Both sides trimmed, as the login compares them: a password stored with blanks
    // around it can still be changed.
    if (current->password.trimmed() != textymm_->text().trimmed()) {
        platform::notice(QStringLiteral("原密码不正确，请重新输入原密码！"));
        textymm_->clear();
        textymm_->setFocus();
        return;
    }
    if (textxmm_->text().trimmed() != textqrmm_->text().trimmed()) {
        platform::notice(QStringLiteral("新密码与确认密码不一致，请重新输入密码！"));
        textxmm_->clear();
        textqrmm_->clear();
        textxmm_->setFocus();
        return;
    }
    if (!admin::setPassword(number, textxmm_->text(), &error)) {
        platform::notice(error);
        return;
    }
    setViewing();
}
