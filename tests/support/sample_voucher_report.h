#pragma once

// A voucher-line list laid out as the printed voucher reports are: a ruled
// five-column table under a title, company and period, page numbers at the
// foot of every page and debit/credit totals after the last row. Tests and
// the benchmark share it.

#include "platform/report/report.h"

#include <memory>

namespace testsupport {

// Twips from the table's left edge: date | number | account | debit | credit.
inline constexpr int kVoucherColumns[] = {0, 1230, 2460, 4935, 6720, 8685};
inline constexpr int kVoucherPageHeaderHeight = 1665;
inline constexpr int kVoucherDetailHeight = 465;
inline constexpr int kVoucherPageFooterHeight = 558;
inline constexpr int kVoucherReportFooterHeight = 672;

platform::report::Report voucherListReport();

// Columns rq, pz_no, km_name, jfje, dfje (amounts in cents). Row i has
// voucher number i + 1; even rows are debits of (i + 1) * 12345 cents, odd
// rows credits of the same.
std::shared_ptr<platform::report::ReportTable> voucherRows(int count);

} // namespace testsupport
