#pragma once
// Finding an account by what the user remembers of it: the quick search of the chart
// of accounts, and the account lookup of every window that enters a line against it.

#include "db/mdlstandard.h"

#include <QString>

namespace accounts {

// The accounts whose code begins with the text, or whose pinyin initials or name
// contain it, in code order. The text is matched as typed, blanks and wildcard
// characters included; letter case is ignored. An empty text matches every account.
// nullptr when the statement failed or the text is too long to search for; status
// then says why.
RecordsetPtr findAccounts(const QString &text, QString &status);

} // namespace accounts
