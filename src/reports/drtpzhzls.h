#pragma once

// The summary of a closed period in print: the voucher summary's layout
// (drtpzhz.h) over the stored summary rows of that period.

#include "platform/recordset.h"
#include "reports/printreport.h"

#include <QString>

class QWidget;

namespace reports {

// Over rows of the closed-period summary (km_no, km_name, qcje, jfje, dfje, qmje).
const ReportLayout &DRTpzhzls();

void printSummaryHistory(const platform::RecordsetPtr &rows, const QString &unitname, const QString &period,
                         QWidget *parent);

} // namespace reports
