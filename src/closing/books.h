#pragma once
// Small reads and writes that the month-end units of work share: each one statement,
// failing loudly instead of passing a failure off as "nothing there".

#include "db/mdlstandard.h"

#include <QString>
#include <QVariantList>

#include <optional>

namespace closing {

// Runs a statement that returns no rows.
bool execute(const QString &sql, const QVariantList &params, QString *error);

// The first column of the first row as a whole number (a count, a rowid, a sum).
// Nothing when the statement failed or returned no row.
std::optional<qint64> readNumber(const QString &sql, const QVariantList &params, QString *error);

// A unit of work's start and end, with the reason in *error when either fails.
bool started(const mdlStandard::Transaction &work, QString *error);
bool committed(mdlStandard::Transaction &work, QString *error);

// The current period text as the one dqkjqj row holds it ("" before the first period is
// set). Nothing when the row cannot be read or is missing.
std::optional<QString> currentPeriodText(QString *error);

} // namespace closing
