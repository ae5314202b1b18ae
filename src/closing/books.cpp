#include "closing/books.h"

using namespace mdlStandard;

namespace closing {

bool execute(const QString &sql, const QVariantList &params, QString *error)
{
    return runsql(sql, *error, params) != nullptr;
}

std::optional<qint64> readNumber(const QString &sql, const QVariantList &params, QString *error)
{
    auto rs = runsql(sql, *error, params);
    if (!rs)
        return std::nullopt;
    if (!rs->isOpen() || rs->eof()) {
        *error = QStringLiteral("账簿数据无法读取");
        return std::nullopt;
    }
    return rs->value(0).toLongLong();
}

bool started(const Transaction &work, QString *error)
{
    if (!work.isActive())
        *error = work.error();
    return work.isActive();
}

bool committed(Transaction &work, QString *error)
{
    if (work.commit())
        return true;
    *error = work.error();
    return false;
}

std::optional<QString> currentPeriodText(QString *error)
{
    auto rs = runsql(QStringLiteral("select kjqj from dqkjqj"), *error);
    if (!rs)
        return std::nullopt;
    if (rs->eof()) {
        *error = QStringLiteral("当前会计期间行不存在");
        return std::nullopt;
    }
    return rs->text(QStringLiteral("kjqj"));
}

} // namespace closing
