#pragma once

// The voucher summary in print: per account its code, name, opening
// balance, debit and credit totals and closing balance in a ruled table, the
// four grand totals after the last account, "第n页，共N页" on every page.

#include "platform/recordset.h"
#include "reports/printreport.h"

#include <QString>

class QWidget;

namespace reports {

// Over the current period's summary rows (km_no, km_name, qchj, jfhj, dfhj, qmhj).
const ReportLayout &DRTpzhz();

void printVoucherSummary(const platform::RecordsetPtr &rows, const QString &unitname, const QString &period,
                         QWidget *parent);

namespace parts {
// The summary layout, for its twin over closed periods to adjust.
platform::report::Report voucherSummaryReport();
} // namespace parts

} // namespace reports
