#include "admin/frmdw.h"

#include "db/bookfaults.h"
#include "platform/keyedtoolbar.h"
#include "platform/msgbox.h"

#include <QLineEdit>

namespace {
struct Column {
    QString admin::Company::*field;
    const char *labelName;
    const char *label;
    int maxLength;
};
const Column kColumns[] = {
    {&admin::Company::representative, "Labelxm", "用户姓名：", 6},
    {&admin::Company::name, "Labeldw", "单位名称：", 40},
    {&admin::Company::address, "Labeldz", "联系地址：", 40},
    {&admin::Company::postcode, "Labelyb", "邮政编码：", 6},
    {&admin::Company::phone, "Labeldh", "联系电话：", 15},
};
constexpr int kNameBox = 1;
} // namespace

frmdw::frmdw(QWidget *parent)
    : DialogFrame(QStringLiteral("frmdw"), QStringLiteral("单位基本信息"),
                  {QStringLiteral("设  置"), QStringLiteral("设置使用单位信息"), QStringLiteral("保存使用单位信息")},
                  parent)
{
    int index = 0;
    for (const Column &c : kColumns) {
        QLineEdit *box = addEntry(QString::fromLatin1(c.labelName), QString::fromUtf8(c.label),
                                  QStringLiteral("txtitem%1").arg(index++), c.maxLength);
        box->setMinimumWidth(c.maxLength >= 40 ? 320 : 140);
        if (c.maxLength < 40)
            box->setMaximumWidth(140);
    }
    QString error;
    const auto company = admin::readCompany(&error);
    shown_ = company.value_or(admin::Company());
    showCompany();
    setViewing();
    if (!company) {
        Toolbar1()->button(QStringLiteral("button_edit"))->setEnabled(false);
        platform::notice(error);
    }
}

void frmdw::showCompany()
{
    for (int i = 0; i < int(std::size(kColumns)); ++i)
        txtitem(i)->setText(shown_.*kColumns[i].field);
}

void frmdw::editrecord()
{
    setEditing();
    for (QLineEdit *box : entryBoxes())
        box->selectAll();
    txtitem(0)->setFocus();
}

void frmdw::canceledit()
{
    showCompany();
    setViewing();
}

void frmdw::saverecord()
{
    if (txtitem(kNameBox)->text().trimmed().isEmpty()) {
        platform::notice(QStringLiteral("单位名称不能为空，请设置正确的单位名称！\n(单位名称用于打印报表的表头！)"));
        txtitem(kNameBox)->setFocus();
        return;
    }
    admin::Company typed;
    for (int i = 0; i < int(std::size(kColumns)); ++i)
        typed.*kColumns[i].field = txtitem(i)->text();
    QString error;
    if (!admin::saveCompany(typed, &error)) {
        platform::notice(error);
        return;
    }
    // The boxes show the record as the books now hold it.
    const auto stored = admin::readCompany(&error);
    shown_ = stored.value_or(typed);
    showCompany();
    platform::notice(QStringLiteral("单位基本信息设置成功！"));
    if (!stored)
        platform::notice(mdlStandard::kSavedUnread + error);
    setViewing();
}
