#include "gridwin/voucherlinegrid.h"

namespace voucherlinegrid {

std::vector<GridColumn> columns()
{
    using Kind = GridColumn::Kind;
    // Dark red heads mark the date and the two amounts.
    return {
        {QStringLiteral("序号"), 420},
        {QStringLiteral("  记帐日期"), 1100, true, QStringLiteral("rq"), Kind::Text},
        {QStringLiteral("凭证编号"), 800, false, QStringLiteral("pz_no"), Kind::Text},
        {QStringLiteral("  会    计    科    目    名    称"), 3600, false, QStringLiteral("km_name"), Kind::Text},
        {QStringLiteral("  借 方 金 额 "), 1500, true, QStringLiteral("jfje"), Kind::Amount},
        {QStringLiteral("  贷 方 金 额 "), 1500, true, QStringLiteral("dfje"), Kind::Amount},
        {QStringLiteral(" 备     注 "), 1000, false, QStringLiteral("bz"), Kind::Text},
    };
}

TotalsRow totals() { return {QStringLiteral("  合    计"), {Debit, Credit}}; }

} // namespace voucherlinegrid
