#include "accounts/ledgersetup.h"

#include "db/mdlstandard.h"

using namespace mdlStandard;

namespace ledger {

namespace {
// Sets one column of the flag row, failing when the row is missing.
bool setFlag(const QString &item, const QString &column, const QString &value, QString *error)
{
    sqltext = QStringLiteral("select * from qy where cdxm=?");
    auto rs = runsql(sqltext, *error, {item});
    if (!rs)
        return false;
    if (rs->eof()) {
        *error = QStringLiteral("设置标志行“%1”不存在").arg(item);
        return false;
    }
    rs->setValue(column, value);
    return rs->update(error);
}
} // namespace

bool flagIs(const QString &item, const QString &column, const QString &value)
{
    QString status;
    auto rs = runsql(QStringLiteral("select * from qy where cdxm=?"), status, {item});
    return rs && !rs->eof() && !rs->value(column).isNull() && rs->text(column) == value;
}

bool clearBooks(QString *error)
{
    Transaction work;
    if (!work.isActive()) {
        *error = work.error();
        return false;
    }
    for (const char *table : {"pzhzk", "pzhzkls", "pzhzktemp", "zzqcye", "pzk", "pzkls", "pzktemp"}) {
        sqltext = QStringLiteral("delete from ") + QLatin1String(table);
        if (!runsql(sqltext, *error))
            return false;
    }
    if (!setFlag(kInitItem, QStringLiteral("bj"), QStringLiteral("1"), error))
        return false;
    if (!work.commit()) {
        *error = work.error();
        return false;
    }
    return true;
}

bool endInitialisation(QString *error)
{
    return setFlag(kInitItem, QStringLiteral("qyqj"), QStringLiteral("js"), error);
}

bool saveFirstPeriod(const QString &periodText, const QString &yearText, QString *error)
{
    Transaction work;
    if (!work.isActive()) {
        *error = work.error();
        return false;
    }
    sqltext = QStringLiteral("select * from qy where cdxm=?");
    sharedrs = runsql(sqltext, *error, {kPeriodItem});
    if (!sharedrs || sharedrs->eof()) {
        if (sharedrs)
            *error = QStringLiteral("设置标志行“%1”不存在").arg(kPeriodItem);
        return false;
    }
    sharedrs->setValue(QStringLiteral("bj"), QStringLiteral("1"));
    sharedrs->setValue(QStringLiteral("qyqj"), periodText);
    if (!sharedrs->update(error))
        return false;

    sqltext = QStringLiteral("select * from dqkjqj");
    sharedrs = runsql(sqltext, *error);
    if (!sharedrs || sharedrs->eof()) {
        if (sharedrs)
            *error = QStringLiteral("当前会计期间行不存在");
        return false;
    }
    sharedrs->setValue(QStringLiteral("kjnd"), yearText);
    sharedrs->setValue(QStringLiteral("kjqj"), periodText);
    if (!sharedrs->update(error))
        return false;
    sharedrs->close();
    if (!work.commit()) {
        *error = work.error();
        return false;
    }
    return true;
}

} // namespace ledger
