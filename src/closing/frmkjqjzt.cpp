#include "closing/frmkjqjzt.h"

#include "closing/vouchertotals.h"
#include "platform/look.h"
#include "platform/msgbox.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

frmkjqjzt::frmkjqjzt(QWidget *parent, const QDate &today) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmkjqjzt"));
    setWindowTitle(QStringLiteral("会计期间状态"));

    auto *Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::Panel);
    Picture1->setFrameShadow(QFrame::Sunken);
    auto *Image1 = new QLabel(Picture1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QIcon(QStringLiteral(":/kelopz.png")).pixmap(48, 48));
    (new QHBoxLayout(Picture1))->addWidget(Image1);

    const QString captions[4] = {QStringLiteral("当前工作会计期间："), QStringLiteral("当前已录入凭证张数："),
                                 QStringLiteral("未通过审核凭证张数："), QStringLiteral("当前系统工作日期：")};
    auto *grid = new QGridLayout(this);
    grid->addWidget(Picture1, 0, 0, 8, 1, Qt::AlignTop);
    const QFont font = platform::cjkFont(QStringLiteral("宋体"), 10.5, true);
    for (int i = 0; i < 4; ++i) {
        auto *caption = new QLabel(captions[i], this);
        caption->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        values_[i] = new QLabel(this);
        values_[i]->setObjectName(QStringLiteral("Label%1").arg(i + 5));
        values_[i]->setMinimumWidth(140);
        for (QLabel *l : {caption, values_[i]})
            l->setFont(font);
        grid->addWidget(caption, 2 * i, 1, Qt::AlignRight);
        grid->addWidget(values_[i], 2 * i, 2);
        auto *rule = new QFrame(this);
        rule->setObjectName(QStringLiteral("Line%1").arg(i + 1));
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Sunken);
        grid->addWidget(rule, 2 * i + 1, 1, 1, 2);
    }

    QString error;
    const auto status = closing::readPeriodStatus(&error);
    if (!status) {
        platform::notice(QStringLiteral("读取会计期间状态失败：") + error);
        return;
    }
    values_[0]->setText(status->period);
    values_[1]->setText(QString::number(status->vouchers));
    values_[2]->setText(QString::number(status->unbalanced));
    values_[3]->setText(dateText(today));
    loaded_ = true;
}

QLabel *frmkjqjzt::valueLabel(int row) const { return values_[row - 1]; }

QString frmkjqjzt::dateText(const QDate &date)
{
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}
