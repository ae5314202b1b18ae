#include "platform/recordset.h"

#include "platform/sqlconnection.h"

#include <sqlite3.h>

#include <QDate>
#include <QRegularExpression>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

namespace {

struct StatementGuard {
    sqlite3_stmt *stmt = nullptr;
    ~StatementGuard() { sqlite3_finalize(stmt); }
};

QString quoted(const QString &identifier)
{
    QString text = identifier;
    return '"' + text.replace('"', QStringLiteral("\"\"")) + '"';
}

bool bind(SqlConnection &connection, sqlite3_stmt *stmt, const QVariantList &params, QString *error)
{
    const int expected = sqlite3_bind_parameter_count(stmt);
    if (expected != params.size()) {
        *error = QStringLiteral("参数个数不符：语句需要 %1 个，给出 %2 个").arg(expected).arg(params.size());
        return false;
    }
    for (int i = 0; i < params.size(); ++i) {
        const QVariant &v = params.at(i);
        const int slot = i + 1;
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(stmt, slot);
        } else {
            switch (v.metaType().id()) {
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Long:
            case QMetaType::LongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
                rc = sqlite3_bind_int64(stmt, slot, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(stmt, slot, v.toDouble());
                break;
            case QMetaType::QDate:
                rc = sqlite3_bind_text(stmt, slot, v.toDate().toString(Qt::ISODate).toUtf8().constData(), -1,
                                       SQLITE_TRANSIENT);
                break;
            case QMetaType::QByteArray: {
                const QByteArray bytes = v.toByteArray();
                rc = sqlite3_bind_blob(stmt, slot, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray text = v.toString().toUtf8();
                rc = sqlite3_bind_text(stmt, slot, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            }
            }
        }
        if (rc != SQLITE_OK) {
            *error = connection.failed(rc);
            return false;
        }
    }
    return true;
}

// The texts of one column read so far. A long list repeats few texts in most columns
// (periods, dates, account names, remarks): each distinct text is kept once and shared
// by every row that holds it, which more than halves what a large list costs.
class TextPool {
public:
    QString text(std::string_view utf8)
    {
        auto it = texts_.find(utf8);
        if (it != texts_.end())
            return it->second;
        QString fresh = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
        // A column of mostly distinct texts gains nothing from sharing; its pool stops growing.
        if (texts_.size() < kMaxTexts)
            texts_.emplace(std::string(utf8), fresh);
        return fresh;
    }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    static constexpr size_t kMaxTexts = 4096;
    std::unordered_map<std::string, QString, Hash, std::equal_to<>> texts_;
};

QVariant columnValue(sqlite3_stmt *stmt, int column, TextPool &pool)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT:
        return QVariant(pool.text({reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                                   size_t(sqlite3_column_bytes(stmt, column))}));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(stmt, column)),
                                   sqlite3_column_bytes(stmt, column)));
    default:
        return QVariant();
    }
}

// A select of one table's rows (no distinct, grouping, union or join) can carry each
// row's identity, which is what makes its rows writable.
bool mayBeUpdatable(const QString &sql)
{
    static const QRegularExpression select(QStringLiteral("^\\s*select\\s"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression notSingleTable(
        QStringLiteral("\\b(distinct|group\\s+by|union|join|intersect|except)\\b|\\bfrom\\s+[^\\s,]+\\s*,"),
        QRegularExpression::CaseInsensitiveOption);
    return select.match(sql).hasMatch() && !notSingleTable.match(sql).hasMatch();
}

const char kRowidColumn[] = "__kelopz_rowid__";

// A select that looked like one table's rows but reads something without row identity
// (a view, a subquery, no table at all) is refused for the rowid alone: it is then read
// as it stands. Any other failure (a lock, a damaged file) is the statement's own.
bool lacksRowIdentity(const SqlFailure &failure)
{
    return failure.code == SQLITE_ERROR && failure.text.startsWith(QLatin1String("no such column: _rowid_"));
}

} // namespace

std::shared_ptr<Recordset> Recordset::run(std::shared_ptr<SqlConnection> connection, const QString &sql,
                                          const QVariantList &params, QString *error)
{
    std::shared_ptr<Recordset> rs(new Recordset);
    rs->connection_ = connection;
    const QString text = sql.trimmed();

    StatementGuard guard;
    bool hasRowid = false;
    if (mayBeUpdatable(text)) {
        static const QRegularExpression leadingSelect(QStringLiteral("^\\s*select\\s"),
                                                      QRegularExpression::CaseInsensitiveOption);
        QString withRowid = text;
        withRowid.replace(leadingSelect, QStringLiteral("SELECT _rowid_ AS %1, ").arg(kRowidColumn));
        guard.stmt = connection->prepare(withRowid, error);
        if (!guard.stmt && !lacksRowIdentity(connection->lastFailure()))
            return nullptr;
        if (guard.stmt) {
            // Writable only when every field comes straight from the same table.
            const int columns = sqlite3_column_count(guard.stmt);
            const char *first = columns > 1 ? sqlite3_column_table_name(guard.stmt, 1) : nullptr;
            bool oneTable = first != nullptr;
            for (int c = 1; oneTable && c < columns; ++c) {
                const char *table = sqlite3_column_table_name(guard.stmt, c);
                oneTable = table && qstrcmp(table, first) == 0 && sqlite3_column_origin_name(guard.stmt, c);
            }
            if (oneTable) {
                hasRowid = true;
                rs->table_ = QString::fromUtf8(first);
                for (int c = 1; c < columns; ++c)
                    rs->baseColumns_ << QString::fromUtf8(sqlite3_column_origin_name(guard.stmt, c));
            } else {
                sqlite3_finalize(guard.stmt);
                guard.stmt = nullptr;
            }
        }
    }
    if (!guard.stmt) {
        guard.stmt = connection->prepare(text, error);
        if (!guard.stmt)
            return nullptr;
    }
    if (!bind(*connection, guard.stmt, params, error))
        return nullptr;

    if (sqlite3_column_count(guard.stmt) == 0) {
        const int rc = sqlite3_step(guard.stmt);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
            *error = connection->failed(rc);
            return nullptr;
        }
        rs->rowsAffected_ = sqlite3_changes(connection->handle());
        return rs;
    }
    if (!rs->readRows(guard.stmt, hasRowid, error))
        return nullptr;
    rs->open_ = true;
    return rs;
}

bool Recordset::readRows(sqlite3_stmt *stmt, bool hasRowid, QString *error)
{
    const int columns = sqlite3_column_count(stmt);
    const int firstField = hasRowid ? 1 : 0;
    for (int c = firstField; c < columns; ++c)
        names_ << QString::fromUtf8(sqlite3_column_name(stmt, c));
    std::vector<TextPool> pools(static_cast<size_t>(columns));
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        QVariantList row;
        row.reserve(columns - firstField);
        for (int c = firstField; c < columns; ++c)
            row << columnValue(stmt, c, pools[size_t(c)]);
        rows_.push_back(std::move(row));
        if (hasRowid)
            rowids_.push_back(sqlite3_column_int64(stmt, 0));
    }
    if (rc != SQLITE_DONE) {
        *error = connection_->failed(rc);
        return false;
    }
    position_ = 0;
    return true;
}

void Recordset::moveFirst()
{
    cancelUpdate();
    position_ = 0;
}

void Recordset::moveLast()
{
    cancelUpdate();
    position_ = recordCount() - 1;
    if (position_ < 0)
        position_ = 0;
}

void Recordset::moveNext()
{
    cancelUpdate();
    if (position_ < recordCount())
        ++position_;
}

void Recordset::movePrevious()
{
    cancelUpdate();
    if (position_ >= 0)
        --position_;
}

void Recordset::setAbsolutePosition(int position)
{
    cancelUpdate();
    if (position >= 1 && position <= recordCount())
        position_ = position - 1;
}

int Recordset::fieldIndex(const QString &name) const
{
    for (int i = 0; i < names_.size(); ++i) {
        if (names_.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant Recordset::value(const QString &name) const { return value(fieldIndex(name)); }

QVariant Recordset::value(int index) const
{
    if (index < 0 || index >= fieldCount())
        return QVariant();
    if (!pending_.isEmpty() && assigned_[index])
        return pending_.at(index);
    if (adding_ || eof() || bof())
        return QVariant();
    return rows_[position_].at(index);
}

QVariant Recordset::storedValue(int row, int index) const
{
    if (row < 0 || row >= recordCount() || index < 0 || index >= fieldCount())
        return QVariant();
    return rows_[row].at(index);
}

bool Recordset::setValue(const QString &name, const QVariant &value)
{
    const int index = fieldIndex(name);
    if (index < 0 || !isUpdatable() || (!adding_ && (eof() || bof())))
        return false;
    if (pending_.isEmpty()) {
        pending_ = QVariantList(fieldCount());
        assigned_.assign(fieldCount(), false);
    }
    pending_[index] = value;
    assigned_[index] = true;
    return true;
}

bool Recordset::addNew()
{
    if (!open_ || !isUpdatable())
        return false;
    cancelUpdate();
    adding_ = true;
    pending_ = QVariantList(fieldCount());
    assigned_.assign(fieldCount(), false);
    return true;
}

void Recordset::cancelUpdate()
{
    adding_ = false;
    pending_.clear();
    assigned_.clear();
}

void Recordset::close()
{
    cancelUpdate();
    open_ = false;
    rows_.clear();
    rowids_.clear();
    position_ = 0;
}

bool Recordset::update(QString *error)
{
    QString ignored;
    QString *err = error ? error : &ignored;
    connection_->clearFailure();
    if (pending_.isEmpty() && !adding_) {
        *err = QStringLiteral("没有要保存的修改");
        return false;
    }
    const bool ok = writeRow(err);
    cancelUpdate();
    return ok;
}

bool Recordset::writeRow(QString *error)
{
    QStringList columns;
    QVariantList values;
    for (int i = 0; i < fieldCount(); ++i) {
        if (assigned_[i]) {
            columns << quoted(baseColumns_.at(i));
            values << pending_.at(i);
        }
    }
    QString sql;
    if (adding_) {
        if (columns.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(table_));
        } else {
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quoted(table_), columns.join(','),
                           QStringList(QList<QString>(columns.size(), QStringLiteral("?"))).join(','));
        }
    } else {
        for (QString &c : columns)
            c += QStringLiteral("=?");
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE _rowid_=?").arg(quoted(table_), columns.join(','));
        values << rowids_[position_];
    }
    auto written = run(connection_, sql, values, error);
    if (!written)
        return false;
    if (!adding_ && written->rowsAffected() == 0) {
        *error = QStringLiteral("该记录已不存在");
        return false;
    }
    const qint64 rowid = adding_ ? sqlite3_last_insert_rowid(connection_->handle()) : rowids_[position_];

    // The write has committed: from here on nothing can make it fail. The row is read
    // back so that defaults and stored forms show as the table holds them; should that
    // read fail, the row keeps the values as they were written.
    QString unread;
    QStringList fields;
    for (const QString &c : baseColumns_)
        fields << quoted(c);
    auto stored =
        run(connection_, QStringLiteral("SELECT %1 FROM %2 WHERE _rowid_=?").arg(fields.join(','), quoted(table_)),
            {rowid}, &unread);
    const bool readBack = stored && stored->recordCount() == 1;
    if (adding_) {
        rows_.push_back(readBack ? stored->rows_.front() : pending_);
        rowids_.push_back(rowid);
        position_ = recordCount() - 1;
    } else if (readBack) {
        rows_[position_] = stored->rows_.front();
    } else {
        for (int i = 0; i < fieldCount(); ++i) {
            if (assigned_[i])
                rows_[position_][i] = pending_.at(i);
        }
    }
    return true;
}

} // namespace platform
