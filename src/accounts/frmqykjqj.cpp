#include "accounts/frmqykjqj.h"

#include "accounts/ledgersetup.h"
#include "db/bookfaults.h"
#include "db/period.h"
#include "platform/keyedtoolbar.h"
#include "platform/look.h"
#include "platform/money.h"
#include "platform/msgbox.h"

#include <QAction>
#include <QLineEdit>

namespace {
constexpr int kYearBox = 0;
constexpr int kMonthBox = 1;
} // namespace

frmqykjqj::frmqykjqj(QWidget *parent)
    : DialogFrame(QStringLiteral("frmqykjqj"), QStringLiteral("初次使用会计期间设置"),
                  {QStringLiteral("设  置"),
                   QStringLiteral("设置初始会计期间"),
                   QStringLiteral("保存初始会计期间"),
                   {QStringLiteral("button_edit"), QStringLiteral("|"), QStringLiteral("button_cancel"),
                    QStringLiteral("button_save"), QStringLiteral("|"), QStringLiteral("button_exit")}},
                  parent)
{
    addEntry(QStringLiteral("Label1"), QStringLiteral("初始会计期间年份："), QStringLiteral("txtitem0"), 4);
    addEntry(QStringLiteral("Label2"), QStringLiteral("初始会计期间月份："), QStringLiteral("txtitem1"), 2, true, true);
    for (QLineEdit *box : entryBoxes()) {
        box->setFont(platform::cjkFont(QStringLiteral("黑体"), 10.5, true));
        box->setMaximumWidth(80);
    }
    addNote(QStringLiteral("注意："));
    addNote(QStringLiteral("1、本模块功能是设置您帐务开始使用的会计年份、会计月份。"));
    addNote(QStringLiteral("2、启用会计期间后，请进行会计科目的建立和期初余额的设置。"));
    setViewing();
}

void frmqykjqj::editrecord()
{
    setEditing();
    txtitem(kYearBox)->setFocus();
}

void frmqykjqj::canceledit()
{
    for (QLineEdit *box : entryBoxes())
        box->clear();
    setViewing();
}

void frmqykjqj::saverecord()
{
    QLineEdit *year = txtitem(kYearBox);
    QLineEdit *month = txtitem(kMonthBox);
    if (year->text().trimmed().isEmpty()) {
        platform::notice(QStringLiteral("启用年份不能为空，请重新输入！"));
        year->setFocus();
        return;
    }
    if (month->text().trimmed().isEmpty()) {
        platform::notice(QStringLiteral("启用月份不能为空，请重新输入！"));
        month->setFocus();
        return;
    }
    // Plain digits only: a sign, a point or an exponent would make a period text of the
    // wrong form, which every later step relies on.
    const auto yearValue = numbers::parsePlainInteger(year->text().trimmed());
    if (!yearValue || *yearValue < 1990 || *yearValue > 2100) {
        platform::notice(QStringLiteral("年份不合法，应输入四位年份（1990-2100），请重新输入！"));
        year->clear();
        year->setFocus();
        return;
    }
    const auto monthValue = numbers::parsePlainInteger(month->text().trimmed());
    if (!monthValue || *monthValue < 1 || *monthValue > 12) {
        platform::notice(QStringLiteral("月份不合法，应输入二位月份（1-12），请重新输入！"));
        month->clear();
        month->setFocus();
        return;
    }
    const Period first{*yearValue, *monthValue};
    month->setText(first.text().mid(5, 2));
    const QString periodText = first.text();

    QString error;
    if (!accounts::saveFirstPeriod(periodText, first.yearText(), savedPeriod_, &error)) {
        platform::notice(QStringLiteral("会计期间保存失败，未作任何修改：") + error);
        return;
    }
    savedPeriod_ = periodText;
    showStoredPeriod();
    for (QLineEdit *box : entryBoxes())
        box->setEnabled(false);
    platform::notice(QStringLiteral("会计期间设置成功，系统自") + periodText +
                     QStringLiteral("开始使用，您可以设置会计科目、总帐期初余额！"));
    emit firstPeriodSaved();
    setViewing();
}

void frmqykjqj::showStoredPeriod()
{
    QString error;
    const auto stored = accounts::currentPeriod(&error);
    const auto period = stored ? Period::parse(stored->periodText) : std::nullopt;
    if (!period) {
        platform::notice(mdlStandard::kSavedUnread + error);
        return;
    }
    txtitem(kYearBox)->setText(period->bareYearText());
    txtitem(kMonthBox)->setText(period->text().mid(5, 2));
}
