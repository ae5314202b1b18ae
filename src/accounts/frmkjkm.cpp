#include "accounts/frmkjkm.h"

#include "accounts/accountsearch.h"
#include "gridwin/ingrideditor.h"
#include "platform/flexgrid.h"
#include "platform/msgbox.h"
#include "platform/report/gridrows.h"
#include "reports/drtkjkm.h"

#include <QLineEdit>

using namespace mdlStandard;

namespace {
const QString kListQuery = QStringLiteral("select * from kmdmk order by km_no");
const QString kByCode = QStringLiteral("select * from kmdmk where km_no=?");
const char *const kFields[] = {nullptr, "km_no", "km_zjf", "km_name", "km_page"};

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

    // The report's header names the company as it stood when the window opened.
    sharedrs2 = runsql(QStringLiteral("select * from dwmc"), msgtext);
    if (sharedrs2 && !sharedrs2->eof())
        companyName = sharedrs2->text(QStringLiteral("dw_name"));
    unitname = companyName;

    loadList(kListQuery);
}

std::optional<bool> Frmkjkm::codeTaken(const QString &code)
{
    sqltext = kByCode;
    sharedrs = runsql(sqltext, msgtext, {code});
    if (!sharedrs) {
        platform::notice(QStringLiteral("读取会计科目失败：") + msgtext);
        return std::nullopt;
    }
    return sharedrs->recordCount() != 0;
}

void Frmkjkm::text1Enter()
{
    const auto taken = codeTaken(MSFlexGrid1->textMatrix(MSFlexGrid1->row(), 1).trimmed());
    if (!taken)
        return;
    if (*taken) {
        editor->text1->clear();
        refuse(QStringLiteral("【会计科目】不能重复，请重新输入！"), 1);
        return;
    }
    editor->movereturn();
}

bool Frmkjkm::saveAppend()
{
    const int r = MSFlexGrid1->row();
    const QString code = MSFlexGrid1->textMatrix(r, 1).trimmed();
    if (code.isEmpty()) {
        refuse(QStringLiteral("【科目编号】不能为空，请重新输入！"), 1);
        return false;
    }
    const auto taken = codeTaken(code);
    if (!taken)
        return false;
    if (*taken) {
        refuse(QStringLiteral("【科目编号】不能重复，请重新输入！"), 1);
        return false;
    }
    if (!initialsAndNameGiven(r))
        return false;
    setForwardPair(false);
    // The empty result of the duplicate check takes the new row.
    const int l = MSFlexGrid1->rows() - 1;
    RecordsetPtr rs = sharedrs;
    rs->addNew();
    for (int c = 1; c <= 4; ++c) {
        // An empty page stays unset; a page of blanks is stored as the empty text.
        const QString cell = MSFlexGrid1->textMatrix(l, c);
        if (!cell.isEmpty())
            rs->setValue(QString::fromLatin1(kFields[c]), cell.trimmed());
    }
    if (!writeRecord(rs, QStringLiteral("会计科目")))
        return false;
    return true;
}

bool Frmkjkm::initialsAndNameGiven(int r)
{
    if (MSFlexGrid1->textMatrix(r, 2).trimmed().isEmpty()) {
        refuse(QStringLiteral("【拼音简码】不能为空，请重新输入！"), 2);
        return false;
    }
    if (MSFlexGrid1->textMatrix(r, 3).trimmed().isEmpty()) {
        refuse(QStringLiteral("【会计科目名称】不能为空，请重新输入！"), 3);
        return false;
    }
    return true;
}

bool Frmkjkm::saveChange()
{
    const int r = MSFlexGrid1->row();
    if (!initialsAndNameGiven(r))
        return false;
    bool changed = false;
    for (int c = 1; c <= 4; ++c)
        changed = changed || MSFlexGrid1->textMatrix(r, c).trimmed() != shownBefore(c);
    if (changed) {
        sqltext = kByCode;
        sharedrs = runsql(sqltext, msgtext, {MSFlexGrid1->textMatrix(r, 1).trimmed()});
        if (!sharedrs) {
            platform::notice(QStringLiteral("读取会计科目失败：") + msgtext);
            return false;
        }
        if (sharedrs->eof()) {
            platform::notice(QStringLiteral("该会计科目已不存在，无法保存修改！"));
            return false;
        }
        for (int c = 2; c <= 4; ++c)
            sharedrs->setValue(QString::fromLatin1(kFields[c]), MSFlexGrid1->textMatrix(r, c).trimmed());
        if (!writeRecord(sharedrs, QStringLiteral("会计科目")))
            return false;
    }
    return true;
}

void Frmkjkm::deleterecord()
{
    const int r = MSFlexGrid1->row();
    if (!isRecordRow(r))
        return;
    const QString code = MSFlexGrid1->textMatrix(r, 1).trimmed();
    const QString name = MSFlexGrid1->textMatrix(r, 3).trimmed();
    // Voucher lines of the current period copy the account; closed periods and opening
    // balances keep their own copy and do not hold it.
    sqltext = QStringLiteral("select * from pzk where km_no=?");
    sharedrs2 = runsql(sqltext, msgtext, {code});
    if (!sharedrs2) {
        platform::notice(QStringLiteral("读取会计凭证失败：") + msgtext);
        return;
    }
    if (sharedrs2->recordCount() > 0) {
        platform::plainNotice(QStringLiteral("会计科目【") + name + QStringLiteral("】已经使用，不能删除！"));
        return;
    }
    if (!platform::askDelete(QStringLiteral("确定要删除会计科目【") + name + QStringLiteral("】吗？")))
        return;
    sqltext = QStringLiteral("delete from kmdmk where km_no=?");
    sharedrs = runsql(sqltext, msgtext, {code});
    if (!sharedrs) {
        platform::notice(QStringLiteral("删除会计科目失败：") + msgtext);
        return;
    }
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
    for (int r = 0; r < MSFlexGrid1->rows(); ++r) {
        if (isRecordRow(r))
            rows << r;
    }
    reports::printChartOfAccounts(platform::report::snapshotGridRows(*MSFlexGrid1, fields, rows), companyName, this);
}

RecordsetPtr Frmkjkm::searchRows(const QString &typed, QString &status)
{
    return accounts::findAccounts(typed, status);
}
