#pragma once
// Where the set-up of the books stands (the flags of qy) and the two one-way steps that
// start and end data initialisation.

#include <QString>

namespace ledger {

// The flag rows and the values that mean "set".
inline const QString kInitItem = QStringLiteral("sjcsh");     // bj "1": books cleared; qyqj "js": ended
inline const QString kPeriodItem = QStringLiteral("qykjqj");  // bj "1": first period set

// True only when the flag column holds exactly the value; a missing row or a Null is
// not set.
bool flagIs(const QString &item, const QString &column, const QString &value);
inline bool booksCleared() { return flagIs(kInitItem, QStringLiteral("bj"), QStringLiteral("1")); }
inline bool firstPeriodSet() { return flagIs(kPeriodItem, QStringLiteral("bj"), QStringLiteral("1")); }
inline bool initialisationEnded() { return flagIs(kInitItem, QStringLiteral("qyqj"), QStringLiteral("js")); }

// Empties the ledger tables (keeping accounts, operators, company record and the current
// period) and sets the books-cleared flag, all in one transaction: on failure nothing is
// deleted, the flag stays unset and *error says why.
bool clearBooks(QString *error);

// Sets the initialisation-ended flag.
bool endInitialisation(QString *error);

// Writes the first period into the flags and the current-period row, both or neither.
bool saveFirstPeriod(const QString &periodText, const QString &yearText, QString *error);

} // namespace ledger
