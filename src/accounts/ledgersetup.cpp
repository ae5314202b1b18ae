#include "accounts/ledgersetup.h"

#include "db/mdlstandard.h"
#include "db/records.h"

using namespace mdlStandard;

namespace accounts {

namespace {
QString unreadable(const QString &why) { return QStringLiteral("无法读取账簿数据：") + why; }

// The flag row of the item, open for update; nullptr when it cannot be read or is missing.
RecordsetPtr flagRow(const QString &item, QString *error)
{
    QString cause;
    auto rs = runsql(QStringLiteral("select * from qy where cdxm=?"), &cause, {item});
    if (!rs) {
        *error = unreadable(cause);
        return nullptr;
    }
    if (rs->eof()) {
        *error = unreadable(QStringLiteral("设置标志行“%1”不存在").arg(item));
        return nullptr;
    }
    return rs;
}

bool holds(const RecordsetPtr &row, const QString &column, const QString &value)
{
    return !row->value(column).isNull() && row->text(column) == value;
}

// Sets one column of the flag row, failing when the row is missing.
bool setFlag(const QString &item, const QString &column, const QString &value, QString *error)
{
    auto row = flagRow(item, error);
    return row && records::writeFields(row, {{column, value}}, error);
}

bool committed(Transaction &work, QString *error)
{
    if (work.commit())
        return true;
    *error = work.error();
    return false;
}
} // namespace

std::optional<bool> flagIs(const QString &item, const QString &column, const QString &value, QString *error)
{
    const auto row = flagRow(item, error);
    if (!row)
        return std::nullopt;
    return holds(row, column, value);
}

std::optional<CurrentPeriod> currentPeriod(QString *error)
{
    QString cause;
    const auto rs = runsql(QStringLiteral("select kjnd, kjqj from dqkjqj"), &cause);
    if (!rs || rs->eof()) {
        *error = unreadable(rs ? QStringLiteral("当前会计期间行不存在") : cause);
        return std::nullopt;
    }
    return CurrentPeriod{rs->text(QStringLiteral("kjnd")), rs->text(QStringLiteral("kjqj"))};
}

bool clearBooks(QString *error)
{
    Transaction work;
    if (!work.isActive()) {
        *error = work.error();
        return false;
    }
    const auto cleared = booksCleared(error);
    if (!cleared)
        return false;
    if (*cleared) {
        *error = QStringLiteral("数据初始化已经完成数据清理，不能再进行初始化操作！");
        return false;
    }
    for (const char *table : {"pzhzk", "pzhzkls", "pzhzktemp", "zzqcye", "pzk", "pzkls", "pzktemp"}) {
        if (!runsql(QStringLiteral("delete from ") + QLatin1String(table), error))
            return false;
    }
    if (!setFlag(kInitItem, QStringLiteral("bj"), QStringLiteral("1"), error))
        return false;
    return committed(work, error);
}

bool endInitialisation(QString *error)
{
    return setFlag(kInitItem, QStringLiteral("qyqj"), QStringLiteral("js"), error);
}

bool saveFirstPeriod(const QString &periodText, const QString &yearText, const QString &overwritable, QString *error)
{
    Transaction work;
    if (!work.isActive()) {
        *error = work.error();
        return false;
    }
    auto flag = flagRow(kPeriodItem, error);
    if (!flag)
        return false;
    const QString stored = flag->text(QStringLiteral("qyqj"));
    if (holds(flag, QStringLiteral("bj"), QStringLiteral("1")) && (overwritable.isEmpty() || stored != overwritable)) {
        *error = QStringLiteral("初次使用会计期间已设置为") + stored + QStringLiteral("，不能再次设置！");
        return false;
    }
    if (!records::writeFields(flag, {{QStringLiteral("bj"), QStringLiteral("1")}, {QStringLiteral("qyqj"), periodText}},
                              error))
        return false;

    auto current = runsql(QStringLiteral("select * from dqkjqj"), error);
    if (!current || current->eof()) {
        if (current)
            *error = QStringLiteral("当前会计期间行不存在");
        return false;
    }
    return records::writeFields(current, {{QStringLiteral("kjnd"), yearText}, {QStringLiteral("kjqj"), periodText}},
                                error) &&
           committed(work, error);
}

} // namespace accounts
