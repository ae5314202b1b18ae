#include "admin/frmdw.h"

#include "platform/keyedtoolbar.h"
#include "platform/msgbox.h"

#include <QLineEdit>

using namespace mdlStandard;

namespace {
struct Column {
    const char *field;
    const char *labelName;
    const char *label;
    int maxLength;
};
const Column kColumns[] = {
    {"frdb", "Labelxm", "用户姓名：", 6},       {"dw_name", "Labeldw", "单位名称：", 40},
    {"dw_address", "Labeldz", "联系地址：", 40}, {"yzbm", "Labelyb", "邮政编码：", 6},
    {"lxdh", "Labeldh", "联系电话：", 15},
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
    sqltext = QStringLiteral("select * from dwmc");
    sharedrs = runsql(sqltext, msgtext);
    row = sharedrs;
    showRow();
    setViewing();
    if (!row || row->eof()) {
        Toolbar1->button(QStringLiteral("button_edit"))->setEnabled(false);
        platform::notice(QStringLiteral("无法读取单位基本信息，请检查数据库文件！"));
    }
}

void frmdw::showRow()
{
    for (int i = 0; i < int(std::size(kColumns)); ++i)
        txtitem(i)->setText(row ? row->text(QString::fromLatin1(kColumns[i].field)) : QString());
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
    showRow();
    setViewing();
}

void frmdw::saverecord()
{
    if (txtitem(kNameBox)->text().trimmed().isEmpty()) {
        platform::notice(QStringLiteral("单位名称不能为空，请设置正确的单位名称！\n(单位名称用于打印报表的表头！)"));
        txtitem(kNameBox)->setFocus();
        return;
    }
    for (int i = 0; i < int(std::size(kColumns)); ++i)
        row->setValue(QString::fromLatin1(kColumns[i].field), txtitem(i)->text());
    QString error;
    if (!row->update(&error)) {
        platform::notice(QStringLiteral("单位基本信息保存失败：") + error);
        return;
    }
    platform::notice(QStringLiteral("单位基本信息设置成功！"));
    setViewing();
}
