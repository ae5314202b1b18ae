#pragma once
// Small reads and writes that the month-end units of work share: each one statement,
// failing loudly instead of passing a failure off as "nothing there".

#include "db/mdlstandard.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <optional>

namespace closing {

// Runs a statement that returns no rows.
bool execute(const QString &sql, const QVariantList &params, QString *error);

// The first column of the first row as a whole number (a count, a rowid, a sum).
// Nothing when the statement failed, returned no row, or a value that is no whole number.
std::optional<qint64> readNumber(const QString &sql, const QVariantList &params, QString *error);

// A unit of work's start and end, with the reason in *error when either fails.
bool started(const mdlStandard::Transaction &work, QString *error);
bool committed(mdlStandard::Transaction &work, QString *error);

// Connection settings for the month end's bulk statements, restored when it ends.
// - Deleted rows are not overwritten page by page. The month end deletes only rows whose
//   content the books keep anyway (working copies, lines moved into history), so the
//   file's secure deletion, which would rewrite and journal every freed page, hides
//   nothing there and would be the larger part of the time.
// - On request, a larger page cache keeps the pages a unit of work frees and refills in
//   memory instead of reading and journalling them again. Work that only appends and
//   empties gains nothing from it: its pages would merely wait for the commit.
class BulkWork {
public:
    enum class Refills { No, Yes };
    explicit BulkWork(Refills refills);
    ~BulkWork();
    BulkWork(const BulkWork &) = delete;
    BulkWork &operator=(const BulkWork &) = delete;

private:
    QVariant secureDelete_;
    QVariant cacheSize_;
};

} // namespace closing
