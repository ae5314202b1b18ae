#include "testsupport.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QWidget>
#include <QTest>

namespace testsupport {

void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

TestDb::TestDb()
{
    path_ = dir_.filePath(QStringLiteral("kelopz.mdb"));
    if (!QFile::copy(QStringLiteral(KELOPZ_SEED_DB), path_))
        qFatal("cannot copy the seeded database %s", KELOPZ_SEED_DB);
    QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
    mdlStandard::setDatabasePath(path_);
}

TestDb::~TestDb() { mdlStandard::setDatabasePath(QString()); }

RecordsetPtr TestDb::run(const QString &sql, const QVariantList &params)
{
    QString status;
    auto rs = mdlStandard::runsql(sql, status, params);
    if (!rs)
        qWarning("set-up statement failed: %s: %s", qPrintable(sql), qPrintable(status));
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

int TestDb::count(const QString &table)
{
    return scalar(QStringLiteral("select count(*) from ") + table).toInt();
}

MessageBoxes::MessageBoxes()
{
    platform::setMsgBoxHandler([this](const platform::MsgBoxRequest &r) {
        shown_.push_back(r);
        if (answers_.empty())
            return r.defaultButton;
        const auto a = answers_.front();
        answers_.pop_front();
        return a;
    });
}

MessageBoxes::~MessageBoxes() { platform::setMsgBoxHandler({}); }

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
    return [named](const QString &sql) { return named.match(sql).hasMatch(); };
}

} // namespace testsupport
