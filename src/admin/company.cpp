#include "admin/company.h"

#include "db/records.h"

using namespace mdlStandard;

namespace admin {

namespace {
const QString kCompanyRow = QStringLiteral("select * from dwmc");
const QString kUnreadable = QStringLiteral("无法读取单位基本信息：");
const QString kMissing = QStringLiteral("单位基本信息行不存在");
} // namespace

std::optional<Company> readCompany(QString *error)
{
    const auto rs = records::read(kCompanyRow, {}, kUnreadable, error);
    if (!rs || rs->eof()) {
        if (rs)
            *error = kUnreadable + kMissing;
        return std::nullopt;
    }
    return Company{rs->text(QStringLiteral("frdb")), rs->text(QStringLiteral("dw_name")),
                   rs->text(QStringLiteral("dw_address")), rs->text(QStringLiteral("yzbm")),
                   rs->text(QStringLiteral("lxdh"))};
}

bool saveCompany(const Company &company, QString *error)
{
    return records::changeFirstRow(kCompanyRow, {},
                                   {{QStringLiteral("frdb"), company.representative},
                                    {QStringLiteral("dw_name"), company.name},
                                    {QStringLiteral("dw_address"), company.address},
                                    {QStringLiteral("yzbm"), company.postcode},
                                    {QStringLiteral("lxdh"), company.phone}},
                                   {kUnreadable, kMissing, QStringLiteral("单位基本信息")}, error);
}

} // namespace admin
