#include "frame/frmface.h"

#include "platform/desktop.h"
#include "platform/look.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

frmface::frmface(QWidget *parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmface"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    platform::keepTitleBarBlank(this);

    auto *thanks =
        new QLabel(QStringLiteral("    感谢您使用《财务澄川账簿系统》，我们的成长与发展离不开您的支持。"), this);
    thanks->setObjectName(QStringLiteral("Label1"));
    thanks->setWordWrap(true);
    thanks->setFont(platform::cjkFont(QStringLiteral("宋体"), 10.5, true));
    thanks->setStyleSheet(QStringLiteral("color: %1").arg(platform::vbColor(0x00C00000).name()));
    auto *motto = new QLabel(QStringLiteral("   软件选择我做主，企业管理我清楚"), this);
    motto->setObjectName(QStringLiteral("Label2"));
    motto->setFont(platform::cjkFont(QStringLiteral("华文行楷"), 14.25, true));
    motto->setStyleSheet(QStringLiteral("color: %1").arg(platform::vbColor(0x000000FF).name()));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 190, 24, 24);
    layout->addWidget(thanks);
    layout->addStretch();
    layout->addWidget(motto);
}

void frmface::paintEvent(QPaintEvent *)
{
    // Two pictures: a ledger page above, a band of colour below.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(0xfb, 0xf8, 0xef));
    QLinearGradient band(0, 0, width(), 0);
    band.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
    band.setColorAt(1, QColor(0x6f, 0xa8, 0xdc));
    p.fillRect(QRect(0, 0, width(), 170), band);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    const QRect page(width() / 2 - 70, 25, 140, 120);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawRoundedRect(page, 6, 6);
    for (int y = page.top() + 20; y < page.bottom() - 8; y += 16)
        p.drawLine(page.left() + 12, y, page.right() - 12, y);
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x8c), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(1, 1, -1, -1));
}
