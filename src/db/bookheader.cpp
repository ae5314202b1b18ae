#include "db/bookheader.h"

#include "db/mdlstandard.h"

namespace mdlStandard {

std::optional<QString> companyName(QString *error)
{
    QString cause;
    const auto rs = runsql(QStringLiteral("select dw_name from dwmc limit 1"), &cause);
    if (!rs) {
        *error = QStringLiteral("无法读取单位基本信息：") + cause;
        return std::nullopt;
    }
    if (rs->eof()) {
        *error = QStringLiteral("单位信息不存在，账簿无法读取！");
        return std::nullopt;
    }
    return rs->text(QStringLiteral("dw_name"));
}

std::optional<QString> currentPeriodText(QString *error)
{
    QString cause;
    const auto rs = runsql(QStringLiteral("select kjqj from dqkjqj limit 1"), &cause);
    if (!rs) {
        *error = QStringLiteral("读取当前会计期间失败：") + cause;
        return std::nullopt;
    }
    if (rs->eof()) {
        *error = QStringLiteral("当前会计期间行不存在，账簿无法读取！");
        return std::nullopt;
    }
    return rs->text(QStringLiteral("kjqj"));
}

} // namespace mdlStandard
