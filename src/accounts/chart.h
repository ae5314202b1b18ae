#pragma once
// The chart of accounts (kmdmk): listed in code order, looked up by code (letter case
// ignored), added, changed and deleted while no voucher line uses the account. The
// search by what the user remembers of an account is accounts/accountsearch.

#include "accounts/accountsearch.h"
#include "db/mdlstandard.h"

#include <QString>

#include <optional>

namespace accounts {

// nullptr when the chart cannot be read: *error is the books' reason.
RecordsetPtr listAccounts(QString *error);

// The row of the account with the code, as stored. nullptr when the chart cannot be read.
RecordsetPtr readAccount(const QString &code, QString *error);

// The account with the code: *found stays empty when there is none. False when the
// chart cannot be read.
bool findAccount(const QString &code, std::optional<Account> *found, QString *error);
std::optional<bool> codeTaken(const QString &code, QString *error);
// Whether voucher lines of the current period name the account. Closed periods and
// opening balances keep their own copy of the account and do not hold it.
std::optional<bool> accountInUse(const QString &code, QString *error);

bool addAccount(const Account &added, QString *error);
// Writes initials, name and page (the empty text when it has none) of the account
// with the code; the code itself is fixed once saved.
bool changeAccount(const Account &changed, QString *error);
bool deleteAccount(const QString &code, QString *error);

} // namespace accounts
