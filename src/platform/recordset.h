#pragma once
// A recordset in the manner the windows use it: a select is read whole when it opens
// (exact record count, no lock held afterwards) and stays updatable when it reads one
// table: fields of the current row can be assigned and written back, and new rows added,
// both by row identity. A statement that returns no rows leaves a closed recordset.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace platform {

class SqlConnection;

class Recordset {
public:
    // Runs one statement with its values bound to the "?" placeholders in order.
    // Returns nullptr and sets *error when the statement fails.
    static std::shared_ptr<Recordset> run(std::shared_ptr<SqlConnection> connection, const QString &sql,
                                          const QVariantList &params, QString *error);

    bool isOpen() const { return open_; }
    bool isUpdatable() const { return !table_.isEmpty(); }
    int recordCount() const { return int(rows_.size()); }
    // Rows changed by a statement that returns none.
    int rowsAffected() const { return rowsAffected_; }

    bool eof() const { return position_ >= recordCount(); }
    bool bof() const { return position_ < 0 || recordCount() == 0; }
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    // 1-based position of the current row, as the grids number their rows.
    int absolutePosition() const { return eof() || bof() ? -1 : position_ + 1; }
    void setAbsolutePosition(int position);

    int fieldCount() const { return int(names_.size()); }
    QString fieldName(int index) const { return names_.value(index); }
    // Field names are matched without regard to letter case; -1 when there is none.
    int fieldIndex(const QString &name) const;

    // The current row's value; a Null field is a null QVariant, distinct from "".
    // Reading with no current row, or an unknown field, gives a null QVariant.
    QVariant value(const QString &name) const;
    QVariant value(int index) const;
    // The value as text, Null as "".
    QString text(const QString &name) const { return value(name).toString(); }
    // A row's value as read or last written, whatever the current position and without
    // pending changes: for copying the rows without moving the cursor of their owner.
    // A row or field out of range gives a null QVariant.
    QVariant storedValue(int row, int index) const;

    // Assigns a field of the row being added, or of the current row; written by update().
    bool setValue(const QString &name, const QVariant &value);
    // Starts a new row; its fields are Null until assigned.
    bool addNew();
    bool isAdding() const { return adding_; }
    // Writes the pending new row or the assigned fields of the current row.
    // A write that committed is a success, even when the row cannot be read back
    // afterwards. Nothing pending is a failure: a caller whose assignments were refused
    // must not be told that its change was saved. On failure the pending change is dropped.
    bool update(QString *error = nullptr);
    void cancelUpdate();
    void close();
    // The connection the rows came from; after a failed update its lastFailure() says why.
    const std::shared_ptr<SqlConnection> &connection() const { return connection_; }

private:
    Recordset() = default;
    bool readRows(sqlite3_stmt *stmt, bool hasRowid, QString *error);
    bool writeRow(QString *error);

    std::shared_ptr<SqlConnection> connection_;
    bool open_ = false;
    int rowsAffected_ = 0;
    QStringList names_;
    QStringList baseColumns_; // the table's column behind each field, when updatable
    QString table_;           // the one table read, when updatable
    std::vector<QVariantList> rows_;
    std::vector<qint64> rowids_;
    int position_ = 0;

    bool adding_ = false;
    QVariantList pending_;
    std::vector<bool> assigned_;
};

using RecordsetPtr = std::shared_ptr<Recordset>;

} // namespace platform
