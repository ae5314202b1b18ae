#pragma once
// The system's one road to the books: every statement runs through runsql, and the
// module variables are the state that the windows hand to each other.

#include "platform/recordset.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

using platform::RecordsetPtr;

namespace mdlStandard {

// ---- module variables (whole run, shared by every window) ----
inline QString msgtext;        // status text of the last runsql given it
inline RecordsetPtr sharedrs;  // the rows a window lists, edits or adds to
inline QVariant loginczyno;    // the logged-in operator's number
inline QVariant loginczyname;  // and name

// The books file: kelopz.mdb in the executable's folder. Tests point it elsewhere (an
// empty path restores the usual file); the path it replaces is returned, so that a
// scope can point the books back.
QString databasePath();
QString setDatabasePath(const QString &path);
// Describes where the books are, for messages.
QString connectstring();

// Runs one statement, with every user value bound to a "?" in order.
// A select comes back open with all its rows; a statement without rows comes back closed;
// a failure gives nullptr. The status text becomes "检测到N条纪录", or "查询错误:" and
// the failure in a Chinese sentence (what happened, what to do). A statement that fails
// inside a Transaction fails the whole unit of work.
// Each statement outside a unit of work, and each unit, starts by checking that the path
// still names the file the connection has open; when it does not (the file was removed
// or replaced), or when the connection was opened read-only and the file may now be
// written, the file now at the path is opened. A write outside a unit of work that the
// file was taken from the path during fails: what it wrote is not in the books there.
RecordsetPtr runsql(const QString &sql, QString &status, const QVariantList &params = {});
// The same, for callers that keep no status of their own: the status goes to msgtext.
RecordsetPtr runsql(const QString &sql, const QVariantList &params = {});
// The same for the stores, which keep no status but an error: on a failure *error is the
// failure's sentence; on success it is left as it was, so it stays empty.
RecordsetPtr runsql(const QString &sql, QString *error, const QVariantList &params = {});

// Writes the pending change of a recordset that runsql gave. A failure is worded as
// runsql words it and fails the unit of work it is part of; nothing pending is a failure.
bool updateRow(const RecordsetPtr &rs, QString *error);

// Fails the unit of work the caller is part of, for a reason of the caller's own (a field
// that cannot be assigned): the unit then commits nothing and its commit() tells that
// reason, though the caller's other statements went through. Outside a unit, nothing.
void failUnit(const QString &reason);

// The typed text as a LIKE pattern fragment that matches it literally: "%" and "_" typed
// by a person are data. Statements using it write: LIKE ? ESCAPE '\'
QString likeEscaped(const QString &text);

// Drops the open connection, so the next statement opens the file afresh.
void closeDatabase();

// A unit of work of several statements: every runsql inside the scope joins one
// transaction that commits whole on commit() or leaves nothing when the scope ends
// without it. Scopes nest; only the outermost one commits. A unit whose books file was
// removed or replaced while it ran is rolled back at its commit, and one whose file went
// while the commit itself ran fails, its work being outside the books at the path; a
// connection that its rollback cannot free is closed, so that the next unit starts clean.
// A unit that could not begin has no transaction to hold its statements, which would
// each be saved on their own: until its scope ends, every statement is refused with the
// reason it could not begin, and its commit() fails with that reason.
class Transaction {
public:
    Transaction();
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // False when the transaction could not begin (the books cannot be opened or locked).
    bool isActive() const { return active_; }
    QString error() const { return error_; }
    bool commit();

private:
    void leave();

    bool entered_ = false; // counted among the open scopes, until commit() or the scope's end
    bool active_ = false;
    bool outermost_ = false;
    QString error_;
};

} // namespace mdlStandard
