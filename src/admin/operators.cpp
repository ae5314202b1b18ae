#include "admin/operators.h"

#include "db/records.h"

using namespace mdlStandard;

namespace admin {

namespace {
const QString kByNumber = QStringLiteral("select * from czy where czyno=?");
const QString kUnreadable = QStringLiteral("读取操作员信息失败：");
const QString kNoun = QStringLiteral("操作员信息");
} // namespace

bool operatorsReadable(QString *error) { return runsql(QStringLiteral("select count(*) from czy"), error) != nullptr; }

RecordsetPtr listOperators(QString *error) { return runsql(QStringLiteral("select * from czy order by czyno"), error); }

RecordsetPtr searchOperators(const QString &typed, QString *error)
{
    if (typed.isEmpty())
        return listOperators(error);
    const QString literal = likeEscaped(typed);
    return runsql(QStringLiteral("select * from czy where ((czyno like ? escape '\\') or (czyname like ? escape '\\')) "
                                 "order by czyno"),
                  error, {literal + '%', '%' + literal + '%'});
}

RecordsetPtr readOperator(const QString &number, QString *error)
{
    return records::read(kByNumber, {number}, kUnreadable, error);
}

bool findOperator(const QString &number, std::optional<Operator> *found, QString *error)
{
    const auto make = [](const platform::Recordset &row) {
        return Operator{row.text(QStringLiteral("czyno")), row.text(QStringLiteral("czyname")),
                        row.text(QStringLiteral("lxdh")), row.text(QStringLiteral("password"))};
    };
    return records::findFirst(kByNumber, {number}, kUnreadable, make, found, error);
}

std::optional<bool> numberTaken(const QString &number, QString *error)
{
    return records::anyRow(kByNumber, {number}, kUnreadable, error);
}

bool addOperator(const Operator &added, QString *error)
{
    records::Fields fields = {{QStringLiteral("czyno"), added.number}, {QStringLiteral("czyname"), added.name}};
    if (added.phone)
        fields.emplace_back(QStringLiteral("lxdh"), *added.phone);
    fields.emplace_back(QStringLiteral("password"), added.password);
    return records::addRow(QStringLiteral("czy"), fields, kNoun, error);
}

bool changeOperator(const QString &number, const QString &name, const QString &phone, QString *error)
{
    return records::changeFirstRow(kByNumber, {number},
                                   {{QStringLiteral("czyname"), name}, {QStringLiteral("lxdh"), phone}},
                                   {kUnreadable, QStringLiteral("该操作员已不存在，无法保存修改！"), kNoun}, error);
}

bool setPassword(const QString &number, const QString &password, QString *error)
{
    return records::changeFirstRow(
        kByNumber, {number}, {{QStringLiteral("password"), password}},
        {kUnreadable, QStringLiteral("当前操作员已不存在，无法修改密码！"), QStringLiteral("密码")}, error);
}

bool deleteOperator(const QString &number, QString *error)
{
    return records::execute(QStringLiteral("delete from czy where czyno=?"), {number},
                            QStringLiteral("删除操作员失败："), error);
}

} // namespace admin
