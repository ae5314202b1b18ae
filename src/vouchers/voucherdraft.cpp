#include "vouchers/voucherdraft.h"

namespace vouchers {

Money amountOf(const QString &text) { return Money::parse(text).value_or(Money()); }

VoucherTotals totalsOf(const std::vector<VoucherLine> &lines)
{
    VoucherTotals totals{Money(), Money()};
    for (const VoucherLine &line : lines) {
        if (totals.debit)
            totals.debit = totals.debit->checkedAdd(amountOf(line.debit));
        if (totals.credit)
            totals.credit = totals.credit->checkedAdd(amountOf(line.credit));
    }
    return totals;
}

QString shownAmount(const QString &text)
{
    const auto amount = Money::parse(text);
    return amount ? amount->toString() : text;
}

std::optional<qint64> voucherNumber(const QString &text)
{
    // Read through the one number rule, so "+12" and " 12 " are numbers here as they
    // are in an amount cell; pz_no holds whole numbers only, so a point is refused
    // rather than rounded away.
    const auto value = Money::parse(text);
    if (!value || text.contains('.'))
        return std::nullopt;
    return value->cents() / 100;
}

QString whyNotAVoucherNumber(const QString &text, const QString &box)
{
    // A number is refused for its size by the rule every amount follows.
    return Money::whyNotAnAmount(text, box);
}

} // namespace vouchers
