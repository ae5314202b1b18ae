#pragma once
// A voucher as the entry window holds it before it is stored: the date, the number and
// the lines, every value still the text the operator typed. The save's checks and the
// totals row read it; nothing here touches the books.

#include "platform/money.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace vouchers {

// One line as its cells hold it: the account code (or a search text not yet looked
// up), the account's pinyin initials and name, and the debit and credit texts.
struct VoucherLine {
    QString code;
    QString initials;
    QString name;
    QString debit;
    QString credit;
};

struct VoucherDraft {
    QDate date;
    QString number;
    std::vector<VoucherLine> lines;
};

// A total past what integer cents hold is nothing, never a wrapped-round amount.
struct VoucherTotals {
    std::optional<Money> debit;
    std::optional<Money> credit;
};

// The value an amount cell stands for: a blank cell, or a text that is not a number
// (still being typed, or refused later), counts as nothing.
Money amountOf(const QString &text);

// The totals row: exact sums of the lines' amounts.
VoucherTotals totalsOf(const std::vector<VoucherLine> &lines);

// An amount cell as the grid shows it once the cursor leaves it: a number with two
// decimals (12 → "12.00"); a blank cell, or a text that is no number, stays as it is.
QString shownAmount(const QString &text);

// The voucher number a text names: a whole number, blanks around it allowed.
// Nothing for any other text (blank, letters, a fraction such as 12.5).
std::optional<qint64> voucherNumber(const QString &text);

// Why voucherNumber refused a text that is not blank, told for the box so named
// ("【凭证编号】"): a number too large for the books, or no whole number at all.
QString whyNotAVoucherNumber(const QString &text, const QString &box);

} // namespace vouchers
