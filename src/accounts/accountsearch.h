#pragma once
// Finding an account by what the user remembers of it: the quick search of the chart
// of accounts, the account lookup of every window that enters a line against it, and
// the search of voucher lines by their account.

#include "db/mdlstandard.h"

#include <QString>
#include <QVariantList>

#include <optional>
#include <vector>

namespace accounts {

// Told when a search text finds no account, and when a line names a code the chart
// does not hold (the opening balances).
inline const QString kNoAccountFound =
    QStringLiteral("未检索到会计科目，请输入科目编号、拼音简码或会计科目名称的一部分！");

struct Account {
    QString code;
    QString initials;
    QString name;
    std::optional<QString> page; // the general-ledger page; nothing: left unset or not read
};

// The one matching rule, for a statement over any table carrying km_no, km_zjf and
// km_name: the code begins with the text, or the pinyin initials or the name contain
// it. The text is matched as typed, blanks and wildcard characters included; letter
// case is ignored. `condition` is a parenthesised SQL fragment, `params` its values.
struct AccountMatch {
    QString condition;
    QVariantList params;
};
// Nothing, with *error saying so, when the text is too long to search for.
std::optional<AccountMatch> accountMatch(const QString &text, QString *error);

// The accounts that match the text, in code order. An empty text matches every
// account. nullptr when the statement failed or the text is too long to search for;
// *error then says why.
RecordsetPtr findAccounts(const QString &text, QString *error);

// The same accounts as values: none (tell the user nothing was found), one (fill the
// line) or several (let the user pick). Nothing, with *error set, when the chart could
// not be read.
std::optional<std::vector<Account>> lookupAccounts(const QString &text, QString *error);

} // namespace accounts
