#include "testsupport.h"

#include "db/databasekey.h"
#include "gridwin/recordwindow.h"
#include "platform/flexgrid.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>

#include <sqlite3.h>
#include <unistd.h>

namespace testsupport {

void typeText(QWidget *widget, const QString &text)
{
    // One key per character: a character outside the basic plane is one key, not two.
    for (char32_t c : text.toUcs4()) {
        const QString key = QString::fromUcs4(&c, 1);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, key);
        QApplication::sendEvent(widget, &release);
    }
}

TestDb::TestDb()
{
    path_ = dir_.filePath(QStringLiteral("kelopz.mdb"));
    if (!QFile::copy(QStringLiteral(KELOPZ_SEED_DB), path_))
        qFatal("cannot copy the seeded database %s", KELOPZ_SEED_DB);
    QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
    outer_ = mdlStandard::setDatabasePath(path_);
}

TestDb::~TestDb() { mdlStandard::setDatabasePath(outer_); }

RecordsetPtr TestDb::run(const QString &sql, const QVariantList &params)
{
    QString status;
    auto rs = mdlStandard::runsql(sql, status, params);
    if (!rs)
        QTest::qFail(qPrintable(QStringLiteral("set-up statement failed: %1: %2").arg(sql, status)), __FILE__,
                     __LINE__);
    return rs;
}

QString TestDb::scalar(const QString &sql, const QVariantList &params)
{
    auto rs = run(sql, params);
    if (!rs || !rs->isOpen() || rs->eof())
        return QStringLiteral("<none>");
    return rs->value(0).toString();
}

QStringList TestDb::rows(const QString &sql)
{
    QStringList rows;
    for (auto rs = run(sql); rs && !rs->eof(); rs->moveNext()) {
        QStringList fields;
        for (int i = 0; i < rs->fieldCount(); ++i)
            fields << rs->value(i).toString();
        rows << fields.join('|');
    }
    return rows;
}

int TestDb::count(const QString &table) { return scalar(QStringLiteral("select count(*) from ") + table).toInt(); }

MessageBoxes::MessageBoxes()
{
    outer_ = platform::setMsgBoxHandler([this](const platform::MsgBoxRequest &r) {
        shown_.push_back(r);
        if (answers_.empty())
            return r.defaultButton;
        const auto a = answers_.front();
        answers_.pop_front();
        return a;
    });
}

MessageBoxes::~MessageBoxes() { platform::setMsgBoxHandler(std::move(outer_)); }

QStringList MessageBoxes::texts() const
{
    QStringList out;
    for (const auto &r : shown_)
        out << r.text;
    return out;
}

platform::SqlConnection::FailureHook statementsOn(const QString &table)
{
    const QRegularExpression named(QStringLiteral("\\b") + table + QStringLiteral("\\b"));
    return [named](const QString &sql) { return named.match(sql).hasMatch() ? SQLITE_BUSY : SQLITE_OK; };
}

OtherProgram::OtherProgram(const QString &path)
{
    platform::SqlFailure failure;
    connection_ = platform::SqlConnection::open(path, mdlStandard::kDatabasePassword, &failure);
    if (!connection_)
        qWarning("the other program cannot open the books: %s", qPrintable(failure.text));
}

bool OtherProgram::run(const QStringList &statements)
{
    for (const QString &sql : statements) {
        QString error;
        if (!connection_ || !connection_->exec(sql, &error)) {
            qWarning("the other program failed at %s: %s", qPrintable(sql), qPrintable(error));
            return false;
        }
    }
    return true;
}

namespace {
constexpr uid_t kUnprivileged = 65534; // nobody

void own(const QString &path, uid_t user) { (void)::chown(QFile::encodeName(path).constData(), user, user); }
} // namespace

WithoutWriteRights::WithoutWriteRights(const QString &path, Over over)
    : file_(path), folder_(QFileInfo(path).absolutePath()), asRoot_(::geteuid() == 0)
{
    using P = QFile::Permission;
    const auto readable = P::ReadOwner | P::ReadGroup | P::ReadOther;
    const auto enterable = readable | P::ExeOwner | P::ExeGroup | P::ExeOther;
    QFile::setPermissions(file_, over == Over::File ? readable : readable | P::WriteOwner);
    QFile::setPermissions(folder_, over == Over::Folder ? enterable : enterable | P::WriteOwner);
    if (asRoot_) {
        own(file_, kUnprivileged);
        own(folder_, kUnprivileged);
        // Real and effective user both, as a user's program runs; root stays the saved
        // user, so that the test can return to it.
        if (::setresuid(kUnprivileged, kUnprivileged, 0) != 0)
            qWarning("cannot act as an unprivileged user");
    }
}

WithoutWriteRights::~WithoutWriteRights()
{
    if (asRoot_) {
        if (::setresuid(0, 0, 0) != 0)
            qFatal("cannot return to root");
        own(file_, 0);
        own(folder_, 0);
    }
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(file_, QFile::ReadOwner | QFile::WriteOwner);
}

bool isReadBack(const QString &sql)
{
    return sql.startsWith(QStringLiteral("SELECT")) && sql.endsWith(QStringLiteral("WHERE _rowid_=?"));
}

QStringList gridColumn(const MSFlexGrid *grid, int c)
{
    QStringList out;
    for (int r = 1; r < grid->rows(); ++r)
        out << grid->textMatrix(r, c);
    return out;
}

QStringList gridRows(const MSFlexGrid *grid, int lastColumn)
{
    QStringList rows;
    for (int r = 1; r < grid->rows(); ++r) {
        QStringList cells;
        for (int c = 0; c <= (lastColumn < 0 ? grid->cols() - 1 : lastColumn); ++c)
            cells << grid->textMatrix(r, c);
        rows << cells.join('|');
    }
    return rows;
}

QStringList currentRowCells(const RecordWindow &window)
{
    const MSFlexGrid *g = window.MSFlexGrid1();
    QStringList out;
    for (int c = 1; c < g->cols(); ++c)
        out << g->textMatrix(g->row(), c);
    return out;
}

} // namespace testsupport
