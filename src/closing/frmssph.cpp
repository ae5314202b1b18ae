#include "closing/frmssph.h"

#include "closing/vouchertotals.h"
#include "reports/drtssph.h"

namespace {
QString verdict(const platform::Recordset &voucher)
{
    const std::optional<Money> debit = Money::fromField(voucher.value(QStringLiteral("jfhj")));
    const std::optional<Money> credit = Money::fromField(voucher.value(QStringLiteral("dfhj")));
    // The totals are sums the database made of whole cents; one that cannot be read
    // passes nothing.
    if (!debit || !credit)
        return QStringLiteral("金额无法读取，未通过审核！");
    return closing::voucherBalances(*debit, *credit) ? QStringLiteral("借贷平衡，审核通过！")
                                                     : QStringLiteral("借贷不平衡，未通过审核！");
}

ReadOnlyList::Setup setup()
{
    using K = GridColumn::Kind;
    ReadOnlyList::Setup s;
    s.name = QStringLiteral("frmssph");
    s.caption = QStringLiteral("会计凭证平衡关系审核");
    s.title = QStringLiteral("☆ 会计凭证平衡关系审核表 ☆");
    s.printTip = QStringLiteral("打印平衡关系审核表");
    s.columns = {{QStringLiteral("序号"), 420},
                 {QStringLiteral("  凭证编号"), 1000, false, QStringLiteral("pz_no"), K::Text},
                 {QStringLiteral("       借  方  合  计 "), 2500, true, QStringLiteral("jfhj"), K::Amount},
                 {QStringLiteral("       贷  方  合  计 "), 2500, true, QStringLiteral("dfhj"), K::Amount},
                 {QStringLiteral(" 凭证平衡关系审核情况"), 3200, false, {}, K::Computed, &verdict}};
    s.totals = TotalsRow{QStringLiteral("  合    计"), {2, 3}};
    s.print = &reports::printBalanceCheck;
    return s;
}
} // namespace

frmssph::frmssph(QWidget *parent) : ReadOnlyList(setup(), parent)
{
    if (!readHeader(true))
        return;
    QString error;
    const RecordsetPtr vouchers = closing::voucherTotals(&error);
    loadList(vouchers, error);
}
