#include "accounts/frmkjkm.h"

#include "accounts/accountsearch.h"
#include "accounts/chart.h"
#include "admin/company.h"
#include "db/bookheader.h"
#include "gridwin/ingrideditor.h"
#include "platform/flexgrid.h"
#include "platform/msgbox.h"
#include "platform/report/gridrows.h"
#include "reports/drtkjkm.h"

#include <QLineEdit>

namespace {

GridFrameConfig chartConfig()
{
    GridFrameConfig c;
    c.name = QStringLiteral("Frmkjkm");
    c.caption = QStringLiteral("会计科目信息设置");
    c.title = QStringLiteral("☆ 会 计 科 目 信 息 ☆");
    c.columns = {
        {QStringLiteral("序号"), 420},
        {QStringLiteral(" 科目编号"), 1000, true, QStringLiteral("km_no"), GridColumn::Kind::Text},
        {QStringLiteral("拼音简码"), 1500, true, QStringLiteral("km_zjf"), GridColumn::Kind::Text},
        {QStringLiteral("会  计  科  目  名  称"), 3600, true, QStringLiteral("km_name"), GridColumn::Kind::Text},
        {QStringLiteral(" 总帐页码 "), 2500, false, QStringLiteral("km_page"), GridColumn::Kind::Text},
    };
    c.toolbar = GridFrameConfig::recordToolbar(QStringLiteral("会计科目信息"));
    c.dispatchOrder = GridFrameConfig::recordDispatchOrder();
    c.searchLabel = QStringLiteral("快速检索：");
    c.shadowName = QStringLiteral("Labelbj");
    return c;
}

InGridEditorConfig editorConfig()
{
    InGridEditorConfig e;
    e.appendColumn = 1;
    e.editColumn = 2; // the code is fixed once saved
    e.wrapColumn = 4;
    e.limits = {{1, 4}, {2, 15}, {3, 30}, {4, 4}};
    return e;
}
} // namespace

Frmkjkm::Frmkjkm(QWidget *parent) : RecordWindow(chartConfig(), editorConfig(), parent)
{
    setAction(QStringLiteral("button_print"), [this] { printreport(); });
    setUniqueKey({accounts::codeTaken, QStringLiteral("【科目编号】不能为空，请重新输入！"),
                  QStringLiteral("【科目编号】不能重复，请重新输入！"),
                  QStringLiteral("【会计科目】不能重复，请重新输入！")});

    // The report's header names the company as it stood when the window opened; a name
    // that cannot be read leaves the header blank, as the list still can be worked on.
    QString error;
    companyName_ = mdlStandard::companyName(&error).value_or(QString());

    const RecordsetPtr rows = accounts::listAccounts(&error);
    loadList(rows, error);
}

void Frmkjkm::text1Enter() { enterKey(); }

bool Frmkjkm::saveAppend()
{
    if (!newKeyAccepted() || !initialsAndNameGiven(MSFlexGrid1()->row()))
        return false;
    setForwardPair(false);
    const int l = MSFlexGrid1()->rows() - 1;
    accounts::Account added{MSFlexGrid1()->textMatrix(l, 1).trimmed(), MSFlexGrid1()->textMatrix(l, 2).trimmed(),
                            MSFlexGrid1()->textMatrix(l, 3).trimmed(), std::nullopt};
    // An empty page stays unset; a page of blanks is stored as the empty text.
    if (!MSFlexGrid1()->textMatrix(l, 4).isEmpty())
        added.page = MSFlexGrid1()->textMatrix(l, 4).trimmed();
    QString error;
    return written(accounts::addAccount(added, &error), error);
}

bool Frmkjkm::initialsAndNameGiven(int r)
{
    if (MSFlexGrid1()->textMatrix(r, 2).trimmed().isEmpty()) {
        refuse(QStringLiteral("【拼音简码】不能为空，请重新输入！"), 2);
        return false;
    }
    if (MSFlexGrid1()->textMatrix(r, 3).trimmed().isEmpty()) {
        refuse(QStringLiteral("【会计科目名称】不能为空，请重新输入！"), 3);
        return false;
    }
    return true;
}

RecordWindow::Change Frmkjkm::saveChange()
{
    const int r = MSFlexGrid1()->row();
    if (!initialsAndNameGiven(r))
        return Change::Refused;
    bool changed = false;
    for (int c = 1; c <= 4; ++c)
        changed = changed || MSFlexGrid1()->textMatrix(r, c).trimmed() != shownBefore(c);
    if (!changed)
        return Change::Unchanged;
    QString error;
    return writtenChange(
        accounts::changeAccount({MSFlexGrid1()->textMatrix(r, 1).trimmed(), MSFlexGrid1()->textMatrix(r, 2).trimmed(),
                                 MSFlexGrid1()->textMatrix(r, 3).trimmed(), MSFlexGrid1()->textMatrix(r, 4).trimmed()},
                                &error),
        error);
}

RecordsetPtr Frmkjkm::storedRow(int r, QString *error)
{
    return accounts::readAccount(MSFlexGrid1()->textMatrix(r, 1).trimmed(), error);
}

void Frmkjkm::deleterecord()
{
    const int r = MSFlexGrid1()->row();
    if (!isRecordRow(r))
        return;
    const QString code = MSFlexGrid1()->textMatrix(r, 1).trimmed();
    const QString name = MSFlexGrid1()->textMatrix(r, 3).trimmed();
    QString error;
    const auto inUse = accounts::accountInUse(code, &error);
    if (!inUse) {
        platform::notice(error);
        return;
    }
    if (*inUse) {
        platform::plainNotice(QStringLiteral("会计科目【") + name + QStringLiteral("】已经使用，不能删除！"));
        return;
    }
    if (!platform::askDelete(QStringLiteral("确定要删除会计科目【") + name + QStringLiteral("】吗？")))
        return;
    if (written(accounts::deleteAccount(code, &error), error))
        removeRecordRow(r);
}

void Frmkjkm::printreport()
{
    // Exactly the accounts the grid lists, as it shows them: rows added or deleted
    // since the last fill or search print as they stand on screen.
    QStringList fields;
    for (const GridColumn &column : config().columns)
        fields << column.field;
    QList<int> rows;
    for (int r = 0; r < MSFlexGrid1()->rows(); ++r) {
        if (isRecordRow(r))
            rows << r;
    }
    reports::printChartOfAccounts(platform::report::snapshotGridRows(*MSFlexGrid1(), fields, rows), companyName_, this);
}

RecordsetPtr Frmkjkm::searchRows(const QString &typed, QString *error) { return accounts::findAccounts(typed, error); }
