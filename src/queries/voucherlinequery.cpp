#include "queries/voucherlinequery.h"

#include "db/bookheader.h"
#include "gridwin/voucherlinegrid.h"
#include "platform/desktop.h"
#include "platform/msgbox.h"
#include "reports/drtkjpz.h"
#include "reports/drtkjpzabh.h"
#include "vouchers/voucherstore.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using queries::LineFilter;
using queries::LineScope;

namespace {

GridFrameConfig frameConfig(const VoucherQueryConfig &q)
{
    GridFrameConfig c;
    c.name = q.name;
    c.caption = q.caption;
    c.title = voucherlinegrid::kTitle;
    c.columns = voucherlinegrid::columns();
    c.toolbar = GridFrameConfig::withNavigationAndExit({
        {QStringLiteral("button_print"), QStringLiteral("打  印"), QStringLiteral("打印凭证明细表")},
        {},
    });
    c.dispatchOrder = {QStringLiteral("button_first"), QStringLiteral("button_back"), QStringLiteral("button_next"),
                       QStringLiteral("button_last"),  QStringLiteral("button_exit"), QStringLiteral("button_print")};
    c.mouseRow = GridFrameConfig::MouseRow::RowSel;
    c.totals = voucherlinegrid::totals();
    // Print stays on: an empty list prints its headers and zero totals.
    c.rowButtons = {};
    c.shadowName = QStringLiteral("Labelbj");
    if (q.filter == VoucherQueryConfig::Filter::Account) {
        c.searchLabel = QStringLiteral("会计科目检索：");
        c.searchLabelName = QStringLiteral("Label2");
    }
    return c;
}

} // namespace

VoucherQueryConfig queries::frmakjkmcx()
{
    return {QStringLiteral("frmakjkmcx"), QStringLiteral("按会计科目查询"), false, VoucherQueryConfig::Filter::Account,
            &reports::printVoucherDetail};
}

VoucherQueryConfig queries::frmakjkmlscx()
{
    return {QStringLiteral("frmakjkmlscx"), QStringLiteral("按会计科目查询"), true, VoucherQueryConfig::Filter::Account,
            &reports::printVoucherDetail};
}

VoucherQueryConfig queries::frmapzbhcx()
{
    return {QStringLiteral("frmapzbhcx"), QStringLiteral("按凭证编号查询"), false,
            VoucherQueryConfig::Filter::VoucherNumber, &reports::printVoucherDetailByNumber};
}

VoucherQueryConfig queries::frmapzbhlscx()
{
    return {QStringLiteral("frmapzbhlscx"), QStringLiteral("按凭证编号查询"), true,
            VoucherQueryConfig::Filter::VoucherNumber, &reports::printVoucherDetailByNumber};
}

VoucherLineQuery::VoucherLineQuery(const VoucherQueryConfig &config, QWidget *parent)
    : GridFrame(frameConfig(config), parent), qcfg_(config)
{
    setAction(QStringLiteral("button_print"), [this] { printreport(); });
    if (qcfg_.closedPeriods) {
        periodBox_ = addChooser(QStringLiteral("Label1"), QStringLiteral("会计期间："), QStringLiteral("Combo1"), 0);
        connect(periodBox_, &QComboBox::activated, this, [this] { periodChosen(); });
    }
    if (qcfg_.filter == VoucherQueryConfig::Filter::VoucherNumber) {
        numberBox_ = addChooser(QStringLiteral("Label2"),
                                qcfg_.closedPeriods ? QStringLiteral("凭证号码：") : QStringLiteral("凭证编号："),
                                qcfg_.closedPeriods ? QStringLiteral("Combo2") : QStringLiteral("Combo1"), -1);
        connect(numberBox_, &QComboBox::activated, this,
                [this] { query(LineFilter::voucher(platform::chosenEntry(numberBox_)), false); });
    } else {
        connect(Textjs(), &QLineEdit::returnPressed, this, [this] { search(); });
    }
    setBackPair(false);
    setForwardPair(false);

    QString error;
    const std::optional<QString> company = mdlStandard::companyName(&error);
    std::optional<QString> period = QString();
    if (company && !qcfg_.closedPeriods)
        period = mdlStandard::currentPeriodText(&error);
    std::optional<QStringList> closed = QStringList();
    if (company && period && periodBox_)
        closed = queries::closedPeriods(&error);
    if (!company || !period || !closed) {
        platform::notice(error);
        return;
    }
    companyName_ = *company;
    currentPeriod_ = *period;
    if (periodBox_) {
        periodBox_->addItems(*closed);
        periodBox_->setEditText(closed->value(0));
    }
    shownPeriod_ = qcfg_.closedPeriods ? platform::chosenEntry(periodBox_) : currentPeriod_;
    if (numberBox_)
        fillNumbers();
    QString linesError;
    loadList(queries::readVoucherLines(scope(), LineFilter::all(), &linesError), linesError);
}

QComboBox *VoucherLineQuery::addChooser(const QString &labelName, const QString &label, const QString &boxName, int at)
{
    auto *caption = new QLabel(label, this);
    caption->setObjectName(labelName);
    auto *box = new QComboBox(this);
    box->setObjectName(boxName);
    // The text can be typed, but only an entry chosen from the list runs a query.
    platform::chooseFromListOnly(box);
    box->setMinimumContentsLength(12);
    addControl(caption, at);
    addControl(box, at < 0 ? -1 : at + 1);
    return box;
}

LineScope VoucherLineQuery::scope() const
{
    // The period chosen, never a text typed over it.
    return qcfg_.closedPeriods ? LineScope::closed(platform::chosenEntry(periodBox_)) : LineScope::current();
}

bool VoucherLineQuery::query(const LineFilter &filter, bool keepOnEmpty)
{
    QString error;
    const RecordsetPtr rows = queries::readVoucherLines(scope(), filter, &error);
    if (!rows) {
        platform::notice(error);
        return false;
    }
    if (keepOnEmpty && rows->recordCount() < 1)
        return true;
    shownPeriod_ = qcfg_.closedPeriods ? platform::chosenEntry(periodBox_) : currentPeriod_;
    return loadList(rows, error);
}

void VoucherLineQuery::periodChosen()
{
    // The numbers to choose from are those of the period now listed; a period that
    // cannot be read leaves the box on the period listed.
    if (!query(LineFilter::all(), false))
        periodBox_->setCurrentIndex(periodBox_->findText(shownPeriod_));
    else if (numberBox_)
        fillNumbers();
}

void VoucherLineQuery::fillNumbers()
{
    QString error;
    const auto numbers = queries::voucherNumbers(scope(), &error);
    numberBox_->clear();
    numberBox_->addItem(queries::kAllVouchers);
    if (!numbers) {
        platform::notice(error);
        return;
    }
    for (qint64 n : *numbers)
        numberBox_->addItem(QString::number(n));
    // Among no numbers, none is chosen: the box stays empty.
    numberBox_->setCurrentIndex(numbers->isEmpty() ? -1 : 0);
}

void VoucherLineQuery::search() { query(LineFilter::account(Textjs()->text()), true); }

void VoucherLineQuery::printreport() { qcfg_.print(shownRows(), companyName_, shownPeriod_, this); }
