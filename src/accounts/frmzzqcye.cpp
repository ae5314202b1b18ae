#include "accounts/frmzzqcye.h"

#include "accounts/accountsearch.h"
#include "accounts/chart.h"
#include "accounts/frmkjkmcxck.h"
#include "accounts/ledgersetup.h"
#include "accounts/openingbalance.h"
#include "db/period.h"
#include "gridwin/ingrideditor.h"
#include "platform/flexgrid.h"
#include "platform/msgbox.h"

#include <QDate>
#include <QLineEdit>

namespace {
constexpr int kAccountColumn = 1;
constexpr int kAmountColumn = 4;
const QString kNoPeriod = QStringLiteral("【初次使用会计期间】尚未设置，不能设置总帐科目期初余额！");

GridFrameConfig openingBalancesConfig()
{
    GridFrameConfig c;
    c.name = QStringLiteral("frmzzqcye");
    c.caption = QStringLiteral("总帐期初余额设置");
    c.title = QStringLiteral("☆ 总帐期初余额设置 ☆");
    c.columns = {
        {QStringLiteral("序号"), 420},
        {QStringLiteral(" 科目检索"), 1200, true, QStringLiteral("km_no"), GridColumn::Kind::Text},
        {QStringLiteral(" 拼  音  简  码"), 1600, false, QStringLiteral("km_zjf"), GridColumn::Kind::Text},
        {QStringLiteral(" 总帐科目名称"), 3200, false, QStringLiteral("km_name"), GridColumn::Kind::Text},
        {QStringLiteral(" 期  初  余  额"), 1800, true, QStringLiteral("qcje"), GridColumn::Kind::Amount},
        {QStringLiteral("备      注"), 1400},
    };
    c.toolbar = GridFrameConfig::recordToolbar(QStringLiteral("总帐科目余额"));
    c.dispatchOrder = GridFrameConfig::recordDispatchOrder();
    c.note = QStringLiteral("说明：借方大于零输入正数，借方小于零输入负数；贷方大于零输入负数，贷方小于零输入正数。");
    c.noteName = QStringLiteral("Label2");
    c.shadowName = QStringLiteral("Labelbj");
    return c;
}

// A new row walks account and amount; a change stays on the amount. The remark column
// takes no typing, as nothing keeps it. The account lookup makes the jump from the
// account to the amount.
InGridEditorConfig editorConfig()
{
    InGridEditorConfig e;
    e.appendColumn = kAccountColumn;
    e.editColumn = kAmountColumn;
    e.wrapColumn = kAmountColumn;
    e.followCellChange = false;
    return e;
}
} // namespace

frmzzqcye::frmzzqcye(QWidget *parent) : RecordWindow(openingBalancesConfig(), editorConfig(), parent)
{
    connect(MSFlexGrid1(), &MSFlexGrid::rowColChange, this, &frmzzqcye::formatAmountCell);
    // This list has no report: its print button does nothing.
    // Read once: a window left open while initialisation ends keeps its buttons (each
    // write reads the flag again). A flag that cannot be read leaves the window read-only.
    QString error;
    const auto ended = accounts::initialisationEnded(&error);
    if (!ended)
        platform::notice(error);
    readOnly_ = ended.value_or(true);
    if (readOnly_) {
        setButtonsEnabled(
            {QStringLiteral("button_append"), QStringLiteral("button_edit"), QStringLiteral("button_delete")}, false);
    }
    // Only an append needs the period: it reads it again when this read failed.
    readCurrentPeriod(&error);
    const RecordsetPtr rows = accounts::listOpeningBalances(&error);
    loadList(rows, error);
}

bool frmzzqcye::readCurrentPeriod(QString *error)
{
    const auto current = accounts::currentPeriod(error);
    if (!current)
        return false;
    curkjnd_ = current->yearText;
    curkjqj_ = current->periodText;
    return true;
}

bool frmzzqcye::mayWrite()
{
    QString why;
    if (accounts::openingBalancesWritable(&why))
        return true;
    platform::notice(why);
    return false;
}

std::optional<Money> frmzzqcye::checkedAmount(int r, bool clearRefused)
{
    // The amount is the typed decimal rounded to the cent, and it is that rounded
    // amount that must not be zero.
    const QString typed = MSFlexGrid1()->textMatrix(r, kAmountColumn);
    const auto amount = Money::parse(typed);
    if (amount && !amount->isZero())
        return amount;
    refuse(amount ? QStringLiteral("【期初余额】不能为零，请重新输入！")
                  : Money::whyNotAnAmount(typed, QStringLiteral("【期初余额】")),
           kAmountColumn);
    if (clearRefused && editor()->openEditor())
        editor()->openEditor()->clear();
    return std::nullopt;
}

void frmzzqcye::formatAmountCell()
{
    // Within an append or a change; the save shows the row as stored.
    if (dataRows() < 1)
        return;
    const auto format = [this](int r) {
        if (const auto amount = Money::parse(MSFlexGrid1()->textMatrix(r, kAmountColumn)))
            MSFlexGrid1()->setTextMatrix(r, kAmountColumn, amount->toString());
    };
    if (addflag_)
        format(MSFlexGrid1()->rows() - 1);
    if (editflag_)
        format(MSFlexGrid1()->row());
}

bool frmzzqcye::mayAppend()
{
    if (readOnly_)
        return false;
    // The period may have been set while this window stood open.
    QString why;
    const auto periodSet = accounts::firstPeriodSet(&why);
    if (!periodSet) {
        platform::notice(why);
        return false;
    }
    if (*periodSet && !Period::parse(curkjqj_) && !readCurrentPeriod(&why)) {
        platform::notice(why);
        return false;
    }
    if (!*periodSet || !Period::parse(curkjqj_)) {
        platform::plainNotice(kNoPeriod);
        return false;
    }
    const auto number = accounts::nextOpeningDocumentNumber(QDate::currentDate(), &why);
    if (!number) {
        platform::notice(why);
        return false;
    }
    newdjh_ = *number;
    return true;
}

bool frmzzqcye::mayChange() { return !readOnly_; }

void frmzzqcye::deleterecord()
{
    const int r = MSFlexGrid1()->row();
    if (readOnly_ || !isRecordRow(r) || !mayWrite())
        return;
    if (!platform::askDelete(QStringLiteral("确定要删除总帐科目【") + MSFlexGrid1()->textMatrix(r, 3) +
                             QStringLiteral("】的期初余额吗？")))
        return;
    QString error;
    if (written(accounts::deleteOpeningBalance(MSFlexGrid1()->textMatrix(r, kAccountColumn).trimmed(), &error), error))
        removeRecordRow(r);
}

void frmzzqcye::text1Enter()
{
    const int c = MSFlexGrid1()->col();
    if (c == kAccountColumn) {
        lookUpAccount();
        return;
    }
    if (c == kAmountColumn && !checkedAmount(MSFlexGrid1()->row(), true))
        return;
    editor()->movereturn();
}

void frmzzqcye::text2Enter()
{
    // The editor stays on the amount, shown as it will be stored.
    if (!checkedAmount(MSFlexGrid1()->row(), true))
        return;
    formatAmountCell();
    editor()->entercelledit();
}

bool frmzzqcye::balanceIsFree(const QString &code, const QString &whenTaken, bool clearTyped)
{
    QString error;
    const auto taken = accounts::hasOpeningBalance(code, &error);
    return freeOrRefused(taken, error, whenTaken, kAccountColumn, clearTyped);
}

void frmzzqcye::lookUpAccount()
{
    QString error;
    const auto found = accounts::lookupAccounts(editor()->text1()->text(), &error);
    if (!found) {
        platform::notice(error);
        return;
    }
    if (found->empty()) {
        refuse(accounts::kNoAccountFound, kAccountColumn);
        editor()->text1()->clear();
        return;
    }
    accounts::Account account = found->front();
    if (found->size() > 1) {
        // The picker refuses an account that has a balance; a cancel leaves all as it was.
        frmkjkmcxck picker(*found, this);
        if (picker.exec() != QDialog::Accepted || !picker.chosen())
            return;
        account = *picker.chosen();
    } else if (!balanceIsFree(account.code, QStringLiteral(" 已存在此会计科目总帐期初余额，请重新输入！"), true)) {
        return;
    }
    const int r = MSFlexGrid1()->row();
    MSFlexGrid1()->setTextMatrix(r, 1, account.code);
    MSFlexGrid1()->setTextMatrix(r, 2, account.initials);
    MSFlexGrid1()->setTextMatrix(r, 3, account.name);
    MSFlexGrid1()->setCol(kAmountColumn);
    editor()->text1()->setFocus();
}

bool frmzzqcye::saveAppend()
{
    if (!mayWrite())
        return false;
    const int r = MSFlexGrid1()->row();
    const QString typed = MSFlexGrid1()->textMatrix(r, kAccountColumn).trimmed();
    if (typed.isEmpty()) {
        refuse(QStringLiteral("【会计科目】不能为空，请重新输入！"), kAccountColumn);
        return false;
    }
    // The row is saved for the account that carries the code now, whatever an earlier
    // lookup put beside it.
    std::optional<accounts::Account> account;
    QString error;
    if (!accounts::findAccount(typed, &account, &error)) {
        platform::notice(error);
        return false;
    }
    if (!account) {
        refuse(accounts::kNoAccountFound, kAccountColumn);
        return false;
    }
    if (!balanceIsFree(account->code,
                       QStringLiteral("会计科目【") + account->name +
                           QStringLiteral("】的总帐期初余额已存在，请重新选择会计科目！"),
                       false))
        return false;
    const auto amount = checkedAmount(r, false);
    if (!amount)
        return false;
    const QDate today = QDate::currentDate();
    return written(
        accounts::addOpeningBalance(
            {account->code, account->initials, account->name, *amount, newdjh_, today, curkjnd_, curkjqj_}, &error),
        error);
}

RecordWindow::Change frmzzqcye::saveChange()
{
    if (!mayWrite())
        return Change::Refused;
    const int r = MSFlexGrid1()->row();
    const auto amount = checkedAmount(r, false);
    if (!amount)
        return Change::Refused;
    if (MSFlexGrid1()->textMatrix(r, kAmountColumn) == shownBefore(kAmountColumn))
        return Change::Unchanged;
    QString error;
    return writtenChange(
        accounts::changeOpeningBalance(MSFlexGrid1()->textMatrix(r, kAccountColumn).trimmed(), *amount, &error), error);
}

RecordsetPtr frmzzqcye::storedRow(int r, QString *error)
{
    return accounts::readOpeningBalance(MSFlexGrid1()->textMatrix(r, kAccountColumn).trimmed(), error);
}
