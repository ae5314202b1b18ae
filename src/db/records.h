#pragma once
// The row reads and writes that the stores of every area make alike: whether a key is
// taken, adding a row, changing the row a key names, and a statement without rows.
// What they report in *error is the sentence the user is shown.

#include "db/mdlstandard.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <optional>
#include <utility>
#include <vector>

namespace records {

// Column names with their values; the names are the store's own, never typed text.
using Fields = std::vector<std::pair<QString, QVariant>>;

// The rows of the select. nullptr when it failed: *error is unreadable followed by the
// books' reason.
RecordsetPtr read(const QString &select, const QVariantList &params, const QString &unreadable, QString *error);

// The first row of the select, made into a record by make(row): *found stays empty when
// there is none. False when the select failed.
template <class Record, class Make>
bool findFirst(const QString &select, const QVariantList &params, const QString &unreadable, Make make,
               std::optional<Record> *found, QString *error)
{
    const auto rs = read(select, params, unreadable, error);
    if (!rs)
        return false;
    found->reset();
    if (!rs->eof())
        *found = make(*rs);
    return true;
}

// Whether the select returns a row. Nothing when it failed: *error is unreadable
// followed by the books' reason.
std::optional<bool> anyRow(const QString &select, const QVariantList &params, const QString &unreadable,
                           QString *error);

// Assigns the fields of the row that runsql read (its current row, or the row being
// added) and writes them back. A field that cannot be assigned fails the write before
// anything is written: a change is never reported saved without its fields.
bool writeFields(const RecordsetPtr &row, const Fields &fields, QString *error);

// Adds a row of the table with the fields given; the others stay Null. On failure
// *error says that the record (named by noun, as "会计科目") could not be saved, and why.
bool addRow(const QString &table, const Fields &fields, const QString &noun, QString *error);

// What the user is told when a change cannot be made.
struct ChangeTexts {
    QString unreadable; // the row could not be read: followed by the books' reason
    QString missing;    // the select found no row: the record is gone
    QString noun;       // the record, for "…保存失败：" and the reason
};
// Assigns the fields of the first row that the select finds and writes them back to
// that row.
bool changeFirstRow(const QString &select, const QVariantList &params, const Fields &fields, const ChangeTexts &texts,
                    QString *error);

// Runs a statement without rows (a delete). On failure *error is failed followed by the
// books' reason.
bool execute(const QString &sql, const QVariantList &params, const QString &failed, QString *error);

} // namespace records
