#pragma once
// The balance rule and the per-voucher totals it is applied to. A voucher is the set of
// current lines (pzk) sharing one pz_no; it balances when its debit total equals its
// credit total to the cent. Voucher entry never tests this; the balance check lists it,
// the period status counts the failures and the closing gate refuses on any.

#include "db/mdlstandard.h"
#include "platform/money.h"

#include <QString>

#include <optional>

namespace closing {

constexpr bool voucherBalances(Money debit, Money credit) { return debit == credit; }

// One row per voucher number, in number order: pz_no, jfhj (debit total), dfhj (credit
// total), both in cents. nullptr when the lines cannot be read.
RecordsetPtr voucherTotals(QString *error);

struct PeriodStatus {
    QString period;     // the current period text
    int vouchers = 0;   // distinct voucher numbers among the current lines
    int unbalanced = 0; // of those, the ones that do not balance
};

// Where the books stand. Leaves exactly the unbalanced vouchers in pzktemp (replacing
// whatever was there) as one unit of work.
std::optional<PeriodStatus> readPeriodStatus(QString *error);

enum class GateVerdict {
    NoLines,    // the period has no voucher line: only a forced closing can go on
    Unbalanced, // at least one voucher does not balance: no closing
    Balanced,   // every voucher balances: the closing may run
};

// The closing gate's test. Leaves every voucher's totals in pzktemp. A failed read gives
// nothing, never a verdict, so an unreadable month is never let through.
std::optional<GateVerdict> testBeforeClosing(QString *error);

} // namespace closing
