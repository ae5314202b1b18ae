#pragma once
// The seven-column grid of voucher lines that the query-and-edit window and the four
// detail queries share: running number, date, voucher number, account name, debit,
// credit, remark.

#include "gridwin/gridframe.h"

#include <vector>

namespace voucherlinegrid {

enum Column { Number = 0, Date = 1, Voucher = 2, Account = 3, Debit = 4, Credit = 5, Remark = 6 };

inline const QString kTitle = QStringLiteral("☆ 会计凭证明细表 ☆");

// Headers, widths, header colours and the fields each column shows.
std::vector<GridColumn> columns();

// The closing row of the read-only lists: the debit and credit sums.
TotalsRow totals();

} // namespace voucherlinegrid
