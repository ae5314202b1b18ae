#pragma once

// The voucher balance check in print: per voucher number its debit and
// credit totals in a ruled table whose fourth column, the balance verdict,
// is left blank for a hand mark; the grand totals after the last voucher;
// "第n页，共N页" at the foot of every page.

#include "platform/recordset.h"
#include "reports/printreport.h"

#include <QString>

class QWidget;

namespace reports {

const ReportLayout &DRTssph();

// The print action of the balance check window: rows carry pz_no, jfhj and
// dfhj (one per voucher).
void printBalanceCheck(const platform::RecordsetPtr &rows, const QString &unitname, const QString &period,
                       QWidget *parent);

} // namespace reports
