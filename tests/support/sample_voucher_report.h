#pragma once

// The voucher detail list the books print (reports::DRTkjpz) over made-up rows:
// tests of the report engine and the benchmark share it.

#include "platform/report/report.h"

#include <memory>

namespace testsupport {

platform::report::Report voucherListReport();

// Columns rq, pz_no, km_name, jfje, dfje (amounts in cents). Row i has
// voucher number i + 1; even rows are debits of (i + 1) * 12345 cents, odd
// rows credits of the same.
std::shared_ptr<platform::report::ReportTable> voucherRows(int count);

} // namespace testsupport
