#pragma once
// Filling a voucher line's account from what the operator typed into its code cell.

#include <QString>

#include <optional>
#include <vector>

namespace vouchers {

struct Account {
    QString code;
    QString initials;
    QString name;
};

// Told when a search text finds no account, and when a line names a code the chart
// does not hold.
inline const QString kNoAccountFound =
    QStringLiteral("未检索到会计科目，请输入科目编号、拼音简码或会计科目名称的一部分！");

// The accounts the search text finds by the chart's one search rule, in code order:
// none (tell kNoAccountFound), one (fill the line) or several (let the operator pick).
// Nothing, with *error set, when the chart could not be read.
std::optional<std::vector<Account>> lookupAccounts(const QString &searchText, QString *error);

} // namespace vouchers
