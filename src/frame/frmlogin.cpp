#include "frame/frmlogin.h"

#include "admin/operators.h"
#include "db/mdlstandard.h"
#include "platform/desktop.h"
#include "platform/look.h"
#include "platform/msgbox.h"
#include "platform/textlimit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

using namespace mdlStandard;

namespace {
const QString kLoginTitle = QStringLiteral("友情提示！");
const QString kNoSuchOperator = QStringLiteral("无此用户代码，请重新输入！");
const QString kWrongPassword = QStringLiteral("输入的密码不正确，请重新输入！");

QLabel *boldLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(platform::cjkFont(QStringLiteral("宋体"), 9, true));
    return label;
}

QLineEdit *entryBox(const QString &name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setStyleSheet(QStringLiteral("background-color: %1").arg(platform::vbColor(0x00E0E0E0).name()));
    platform::installEnterAsTab(box);
    platform::keepOneLine(box);
    return box;
}
} // namespace

frmlogin::frmlogin(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmlogin"));
    setWindowTitle(QString());
    platform::keepTitleBarBlank(this);
    setFixedSize(420, 250);

    Label1_ = boldLabel(QStringLiteral("用户代码:"), this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label2_ = boldLabel(QStringLiteral("用户密码:"), this);
    Label2_->setObjectName(QStringLiteral("Label2"));
    txtitem1_ = entryBox(QStringLiteral("txtitem1"), this);
    txtitem2_ = entryBox(QStringLiteral("txtitem2"), this);
    txtitem2_->setEchoMode(QLineEdit::Password);

    Cmdok_ = new QPushButton(QStringLiteral("确    定"), this);
    Cmdok_->setObjectName(QStringLiteral("Cmdok"));
    Cmdcancel_ = new QPushButton(QStringLiteral("取    消"), this);
    Cmdcancel_->setObjectName(QStringLiteral("Cmdcancel"));
    // Neither button is the window's default: Enter presses only the focused button.
    for (QPushButton *b : {Cmdok_, Cmdcancel_}) {
        b->setDefault(false);
        b->setAutoDefault(true);
    }
    Label3_ = new QLabel(QStringLiteral("初始用户代码：759      用户密码：40617"), this);
    Label3_->setObjectName(QStringLiteral("Label3"));
    Label3_->setStyleSheet(QStringLiteral("color: %1").arg(platform::vbColor(0x00FF0000).name()));

    auto *fields = new QGridLayout;
    fields->addWidget(Label1_, 0, 0);
    fields->addWidget(txtitem1_, 0, 1);
    fields->addWidget(Label2_, 1, 0);
    fields->addWidget(txtitem2_, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Cmdok_);
    buttons->addSpacing(24);
    buttons->addWidget(Cmdcancel_);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(60, 40, 60, 12);
    layout->addLayout(fields);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->addStretch();
    layout->addWidget(Label3_, 0, Qt::AlignHCenter);

    setTabOrder(txtitem1_, txtitem2_);
    setTabOrder(txtitem2_, Cmdok_);
    setTabOrder(Cmdok_, Cmdcancel_);
    connect(Cmdok_, &QPushButton::clicked, this, &frmlogin::Cmdok_Click);
    connect(Cmdcancel_, &QPushButton::clicked, this, &frmlogin::Cmdcancel_Click);
    txtitem1_->setFocus();
}

void frmlogin::Cmdok_Click()
{
    if (txtitem1_->text().trimmed().isEmpty()) {
        platform::notice(kNoSuchOperator, kLoginTitle);
        txtitem1_->setFocus();
    } else {
        // The number goes in as typed, blanks kept; the database matches it without regard
        // to letter case.
        std::optional<admin::Operator> found;
        QString error;
        if (!admin::findOperator(txtitem1_->text(), &found, &error)) {
            platform::notice(error, kLoginTitle); // the cause says what to do
        } else if (!found) {
            platform::notice(kNoSuchOperator, kLoginTitle);
            txtitem1_->clear();
            txtitem1_->setFocus();
        } else if (found->password.trimmed() == txtitem2_->text().trimmed()) {
            loginok_ = true;
            loginczyno = found->number;
            loginczyname = found->name;
            hide();
        } else {
            platform::notice(kWrongPassword, kLoginTitle);
            txtitem2_->clear();
            txtitem2_->setFocus();
        }
    }
    ++trycount_;
    if (trycount_ == 3)
        hide();
}

void frmlogin::Cmdcancel_Click()
{
    loginok_ = false;
    hide();
}

void frmlogin::keyPressEvent(QKeyEvent *event)
{
    // Esc does not close the window by itself; only Cancel does.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmlogin::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(0xdf, 0xe9, 0xf5));
    sky.setColorAt(1, QColor(0xa9, 0xc2, 0xe0));
    p.fillRect(rect(), sky);
    p.setPen(QColor(0x5a, 0x7d, 0xb0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
