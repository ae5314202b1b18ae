#pragma once
// The current period summarised by account. The working table pzhzk holds one row per
// opening balance of the period (zzqcye) and one per current voucher line (pzk), every
// line whatever its own period; the summary groups them by account.

#include "db/mdlstandard.h"

#include <QString>

namespace closing {

// Empties pzhzk and refills it for the period, as one unit of work: on failure pzhzk is
// as it was.
bool rebuildSummary(const QString &period, QString *error);

// The working rows of the period grouped by the given account columns (a fixed list such
// as "km_no, km_name"): those columns, then qchj (opening), jfhj (debit), dfhj (credit)
// and qmhj (closing = opening + debit - credit), all exact in cents or the statement
// fails as a total too large. The period is its one "?".
// The same sums as grouping pzhzk right after a rebuild, but taken from the books
// themselves, so that the lines are summed along the account index instead of sorted.
QString accountSumsSelect(const QString &keys);

// The summary the window lists, one row per account code and name: km_no, km_name,
// qchj, jfhj, dfhj, qmhj. nullptr when it cannot be read.
RecordsetPtr summaryRows(const QString &period, QString *error);

} // namespace closing
