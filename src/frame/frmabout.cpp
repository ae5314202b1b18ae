#include "frame/frmabout.h"

#include "platform/desktop.h"
#include "platform/look.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QString());
    platform::keepTitleBarBlank(this);
    setFixedSize(420, 260);

    auto *title = new QLabel(QStringLiteral("财务澄川账簿信息系统"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setFont(platform::cjkFont(QStringLiteral("黑体"), 16, true));
    auto *version = new QLabel(QStringLiteral("版本 1.0"), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto *mailLabel = new QLabel(QStringLiteral("联系邮箱："), this);
    mailLabel->setObjectName(QStringLiteral("lblMailbox"));
    lblContact_ = new QLabel(contactAddress(), this);
    lblContact_->setObjectName(QStringLiteral("lblContact"));
    lblContact_->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline"));
    lblContact_->setCursor(Qt::PointingHandCursor);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(130, 40, 24, 24);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addStretch();
    layout->addWidget(mailLabel);
    layout->addWidget(lblContact_);
    for (QLabel *l : {title, version, mailLabel, lblContact_})
        l->installEventFilter(this);
}

QString frmAbout::contactAddress() { return QStringLiteral("support@kelopz.example"); }

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == lblContact_)
            platform::shellOpen(QStringLiteral("mailto:") + contactAddress());
        else
            close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::mousePressEvent(QMouseEvent *) { close(); }

void frmAbout::paintEvent(QPaintEvent *)
{
    // The two pictures: a coin and a ledger, drawn rather than shipped as files.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(0xf4, 0xf6, 0xfa));
    p.setBrush(QColor(0xe3, 0xb3, 0x3c));
    p.setPen(QPen(QColor(0xa6, 0x7c, 0x1a), 2));
    p.drawEllipse(QRect(30, 40, 70, 70));
    p.setBrush(QColor(0xff, 0xff, 0xff));
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x8c), 2));
    p.drawRect(QRect(30, 130, 70, 90));
    for (int y = 150; y < 215; y += 14)
        p.drawLine(38, y, 92, y);
}
