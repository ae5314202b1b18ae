#pragma once
// One open connection to an encrypted SQLite (SQLCipher) database file.
// Opening never creates a file: a missing or unreadable file is an error.

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace platform {

class SqlConnection {
public:
    // Opens an existing file and keys it; fails (nullptr, error set) when the file is
    // missing, is not a database, or the key does not open it.
    static std::shared_ptr<SqlConnection> open(const QString &path, const QByteArray &key, QString *error);
    ~SqlConnection();
    SqlConnection(const SqlConnection &) = delete;
    SqlConnection &operator=(const SqlConnection &) = delete;

    const QString &path() const { return path_; }
    sqlite3 *handle() const { return db_; }

    // Prepares one statement; a text holding a second statement after the first is refused,
    // so nothing can be smuggled in behind a statement.
    sqlite3_stmt *prepare(const QString &sql, QString *error);
    // Runs a statement that takes no parameters and returns no rows.
    bool exec(const QString &sql, QString *error);
    QString lastError() const;
    bool inTransaction() const;

    // Tests make a chosen statement fail, to prove that units of work leave nothing behind.
    // Returns the hook it replaces, so that a scope can put that one back.
    using FailureHook = std::function<bool(const QString &sql)>;
    static FailureHook setFailureHook(FailureHook hook);

private:
    SqlConnection(sqlite3 *db, QString path) : db_(db), path_(std::move(path)) {}
    sqlite3 *db_;
    QString path_;
};

} // namespace platform
