#include "platform/sqlconnection.h"

#include "platform/cipherformat.h"
#include "platform/lockwait.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <utility>

#include <sys/stat.h>

namespace platform {

namespace {
SqlConnection::FailureHook &failureHook()
{
    static SqlConnection::FailureHook hook;
    return hook;
}

bool onlyBlanksOrSemicolons(const char *tail)
{
    for (; tail && *tail; ++tail) {
        if (*tail != ';' && *tail != ' ' && *tail != '\t' && *tail != '\r' && *tail != '\n')
            return false;
    }
    return true;
}

bool identify(const QString &path, struct stat *info) { return ::stat(QFile::encodeName(path).constData(), info) == 0; }
} // namespace

SqlConnection::FailureHook SqlConnection::setFailureHook(FailureHook hook)
{
    return std::exchange(failureHook(), std::move(hook));
}

std::shared_ptr<SqlConnection> SqlConnection::open(const QString &path, const QByteArray &key, SqlFailure *failure)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        *failure = {SQLITE_CANTOPEN, QStringLiteral("no such file: ") + path};
        return nullptr;
    }
    sqlite3 *db = nullptr;
    // Without SQLITE_OPEN_CREATE: the program never makes a books file of its own.
    const QByteArray nativePath = path.toUtf8();
    if (const int rc = sqlite3_open_v2(nativePath.constData(), &db, SQLITE_OPEN_READWRITE, nullptr); rc != SQLITE_OK) {
        *failure = {db ? sqlite3_extended_errcode(db) : rc,
                    QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc))};
        sqlite3_close(db);
        return nullptr;
    }
    std::shared_ptr<SqlConnection> conn(new SqlConnection(db, path));
    // Before the first read, so that a lock held by another program is waited for there too.
    lockwait::install(db);
    int rc = sqlite3_key(db, key.constData(), int(key.size()));
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, kPinCipherFormat, nullptr, nullptr, nullptr);
    // The key is only checked when the first page is read.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        conn->failed(rc);
        *failure = conn->lastFailure();
        return nullptr;
    }
    struct stat identity {};
    if (identify(path, &identity)) {
        conn->device_ = identity.st_dev;
        conn->inode_ = identity.st_ino;
    }
    return conn;
}

SqlConnection::~SqlConnection() { close(); }

void SqlConnection::close()
{
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

QString SqlConnection::failed(int rc)
{
    // The handle's extended code belongs to this failure only when it names the same result.
    const int extended = db_ ? sqlite3_extended_errcode(db_) : rc;
    const bool same = (extended & 0xff) == (rc & 0xff);
    failure_ = {same ? extended : rc, QString::fromUtf8(same && db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc))};
    return failure_.text;
}

bool SqlConnection::inTransaction() const { return db_ && sqlite3_get_autocommit(db_) == 0; }

bool SqlConnection::isReadOnly() const { return db_ && sqlite3_db_readonly(db_, "main") == 1; }

bool SqlConnection::isStillAtPath() const
{
    struct stat identity {};
    return identify(path_, &identity) && identity.st_dev == device_ && identity.st_ino == inode_;
}

sqlite3_stmt *SqlConnection::prepare(const QString &sql, QString *error)
{
    clearFailure();
    if (!db_) {
        failure_ = {SQLITE_MISUSE, QStringLiteral("connection closed")};
        *error = failure_.text;
        return nullptr;
    }
    if (failureHook()) {
        if (const int rc = failureHook()(sql)) {
            failure_ = {rc, QStringLiteral("injected failure: ") + QString::fromUtf8(sqlite3_errstr(rc))};
            *error = failure_.text;
            return nullptr;
        }
    }
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    const char *tail = nullptr;
    if (const int rc = sqlite3_prepare_v2(db_, text.constData(), int(text.size()), &stmt, &tail); rc != SQLITE_OK) {
        *error = failed(rc);
        return nullptr;
    }
    if (!stmt) {
        *error = QStringLiteral("空语句");
        return nullptr;
    }
    if (!onlyBlanksOrSemicolons(tail)) {
        sqlite3_finalize(stmt);
        *error = QStringLiteral("一次只能执行一条语句");
        return nullptr;
    }
    return stmt;
}

bool SqlConnection::exec(const QString &sql, QString *error)
{
    sqlite3_stmt *stmt = prepare(sql, error);
    if (!stmt)
        return false;
    const int rc = sqlite3_step(stmt);
    const bool ok = rc == SQLITE_DONE || rc == SQLITE_ROW;
    if (!ok)
        *error = failed(rc);
    sqlite3_finalize(stmt);
    return ok;
}

} // namespace platform
