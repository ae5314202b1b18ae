#pragma once
// Filling a voucher line's account from what the operator typed into its code cell:
// the chart's one search rule.

#include "accounts/accountsearch.h"

#include <QString>

namespace vouchers {

using accounts::Account;
using accounts::lookupAccounts;

// Told when a search text finds no account, and when a line names a code the chart
// does not hold.
inline const QString kNoAccountFound =
    QStringLiteral("未检索到会计科目，请输入科目编号、拼音简码或会计科目名称的一部分！");

} // namespace vouchers
