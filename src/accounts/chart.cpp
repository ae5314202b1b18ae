#include "accounts/chart.h"

#include "db/records.h"

using namespace mdlStandard;

namespace accounts {

namespace {
const QString kByCode = QStringLiteral("select * from kmdmk where km_no=?");
const QString kUnreadable = QStringLiteral("读取会计科目失败：");
const QString kNoun = QStringLiteral("会计科目");
} // namespace

RecordsetPtr listAccounts(QString *error)
{
    return runsql(QStringLiteral("select * from kmdmk order by km_no"), error);
}

RecordsetPtr readAccount(const QString &code, QString *error)
{
    return records::read(kByCode, {code}, kUnreadable, error);
}

bool findAccount(const QString &code, std::optional<Account> *found, QString *error)
{
    const auto make = [](const platform::Recordset &row) {
        return Account{row.text(QStringLiteral("km_no")), row.text(QStringLiteral("km_zjf")),
                       row.text(QStringLiteral("km_name")), row.text(QStringLiteral("km_page"))};
    };
    return records::findFirst(kByCode, {code}, kUnreadable, make, found, error);
}

std::optional<bool> codeTaken(const QString &code, QString *error)
{
    return records::anyRow(kByCode, {code}, kUnreadable, error);
}

std::optional<bool> accountInUse(const QString &code, QString *error)
{
    return records::anyRow(QStringLiteral("select * from pzk where km_no=?"), {code},
                           QStringLiteral("读取会计凭证失败："), error);
}

bool addAccount(const Account &added, QString *error)
{
    records::Fields fields = {{QStringLiteral("km_no"), added.code},
                              {QStringLiteral("km_zjf"), added.initials},
                              {QStringLiteral("km_name"), added.name}};
    if (added.page)
        fields.emplace_back(QStringLiteral("km_page"), *added.page);
    return records::addRow(QStringLiteral("kmdmk"), fields, kNoun, error);
}

bool changeAccount(const Account &changed, QString *error)
{
    return records::changeFirstRow(kByCode, {changed.code},
                                   {{QStringLiteral("km_zjf"), changed.initials},
                                    {QStringLiteral("km_name"), changed.name},
                                    {QStringLiteral("km_page"), changed.page.value_or(QStringLiteral(""))}},
                                   {kUnreadable, QStringLiteral("该会计科目已不存在，无法保存修改！"), kNoun}, error);
}

bool deleteAccount(const QString &code, QString *error)
{
    return records::execute(QStringLiteral("delete from kmdmk where km_no=?"), {code},
                            QStringLiteral("删除会计科目失败："), error);
}

} // namespace accounts
