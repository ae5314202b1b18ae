#include "admin/frmczy.h"

#include "gridwin/ingrideditor.h"
#include "platform/flexgrid.h"
#include "platform/msgbox.h"

#include <QLineEdit>

using namespace mdlStandard;

namespace {
const QString kAdministrator = QStringLiteral("759");
const QString kDefaultPassword = QStringLiteral("40617");
const QString kListQuery = QStringLiteral("select * from czy order by czyno");

GridFrameConfig operatorsConfig()
{
    GridFrameConfig c;
    c.name = QStringLiteral("frmczy");
    c.caption = QStringLiteral("操作员信息设置");
    c.title = QStringLiteral("☆ 操 作 员 基 本 信 息 ☆");
    c.columns = {
        {QStringLiteral("序号"), 420},
        {QStringLiteral(" 操作员编号"), 1100, true, QStringLiteral("czyno"), GridColumn::Kind::Text},
        {QStringLiteral("操  作  员  姓  名"), 1800, true, QStringLiteral("czyname"), GridColumn::Kind::Text},
        {QStringLiteral(" 联   系   电   话"), 1800, false, QStringLiteral("lxdh"), GridColumn::Kind::Text},
        {QStringLiteral(" 备                      注"), 3600},
    };
    c.toolbar = GridFrameConfig::recordToolbar(QStringLiteral("操作员信息"));
    c.dispatchOrder = GridFrameConfig::recordDispatchOrder();
    c.searchLabel = QStringLiteral("快速检索：");
    c.note = QStringLiteral("说明：新增或修改状态下，按回车键切换项目；密码默认为：40617，添加后退出，并以该操作员身份登录修改密码。");
    return c;
}

InGridEditorConfig editorConfig()
{
    InGridEditorConfig e;
    e.appendColumn = 1;
    e.editColumn = 2;
    e.wrapColumn = 3;
    e.limits = {{1, 6}, {2, 6}, {3, 20}};
    return e;
}
} // namespace

frmczy::frmczy(QWidget *parent) : RecordWindow(operatorsConfig(), editorConfig(), parent)
{
    // This list has no report: its print button does nothing.
    loadList(kListQuery);
}

std::optional<bool> frmczy::numberTaken(const QString &number)
{
    sqltext = QStringLiteral("select * from czy where czyno=?");
    sharedrs = runsql(sqltext, msgtext, {number});
    if (!sharedrs) {
        platform::notice(QStringLiteral("读取操作员信息失败：") + msgtext);
        return std::nullopt;
    }
    return sharedrs->recordCount() != 0;
}

void frmczy::text1Enter()
{
    const auto taken = numberTaken(MSFlexGrid1->textMatrix(MSFlexGrid1->row(), 1).trimmed());
    if (!taken)
        return;
    if (*taken) {
        editor->text1->clear();
        refuse(QStringLiteral("【操作员编号】不能重复，请重新输入！"), 1);
        return;
    }
    editor->movereturn();
}

bool frmczy::saveAppend()
{
    const int r = MSFlexGrid1->row();
    const QString number = MSFlexGrid1->textMatrix(r, 1).trimmed();
    if (number.isEmpty()) {
        refuse(QStringLiteral("【操作员编号】不能为空，请重新输入！"), 1);
        return false;
    }
    const auto taken = numberTaken(number);
    if (!taken)
        return false;
    if (*taken) {
        refuse(QStringLiteral("【操作员编号】不能重复，请重新输入！"), 1);
        return false;
    }
    if (MSFlexGrid1->textMatrix(r, 2).trimmed().isEmpty()) {
        refuse(QStringLiteral("【操作员姓名】不能为空，请重新输入！"), 2);
        return false;
    }
    setForwardPair(false);
    const int l = MSFlexGrid1->rows() - 1;
    RecordsetPtr rs = sharedrs;
    rs->addNew();
    rs->setValue(QStringLiteral("czyno"), MSFlexGrid1->textMatrix(l, 1).trimmed());
    rs->setValue(QStringLiteral("czyname"), MSFlexGrid1->textMatrix(l, 2).trimmed());
    if (!MSFlexGrid1->textMatrix(l, 3).isEmpty())
        rs->setValue(QStringLiteral("lxdh"), MSFlexGrid1->textMatrix(l, 3).trimmed());
    rs->setValue(QStringLiteral("password"), kDefaultPassword);
    if (!writeRecord(rs, QStringLiteral("操作员信息")))
        return false;
    return true;
}

bool frmczy::saveChange()
{
    const int r = MSFlexGrid1->row();
    const QString name = MSFlexGrid1->textMatrix(r, 2).trimmed();
    const QString phone = MSFlexGrid1->textMatrix(r, 3).trimmed();
    if (name.isEmpty()) {
        refuse(QStringLiteral("【操作员姓名】不能为空，请重新输入！"), 2);
        return false;
    }
    // Nothing is written when the trimmed texts equal what was shown when the change began.
    if (name != shownBefore(2) || phone != shownBefore(3)) {
        sqltext = QStringLiteral("select * from czy where czyno=?");
        sharedrs = runsql(sqltext, msgtext, {MSFlexGrid1->textMatrix(r, 1).trimmed()});
        if (!sharedrs) {
            platform::notice(QStringLiteral("读取操作员信息失败：") + msgtext);
            return false;
        }
        if (sharedrs->eof()) {
            platform::notice(QStringLiteral("该操作员已不存在，无法保存修改！"));
            return false;
        }
        sharedrs->setValue(QStringLiteral("czyname"), name);
        sharedrs->setValue(QStringLiteral("lxdh"),
                           MSFlexGrid1->textMatrix(r, 3).isEmpty() ? QStringLiteral(" < 无 >") : phone);
        if (!writeRecord(sharedrs, QStringLiteral("操作员信息")))
            return false;
    }
    return true;
}



void frmczy::deleterecord()
{
    const int r = MSFlexGrid1->row();
    if (!isRecordRow(r))
        return;
    const QString number = MSFlexGrid1->textMatrix(r, 1).trimmed();
    if (number == kAdministrator) {
        platform::plainNotice(QStringLiteral("【管理员】帐号，不能删除，可以修改密码！"));
        return;
    }
    if (!platform::askDelete(QStringLiteral("确定要删除操作员【") + MSFlexGrid1->textMatrix(r, 2).trimmed() +
                             QStringLiteral("】吗？")))
        return;
    sqltext = QStringLiteral("delete from czy where czyno=?");
    sharedrs = runsql(sqltext, msgtext, {number});
    if (!sharedrs) {
        platform::notice(QStringLiteral("删除操作员失败：") + msgtext);
        return;
    }
    removeRecordRow(r);
}

RecordsetPtr frmczy::searchRows(const QString &typed, QString &status)
{
    if (typed.isEmpty())
        return runsql(kListQuery, status);
    // Numbers that begin with the text, or names that contain it, as typed.
    sqltext = QStringLiteral("select * from czy where ((czyno like ? escape '\\') or (czyname like ? escape '\\')) "
                             "order by czyno");
    return runsql(sqltext, status, {likeEscaped(typed) + '%', '%' + likeEscaped(typed) + '%'});
}
