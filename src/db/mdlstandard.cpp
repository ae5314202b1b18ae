#include "db/mdlstandard.h"

#include "db/bookfaults.h"
#include "db/databasekey.h"
#include "db/exactbalance.h"
#include "platform/sqlconnection.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <utility>

namespace mdlStandard {

namespace {
QString &overriddenPath()
{
    static QString path;
    return path;
}

// The open connection. Statements share it rather than opening the file each time:
// keying an encrypted file derives the key anew on every open, far too slow per statement.
std::shared_ptr<platform::SqlConnection> &openConnection()
{
    static std::shared_ptr<platform::SqlConnection> connection;
    return connection;
}

int &transactionDepth()
{
    static int depth = 0;
    return depth;
}

// Set when a statement of the unit of work failed or an inner scope ended without
// committing: the whole unit must then fail, and the reason is what the user is told.
bool &rollbackOnly()
{
    static bool doomed = false;
    return doomed;
}

QString &doomReason()
{
    static QString reason;
    return reason;
}

void doom(const QString &reason)
{
    if (transactionDepth() == 0 || rollbackOnly())
        return;
    rollbackOnly() = true;
    doomReason() = reason;
}

// Set while the outermost unit of work could not begin; its statements are then refused
// with the doom reason, which is why it could not.
bool &unbegun()
{
    static bool refused = false;
    return refused;
}

// Closes the connection itself, not only this reference to it: recordsets that still
// hold it must not keep its file, its transaction or its lock.
void dropConnection()
{
    if (auto &conn = openConnection()) {
        conn->close();
        conn.reset();
    }
}

// Whether the open connection must not serve the next unit of work: the path now names
// another file or none (removed, or replaced by a copy), it was left inside a transaction
// whose work can no longer be committed, or it was opened read-only and the file may now
// be written.
bool isStale(const platform::SqlConnection &conn, const QString &path)
{
    if (conn.path() != path || !conn.isStillAtPath())
        return true;
    if (conn.inTransaction()) {
        std::fprintf(stderr, "kelopz: a connection was left inside a transaction; its work is rolled back\n");
        return true;
    }
    return conn.isReadOnly() && QFileInfo(path).isWritable();
}

std::shared_ptr<platform::SqlConnection> connection(QString *error)
{
    auto &conn = openConnection();
    const QString path = databasePath();
    if (conn && transactionDepth() == 0 && isStale(*conn, path))
        dropConnection();
    if (!conn) {
        platform::SqlFailure failure;
        conn = platform::SqlConnection::open(path, kDatabasePassword, &failure);
        if (conn && !addBalanceFunction(*conn)) {
            failure = conn->lastFailure();
            conn.reset();
        }
        if (!conn)
            *error = failureText(failure, path);
    }
    return conn;
}

// The sentence for a failure that the connection reported as raw.
QString worded(const platform::SqlConnection &conn, const QString &raw)
{
    return conn.lastFailure().code != 0 ? failureText(conn.lastFailure(), conn.path()) : raw;
}

// Whether work just committed went into the books now at the path. A file taken away or
// replaced while the commit ran took the work with it: the work is not in the books the
// user will open, so it must not be told saved.
bool reachedTheBooks(const platform::SqlConnection &conn, QString *error)
{
    if (conn.isStillAtPath())
        return true;
    *error = movedWhileSaving(conn.path());
    return false;
}

// Ends the unit of work without its changes. A connection that is still inside the
// transaction afterwards (its rollback failed) would keep the write lock and refuse
// every later unit, while plain writes would only seem saved: it is closed, which
// rolls the work back, and the next unit opens the file afresh.
void endWithoutCommit()
{
    auto &conn = openConnection();
    if (!conn)
        return;
    QString ignored;
    if (conn->inTransaction())
        conn->exec(QStringLiteral("ROLLBACK"), &ignored);
    if (conn->inTransaction()) {
        std::fprintf(stderr, "kelopz: rollback failed (%s); the connection is closed and its work lost\n",
                     qPrintable(ignored));
        dropConnection();
    }
}
} // namespace

QString databasePath()
{
    if (!overriddenPath().isEmpty())
        return overriddenPath();
    return QCoreApplication::applicationDirPath() + QStringLiteral("/kelopz.mdb");
}

QString setDatabasePath(const QString &path)
{
    QString replaced = std::exchange(overriddenPath(), path);
    closeDatabase();
    return replaced;
}

QString connectstring() { return QStringLiteral("Data Source=") + databasePath(); }

QString likeEscaped(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 4);
    for (QChar c : text) {
        if (c == '\\' || c == '%' || c == '_')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

void closeDatabase()
{
    if (transactionDepth() == 0)
        dropConnection();
}

namespace {
// One statement; on failure, nullptr and the cause in a sentence.
RecordsetPtr run(const QString &sql, const QVariantList &params, QString *cause)
{
    if (unbegun()) {
        *cause = doomReason();
        return nullptr;
    }
    auto conn = connection(cause);
    RecordsetPtr rs = conn ? platform::Recordset::run(conn, sql, params, cause) : nullptr;
    if (!rs) {
        if (conn)
            *cause = worded(*conn, *cause);
        doom(*cause);
        return nullptr;
    }
    // A statement without rows outside a unit is a write that committed on its own.
    if (transactionDepth() == 0 && !rs->isOpen() && !reachedTheBooks(*conn, cause))
        return nullptr;
    return rs;
}
} // namespace

RecordsetPtr runsql(const QString &sql, QString &status, const QVariantList &params)
{
    QString cause;
    RecordsetPtr rs = run(sql, params, &cause);
    if (!rs) {
        status = QStringLiteral("查询错误:") + cause;
        return nullptr;
    }
    const int count = rs->isOpen() ? rs->recordCount() : rs->rowsAffected();
    status = QStringLiteral("检测到") + QString::number(count) + QStringLiteral("条纪录");
    return rs;
}

RecordsetPtr runsql(const QString &sql, QString *error, const QVariantList &params)
{
    QString cause;
    RecordsetPtr rs = run(sql, params, &cause);
    if (!rs)
        *error = cause;
    return rs;
}

RecordsetPtr runsql(const QString &sql, const QVariantList &params) { return runsql(sql, msgtext, params); }

bool updateRow(const RecordsetPtr &rs, QString *error)
{
    if (unbegun()) {
        rs->cancelUpdate();
        *error = doomReason();
        return false;
    }
    QString raw;
    if (rs->update(&raw))
        return transactionDepth() > 0 || reachedTheBooks(*rs->connection(), error);
    *error = worded(*rs->connection(), raw);
    doom(*error);
    return false;
}

void failUnit(const QString &reason) { doom(reason); }

namespace {
// Starts the outermost unit's transaction. EXCLUSIVE takes every lock the unit will need
// at once: a unit blocked by another program (even one only reading) waits for it here,
// once, for at most the busy wait, and fails with nothing written. Taken later, at each
// spill of the page cache and at the commit, the waits would add up with the size of the
// work while the window stands still.
bool begin(QString *error)
{
    auto conn = connection(error);
    if (!conn)
        return false;
    QString raw;
    if (conn->exec(QStringLiteral("BEGIN EXCLUSIVE"), &raw))
        return true;
    *error = worded(*conn, raw);
    return false;
}
} // namespace

Transaction::Transaction()
{
    if (transactionDepth() == 0) {
        outermost_ = true;
        unbegun() = !begin(&error_);
        rollbackOnly() = unbegun();
        doomReason() = error_;
    } else if (unbegun()) {
        error_ = doomReason();
    }
    ++transactionDepth();
    entered_ = true;
    active_ = !unbegun();
}

Transaction::~Transaction()
{
    if (!entered_)
        return;
    leave();
    if (outermost_)
        endWithoutCommit();
    else
        doom(QStringLiteral("其中一步未能完成，全部操作已撤销"));
}

void Transaction::leave()
{
    entered_ = false;
    --transactionDepth();
    if (outermost_)
        unbegun() = false;
}

bool Transaction::commit()
{
    if (!entered_)
        return false;
    leave();
    if (!outermost_)
        return active_;
    auto conn = openConnection();
    QString raw;
    if (rollbackOnly())
        error_ = doomReason();
    else if (!conn->isStillAtPath()) // committing now would write into a file nobody will read again
        error_ = kBooksMoved;
    else if (conn->exec(QStringLiteral("COMMIT"), &raw))
        return reachedTheBooks(*conn, &error_);
    else
        error_ = worded(*conn, raw);
    endWithoutCommit();
    return false;
}

} // namespace mdlStandard
