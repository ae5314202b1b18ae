#pragma once
// The summaries of closed periods, as the closing stored them in pzhzkls.

#include "db/mdlstandard.h"

#include <QString>

namespace closing {

// Every closed period (column kjqj), newest first. nullptr when it cannot be read.
RecordsetPtr closedPeriods(QString *error);

// One closed period's rows by account code: km_no, km_zjf, km_name, kjqj, qcje, jfje,
// dfje, qmje (cents), bz. nullptr when they cannot be read.
RecordsetPtr closedSummary(const QString &period, QString *error);

} // namespace closing
