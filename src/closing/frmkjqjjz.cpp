#include "closing/frmkjqjjz.h"

#include "closing/periodclose.h"
#include "platform/look.h"
#include "platform/msgbox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>

frmkjqjjz::frmkjqjjz(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmkjqjjz"));
    setWindowTitle(QStringLiteral("会计期间结转"));
    auto *Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(QIcon(QStringLiteral(":/kelopz.png")).pixmap(64, 64));
    Label1_ = new QLabel(this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setFont(platform::cjkFont(QStringLiteral("宋体"), 10.5, true));
    Label1_->setMinimumWidth(320);
    Label1_->setWordWrap(true);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(24, 24, 24, 24);
    row->setSpacing(18);
    row->addWidget(Picture1);
    row->addWidget(Label1_, 1);
}

void frmkjqjjz::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (started_)
        return;
    started_ = true;
    Label1_->setText(QStringLiteral("正在进行会计期间结转，请稍候......"));
    // After the window has been painted with the wait text.
    QTimer::singleShot(0, this, &frmkjqjjz::Form_Load);
}

void frmkjqjjz::Form_Load()
{
    repaint();
    QString error;
    const auto outcome = closing::closePeriod(&error);
    finished_ = true;
    if (!outcome) {
        Label1_->setText(QStringLiteral("会计期间结转未能完成，所有数据均保持原样。"));
        platform::notice(QStringLiteral("会计期间结转失败，所有数据均保持原样：") + error);
        return;
    }
    Label1_->setText(QStringLiteral("结转成功，已结转至:") + outcome->next.text());
    emit periodClosed();
}
