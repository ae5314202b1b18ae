#pragma once
// Storing a voucher: one pzk row per line, in line order, all or none.

#include "vouchers/vouchercheck.h"

#include <QString>

#include <optional>

namespace vouchers {

// Checks the draft against the period current at this moment and stores it, stamped
// with that period, in one transaction. Each line must show the code, initials and name
// of one account of the chart, exactly as the chart holds them.
// Once stored, the voucher as the books hold it, read back before the transaction
// commits: the date, the number, and each line's account and amounts, an amount of 0 as
// an empty text and any other in two decimals. Nothing with *refusal set when a check
// refused the voucher (a line that shows no one account of the chart is refused at its
// line, see notOneAccount), or with *error set when the books could not be read or
// written; either way nothing is stored.
std::optional<VoucherDraft> saveVoucher(const VoucherDraft &draft, std::optional<SaveRefusal> *refusal, QString *error);

} // namespace vouchers
