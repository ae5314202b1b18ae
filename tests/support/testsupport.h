#pragma once
// Helpers every test uses: its own copy of the seeded books, and a stand-in person who
// answers message boxes and remembers what they said.

#include "db/bookfaults.h"
#include "db/mdlstandard.h"
#include "platform/msgbox.h"
#include "platform/sqlconnection.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariantList>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

class MSFlexGrid;
class QWidget;
class RecordWindow;

namespace testsupport {

// Types text into a widget key by key, as a person would; unlike QTest::keyClicks it
// also types Chinese characters.
void typeText(QWidget *widget, const QString &text);

// A fresh copy of the seeded database for one test; runsql works on it while it lives.
class TestDb {
public:
    TestDb();
    ~TestDb();
    QString path() const { return path_; }
    // Runs a statement that must succeed (test set-up); fails the test otherwise.
    RecordsetPtr run(const QString &sql, const QVariantList &params = {});
    // The first column of the first row, as text ("<none>" when no row).
    QString scalar(const QString &sql, const QVariantList &params = {});
    int count(const QString &table);
    // Every row of the result, its fields as text joined by "|".
    QStringList rows(const QString &sql);

private:
    QTemporaryDir dir_;
    QString path_;
    QString outer_;
};

// Answers message boxes in the order given (default: the box's default button) and
// records every box that was shown.
class MessageBoxes {
public:
    MessageBoxes();
    ~MessageBoxes();
    void answer(QMessageBox::StandardButton button) { answers_.push_back(button); }
    const std::vector<platform::MsgBoxRequest> &shown() const { return shown_; }
    int count() const { return int(shown_.size()); }
    QString lastText() const { return shown_.empty() ? QString() : shown_.back().text; }
    QStringList texts() const;
    void clear() { shown_.clear(); }

    MessageBoxes(const MessageBoxes &) = delete;
    MessageBoxes &operator=(const MessageBoxes &) = delete;

private:
    std::deque<QMessageBox::StandardButton> answers_;
    std::vector<platform::MsgBoxRequest> shown_;
    platform::MsgBoxHandler outer_;
};

// Makes every statement that `which` picks fail (with the engine result code it returns;
// true is a plain error) for as long as this object lives, so a failed assertion never
// leaves the failure set for the next test.
class FailingStatements {
public:
    explicit FailingStatements(platform::SqlConnection::FailureHook which)
        : outer_(platform::SqlConnection::setFailureHook(std::move(which)))
    {}
    ~FailingStatements() { platform::SqlConnection::setFailureHook(std::move(outer_)); }
    FailingStatements(const FailingStatements &) = delete;
    FailingStatements &operator=(const FailingStatements &) = delete;

private:
    platform::SqlConnection::FailureHook outer_; // a scope's failure this one stands inside
};

// Points the books at another file (a missing one, a foreign one) for as long as this
// object lives; afterwards no statement reaches it.
class BooksAt {
public:
    explicit BooksAt(const QString &path) : outer_(mdlStandard::setDatabasePath(path)) {}
    ~BooksAt() { mdlStandard::setDatabasePath(outer_); }
    void moveTo(const QString &path) { mdlStandard::setDatabasePath(path); }
    BooksAt(const BooksAt &) = delete;
    BooksAt &operator=(const BooksAt &) = delete;

private:
    QString outer_;
};

// Another program with the same books open, on a connection of its own; it holds what
// its statements leave open (a read transaction, an exclusive lock) until it lets go or
// ends.
class OtherProgram {
public:
    explicit OtherProgram(const QString &path);
    // Runs the statements in order; false (and a test warning) at the first that fails.
    bool run(const QStringList &statements);
    bool letGo() { return run({QStringLiteral("ROLLBACK")}); }

private:
    std::shared_ptr<platform::SqlConnection> connection_;
};

// Takes away the right to write the books file, or its folder, while it lives. Run as
// root, who may write anything, the test meanwhile acts as a user without those rights.
class WithoutWriteRights {
public:
    enum class Over { File, Folder };
    WithoutWriteRights(const QString &path, Over over);
    ~WithoutWriteRights();
    WithoutWriteRights(const WithoutWriteRights &) = delete;
    WithoutWriteRights &operator=(const WithoutWriteRights &) = delete;

private:
    QString file_;
    QString folder_;
    bool asRoot_;
};

// Picks every statement that names the table, failing it as if another program had
// locked the books.
platform::SqlConnection::FailureHook statementsOn(const QString &table);
// The statement with which a recordset reads back the row it has just written.
bool isReadBack(const QString &sql);

// Runs steps on the modal dialog of type T as soon as it opens (the test then does what
// opens it); a dialog the steps leave open is cancelled, so that the code that opened
// it returns.
template <class T>
void whenDialogOpens(QObject *owner, std::function<void(T *)> steps)
{
    auto *poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, steps] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        steps(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    poll->start(10);
}

// Column c of every row below the header.
QStringList gridColumn(const MSFlexGrid *grid, int c);
// Every row below the header, cells 0 to lastColumn (-1: the last) joined by "|".
QStringList gridRows(const MSFlexGrid *grid, int lastColumn = -1);
// Cells 1 to the last of the grid's current row.
QStringList currentRowCells(const RecordWindow &window);

} // namespace testsupport
