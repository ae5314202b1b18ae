#pragma once
// The current period summarised by account. The working table pzhzk holds one row per
// opening balance of the period (zzqcye) and one per current voucher line (pzk), every
// line whatever its own period; the summary groups them by account.

#include "db/mdlstandard.h"

#include <QString>

namespace closing {

// The working rows as one select over the books (columns kjqj, pz_no, km_no, km_zjf,
// km_name, qcje, jfje, dfje), with the period as its one "?" parameter. The closing
// groups these directly instead of first copying them into pzhzk.
QString workingRowsSelect();

// Empties pzhzk and refills it for the period, as one unit of work: on failure pzhzk is
// as it was.
bool rebuildSummary(const QString &period, QString *error);

// The summary of pzhzk, one row per account code and name: km_no, km_name, qchj
// (opening), jfhj (debit), dfhj (credit), qmhj (closing = opening + debit - credit), all
// in cents. nullptr when it cannot be read.
RecordsetPtr summaryRows(QString *error);

} // namespace closing
