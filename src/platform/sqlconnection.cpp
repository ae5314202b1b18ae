#include "platform/sqlconnection.h"

#include <sqlite3.h>

#include <QFileInfo>
#include <utility>

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
} // namespace

SqlConnection::FailureHook SqlConnection::setFailureHook(FailureHook hook)
{
    return std::exchange(failureHook(), std::move(hook));
}

std::shared_ptr<SqlConnection> SqlConnection::open(const QString &path, const QByteArray &key, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        *error = QStringLiteral("找不到数据库文件 %1").arg(path);
        return nullptr;
    }
    sqlite3 *db = nullptr;
    // Without SQLITE_OPEN_CREATE: the program never makes a books file of its own.
    const QByteArray nativePath = path.toUtf8();
    if (sqlite3_open_v2(nativePath.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        *error = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("无法打开数据库文件");
        sqlite3_close(db);
        return nullptr;
    }
    std::shared_ptr<SqlConnection> conn(new SqlConnection(db, path));
    if (sqlite3_key(db, key.constData(), int(key.size())) != SQLITE_OK
        // The key is only checked when the first page is read.
        || sqlite3_exec(db, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr) != SQLITE_OK) {
        *error = conn->lastError();
        return nullptr;
    }
    sqlite3_busy_timeout(db, 2000);
    return conn;
}

SqlConnection::~SqlConnection() { sqlite3_close_v2(db_); }

QString SqlConnection::lastError() const { return QString::fromUtf8(sqlite3_errmsg(db_)); }

bool SqlConnection::inTransaction() const { return sqlite3_get_autocommit(db_) == 0; }

sqlite3_stmt *SqlConnection::prepare(const QString &sql, QString *error)
{
    if (failureHook() && failureHook()(sql)) {
        *error = QStringLiteral("injected failure");
        return nullptr;
    }
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(db_, text.constData(), int(text.size()), &stmt, &tail) != SQLITE_OK) {
        *error = lastError();
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
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        *error = lastError();
        return false;
    }
    return true;
}

} // namespace platform
