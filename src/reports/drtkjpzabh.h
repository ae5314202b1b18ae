#pragma once

// The voucher detail list as the queries by voucher number print it: the
// layout of the voucher detail list (drtkjpz.h) under its own preview
// caption, with the account head and the totals label spaced its own way.

#include "platform/recordset.h"
#include "reports/printreport.h"

#include <QString>

class QWidget;

namespace reports {

const ReportLayout &DRTkjpzabh();

// The print action of the detail queries by voucher number (current and
// closed periods); rows carry rq, pz_no, km_name, jfje and dfje.
void printVoucherDetailByNumber(const platform::RecordsetPtr &rows, const QString &unitname, const QString &period,
                                QWidget *parent);

} // namespace reports
