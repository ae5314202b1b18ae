#pragma once
// The checks a voucher must pass before it is stored, in the order the operator meets
// them: nothing entered, the date outside the current period, the number, then each
// line in turn. Only the first refusal is told.

#include "vouchers/voucherdraft.h"

#include <QString>

#include <optional>

namespace vouchers {

// Grid columns of the entry window that a refusal can point at.
enum VoucherColumn { CodeColumn = 1, NameColumn = 3, DebitColumn = 4, CreditColumn = 5 };

struct SaveRefusal {
    QString text;
    // Shown with an exclamation under "友情提示"; otherwise a plain box.
    bool notice = false;
    // The number box is emptied and takes the focus.
    bool clearNumber = false;
    // The line the refusal is about (1-based; 0 for the voucher as a whole).
    int line = 0;
    // Where the cursor goes, the editor shown and focused there: line, column.
    // -1 leaves the cursor and the editor as they are.
    int column = -1;
};

// The refusal of a line whose debit and credit both come to zero at the cent. The
// correction of a listed line is refused with the same words.
SaveRefusal zeroLineRefusal(int line);

// The first check the draft fails against the current period text, or nothing.
std::optional<SaveRefusal> checkVoucher(const VoucherDraft &draft, const QString &periodText);

// Line `line` (1-based) shows a code, initials and name that are not one account of the
// chart: typed over after its lookup, or the account changed since. Refused at its code
// cell, telling the user to look the account up again.
SaveRefusal notOneAccount(int line);

} // namespace vouchers
