#pragma once
// One open connection to an encrypted SQLite (SQLCipher) database file.
// Opening never creates a file: a missing or unreadable file is an error.

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

#include <sys/types.h>

struct sqlite3;
struct sqlite3_stmt;

namespace platform {

// Why a statement or an open failed: the engine's extended result code with its own
// English words (for standard error, never for a message box), or code 0 with a refusal
// of our own, already worded in Chinese.
struct SqlFailure {
    int code = 0;
    QString text;
};

class SqlConnection {
public:
    // Opens an existing file, keys it and pins its file format (cipherformat.h); fails
    // (nullptr, *failure set) when the file is missing, is not a database, the key does not
    // open it, or another program holds it locked for longer than the busy wait.
    static std::shared_ptr<SqlConnection> open(const QString &path, const QByteArray &key, SqlFailure *failure);
    ~SqlConnection();
    SqlConnection(const SqlConnection &) = delete;
    SqlConnection &operator=(const SqlConnection &) = delete;

    // How long one user action waits for another program's lock before it fails, all its
    // statements together (lockwait.h). Short enough that a blocked action is told within
    // seconds, long enough that another program's brief write passes unnoticed.
    static constexpr int kBusyWaitMs = 2000;

    const QString &path() const { return path_; }
    sqlite3 *handle() const { return db_; }

    // Prepares one statement; a text holding a second statement after the first is refused,
    // so nothing can be smuggled in behind a statement.
    sqlite3_stmt *prepare(const QString &sql, QString *error);
    // Runs a statement that takes no parameters and returns no rows.
    bool exec(const QString &sql, QString *error);
    bool inTransaction() const;
    // Whether the engine opened the file for reading only (it does so, silently, when the
    // file may not be written at the time of opening).
    bool isReadOnly() const;
    // Whether the path still names the very file this connection has open: false once it
    // was removed, or replaced by another file under the same name.
    bool isStillAtPath() const;
    // Ends the connection now, rolling back any transaction it holds, even while
    // recordsets still refer to it; they then fail to write.
    void close();

    // The most recent failure on this connection; cleared as each statement is prepared.
    const SqlFailure &lastFailure() const { return failure_; }
    void clearFailure() { failure_ = {}; }
    // Records that the engine returned rc and gives its own words for it.
    QString failed(int rc);

    // Tests make a chosen statement fail, to prove that units of work leave nothing behind.
    // The hook returns the engine result code the statement fails with (0: it runs), so a
    // test can stand in for a lock, a full disk or a damaged file. Returns the hook it
    // replaces, so that a scope can put that one back.
    using FailureHook = std::function<int(const QString &sql)>;
    static FailureHook setFailureHook(FailureHook hook);

private:
    SqlConnection(sqlite3 *db, QString path) : db_(db), path_(std::move(path)) {}
    sqlite3 *db_;
    QString path_;
    dev_t device_ = 0; // the identity of the file opened
    ino_t inode_ = 0;
    SqlFailure failure_;
};

} // namespace platform
