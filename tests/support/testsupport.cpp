#include "testsupport.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QWidget>
#include <QTest>

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

} // namespace testsupport
