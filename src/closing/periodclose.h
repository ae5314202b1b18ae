#pragma once
// The month-end closing: the current period's lines and summary go into history, each
// account's closing balance becomes its opening balance of the next period, and the next
// period becomes current. Whether the month may be closed is the gate's test
// (vouchertotals.h); this is what runs once it has passed or the user forced it.

#include "db/period.h"

#include <QString>

#include <optional>

namespace closing {

struct ClosingOutcome {
    Period closed; // the period that went into history
    Period next;   // the period now current
};

// One unit of work: either every step is in the books or none is, so a failure or a
// killed process leaves the books exactly as before and a retry starts clean.
// - every pzk line goes to pzkls with bz "已结转";
// - the summary (the period's opening balances plus every line), grouped by account code,
//   initials, name and period, goes to pzhzkls with bz "已结转";
// - dqkjqj advances: kjqj the next period, kjnd its bare four-digit year;
// - every account of that summary gets a zzqcye row for the next period holding its
//   closing balance (zero included), without document number, date or year;
// - pzk and pzhzk are emptied; pzktemp keeps the gate's totals.
// Nothing, with *error saying why, when any step fails or the current period is not a
// period text.
std::optional<ClosingOutcome> closePeriod(QString *error);

} // namespace closing
