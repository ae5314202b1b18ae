#include "admin/frmczy.h"

#include "admin/operators.h"
#include "gridwin/ingrideditor.h"
#include "platform/flexgrid.h"
#include "platform/msgbox.h"

#include <QLineEdit>

namespace {

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
    c.note = QStringLiteral(
        "说明：新增或修改状态下，按回车键切换项目；密码默认为：40617，添加后退出，并以该操作员身份登录修改密码。");
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
    const QString taken = QStringLiteral("【操作员编号】不能重复，请重新输入！");
    setUniqueKey({admin::numberTaken, QStringLiteral("【操作员编号】不能为空，请重新输入！"), taken, taken});
    // This list has no report: its print button does nothing.
    QString error;
    const RecordsetPtr rows = admin::listOperators(&error);
    loadList(rows, error);
}

void frmczy::text1Enter() { enterKey(); }

bool frmczy::saveAppend()
{
    if (!newKeyAccepted())
        return false;
    const int r = MSFlexGrid1()->row();
    if (MSFlexGrid1()->textMatrix(r, 2).trimmed().isEmpty()) {
        refuse(QStringLiteral("【操作员姓名】不能为空，请重新输入！"), 2);
        return false;
    }
    setForwardPair(false);
    const int l = MSFlexGrid1()->rows() - 1;
    admin::Operator added{MSFlexGrid1()->textMatrix(l, 1).trimmed(), MSFlexGrid1()->textMatrix(l, 2).trimmed(),
                          std::nullopt, admin::kDefaultPassword};
    if (!MSFlexGrid1()->textMatrix(l, 3).isEmpty())
        added.phone = MSFlexGrid1()->textMatrix(l, 3).trimmed();
    QString error;
    return written(admin::addOperator(added, &error), error);
}

RecordWindow::Change frmczy::saveChange()
{
    const int r = MSFlexGrid1()->row();
    const QString name = MSFlexGrid1()->textMatrix(r, 2).trimmed();
    const QString phone = MSFlexGrid1()->textMatrix(r, 3).trimmed();
    if (name.isEmpty()) {
        refuse(QStringLiteral("【操作员姓名】不能为空，请重新输入！"), 2);
        return Change::Refused;
    }
    // Nothing is written when the trimmed texts equal what was shown when the change began.
    if (name == shownBefore(2) && phone == shownBefore(3))
        return Change::Unchanged;
    QString error;
    return writtenChange(
        admin::changeOperator(MSFlexGrid1()->textMatrix(r, 1).trimmed(), name,
                              MSFlexGrid1()->textMatrix(r, 3).isEmpty() ? QStringLiteral(" < 无 >") : phone, &error),
        error);
}

RecordsetPtr frmczy::storedRow(int r, QString *error)
{
    return admin::readOperator(MSFlexGrid1()->textMatrix(r, 1).trimmed(), error);
}

void frmczy::deleterecord()
{
    const int r = MSFlexGrid1()->row();
    if (!isRecordRow(r))
        return;
    const QString number = MSFlexGrid1()->textMatrix(r, 1).trimmed();
    if (number == admin::kAdministrator) {
        platform::plainNotice(QStringLiteral("【管理员】帐号，不能删除，可以修改密码！"));
        return;
    }
    if (!platform::askDelete(QStringLiteral("确定要删除操作员【") + MSFlexGrid1()->textMatrix(r, 2).trimmed() +
                             QStringLiteral("】吗？")))
        return;
    QString error;
    if (written(admin::deleteOperator(number, &error), error))
        removeRecordRow(r);
}

RecordsetPtr frmczy::searchRows(const QString &typed, QString *error) { return admin::searchOperators(typed, error); }
