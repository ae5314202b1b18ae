#pragma once
// Where the set-up of the books stands (the flags of qy) and the two one-way steps that
// start and end data initialisation.

#include <QString>

#include <optional>

namespace accounts {

// The flag rows and the values that mean "set".
inline const QString kInitItem = QStringLiteral("sjcsh");    // bj "1": books cleared; qyqj "js": ended
inline const QString kPeriodItem = QStringLiteral("qykjqj"); // bj "1": first period set

// Whether the flag column holds exactly the value; a Null or any other text is not set.
// Nothing when the flag row cannot be read or is missing: *error then says that the
// books cannot be read. A step that is not known to be undone must never be taken as
// undone, so callers refuse on nothing rather than read it as "no".
[[nodiscard]] std::optional<bool> flagIs(const QString &item, const QString &column, const QString &value,
                                         QString *error);
[[nodiscard]] inline std::optional<bool> booksCleared(QString *error)
{
    return flagIs(kInitItem, QStringLiteral("bj"), QStringLiteral("1"), error);
}
[[nodiscard]] inline std::optional<bool> firstPeriodSet(QString *error)
{
    return flagIs(kPeriodItem, QStringLiteral("bj"), QStringLiteral("1"), error);
}
[[nodiscard]] inline std::optional<bool> initialisationEnded(QString *error)
{
    return flagIs(kInitItem, QStringLiteral("qyqj"), QStringLiteral("js"), error);
}

// The current-period row as stored: the year text and the period text.
struct CurrentPeriod {
    QString yearText;
    QString periodText;
};
// Nothing when the row cannot be read or is missing; *error says so.
std::optional<CurrentPeriod> currentPeriod(QString *error);

// Empties the ledger tables (keeping accounts, operators, company record and the current
// period) and sets the books-cleared flag, all in one transaction. The flag is tested
// again inside it, so books cleared meanwhile (by another program, or after a stale
// menu) are refused untouched. On failure or refusal nothing is deleted and *error says why.
bool clearBooks(QString *error);

// Sets the initialisation-ended flag.
bool endInitialisation(QString *error);

// Writes the first period into the flags and the current-period row, both or neither.
// Once a first period is set, books may be in use: only the period this window saved
// itself (overwritable, empty when none) may be replaced; any other is refused untouched.
bool saveFirstPeriod(const QString &periodText, const QString &yearText, const QString &overwritable, QString *error);

} // namespace accounts
