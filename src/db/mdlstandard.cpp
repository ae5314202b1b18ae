#include "db/mdlstandard.h"

#include "db/databasekey.h"
#include "platform/sqlconnection.h"

#include <QCoreApplication>
#include <QFileInfo>

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

// Set when an inner scope ends without committing: the whole unit of work must then fail.
bool &rollbackOnly()
{
    static bool doomed = false;
    return doomed;
}

std::shared_ptr<platform::SqlConnection> connection(QString *error)
{
    auto &conn = openConnection();
    const QString path = databasePath();
    // A file removed or replaced under a running program is not read from a stale handle.
    if (conn && transactionDepth() == 0 && (conn->path() != path || !QFileInfo::exists(path)))
        conn.reset();
    if (!conn)
        conn = platform::SqlConnection::open(path, books::kDatabasePassword, error);
    return conn;
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
        openConnection().reset();
}

RecordsetPtr runsql(const QString &sql, QString &status, const QVariantList &params)
{
    QString error;
    auto conn = connection(&error);
    RecordsetPtr rs = conn ? platform::Recordset::run(conn, sql, params, &error) : nullptr;
    if (!rs) {
        status = QStringLiteral("查询错误:") + error;
        return nullptr;
    }
    const int count = rs->isOpen() ? rs->recordCount() : rs->rowsAffected();
    status = QStringLiteral("检测到") + QString::number(count) + QStringLiteral("条纪录");
    return rs;
}

RecordsetPtr runsql(const QString &sql, const QVariantList &params) { return runsql(sql, msgtext, params); }

Transaction::Transaction()
{
    auto conn = connection(&error_);
    if (!conn)
        return;
    if (transactionDepth() == 0) {
        // IMMEDIATE takes the write lock at once, so a unit of work never fails half-way
        // for want of it.
        if (!conn->exec(QStringLiteral("BEGIN IMMEDIATE"), &error_))
            return;
        outermost_ = true;
        rollbackOnly() = false;
    }
    ++transactionDepth();
    active_ = true;
}

Transaction::~Transaction()
{
    if (!active_)
        return;
    --transactionDepth();
    if (!outermost_) {
        rollbackOnly() = true;
    } else {
        QString ignored;
        if (auto conn = openConnection(); conn && conn->inTransaction())
            conn->exec(QStringLiteral("ROLLBACK"), &ignored);
    }
}

bool Transaction::commit()
{
    if (!active_)
        return false;
    active_ = false;
    --transactionDepth();
    if (!outermost_)
        return true;
    auto conn = openConnection();
    if (rollbackOnly())
        error_ = QStringLiteral("其中一步未能完成，全部操作已撤销");
    else if (conn && conn->exec(QStringLiteral("COMMIT"), &error_))
        return true;
    QString ignored;
    if (conn && conn->inTransaction())
        conn->exec(QStringLiteral("ROLLBACK"), &ignored);
    return false;
}

} // namespace mdlStandard
