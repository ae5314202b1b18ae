#include "db/bookheader.h"

#include "db/mdlstandard.h"

namespace mdlStandard {

namespace {
// The first column of a statement's first row; a failed read and a missing row are
// told apart, and neither is taken as an empty text.
std::optional<QString> firstText(const QString &select, const QString &unreadable, const QString &missing,
                                 QString *error)
{
    QString cause;
    const auto rs = runsql(select, &cause);
    if (!rs || rs->eof()) {
        *error = rs ? missing : unreadable + cause;
        return std::nullopt;
    }
    return rs->value(0).toString();
}
} // namespace

std::optional<QString> companyName(QString *error)
{
    return firstText(QStringLiteral("select dw_name from dwmc limit 1"), QStringLiteral("无法读取单位基本信息："),
                     QStringLiteral("单位信息不存在，账簿无法读取！"), error);
}

std::optional<QString> currentPeriodText(QString *error)
{
    return firstText(QStringLiteral("select kjqj from dqkjqj limit 1"), QStringLiteral("读取当前会计期间失败："),
                     QStringLiteral("当前会计期间行不存在，账簿无法读取！"), error);
}

} // namespace mdlStandard
