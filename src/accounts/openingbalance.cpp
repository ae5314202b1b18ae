#include "accounts/openingbalance.h"

#include "accounts/ledgersetup.h"
#include "db/records.h"
#include "platform/money.h"

using namespace mdlStandard;

namespace accounts {

namespace {
const QString kOfAccount = QStringLiteral("select * from zzqcye where djh like 'CSH%' and km_no=?");
const QString kUnreadable = QStringLiteral("读取总帐期初余额失败：");
const QString kNoun = QStringLiteral("总帐期初余额");
} // namespace

std::optional<QString> nextOpeningDocumentNumber(const QDate &entryDay, QString *error)
{
    const QString prefix = QStringLiteral("CSH") + entryDay.toString(QStringLiteral("yyyyMMdd"));
    // Only numbers of the day's own form count: a stored text of another form could never
    // be given out, so it neither blocks nor advances the sequence.
    QString cause;
    const auto highest =
        runsql(QStringLiteral("select djh from zzqcye where upper(djh) glob ? order by djh desc limit 1"), &cause,
               {prefix + QStringLiteral("[0-9][0-9][0-9][0-9]")});
    if (!highest) {
        *error = kUnreadable + cause;
        return std::nullopt;
    }
    int next = 1;
    if (!highest->eof())
        next = numbers::parsePlainInteger(highest->text(QStringLiteral("djh")).right(4)).value_or(0) + 1;
    if (next > 9999) {
        *error = QStringLiteral("今天的期初余额单据号已用完（") + prefix + QStringLiteral("9999），请明天再新增！");
        return std::nullopt;
    }
    return prefix + QStringLiteral("%1").arg(next, 4, 10, QLatin1Char('0'));
}

RecordsetPtr listOpeningBalances(QString *error)
{
    return runsql(QStringLiteral("select * from zzqcye where djh like 'CSH%' order by km_no"), error);
}

RecordsetPtr readOpeningBalance(const QString &code, QString *error)
{
    return records::read(kOfAccount, {code}, kUnreadable, error);
}

std::optional<bool> hasOpeningBalance(const QString &code, QString *error)
{
    return records::anyRow(kOfAccount, {code}, kUnreadable, error);
}

bool addOpeningBalance(const OpeningBalance &added, QString *error)
{
    return records::addRow(QStringLiteral("zzqcye"),
                           {{QStringLiteral("km_no"), added.code},
                            {QStringLiteral("km_zjf"), added.initials},
                            {QStringLiteral("km_name"), added.name},
                            {QStringLiteral("qcje"), added.amount.cents()},
                            {QStringLiteral("djh"), added.documentNumber},
                            {QStringLiteral("rq"), added.entryDay.toString(Qt::ISODate)},
                            {QStringLiteral("kjnd"), added.yearText},
                            {QStringLiteral("kjqj"), added.periodText}},
                           kNoun, error);
}

bool changeOpeningBalance(const QString &code, const Money &amount, QString *error)
{
    return records::changeFirstRow(kOfAccount, {code}, {{QStringLiteral("qcje"), amount.cents()}},
                                   {kUnreadable, QStringLiteral("该科目的总帐期初余额已不存在，无法保存修改！"), kNoun},
                                   error);
}

bool deleteOpeningBalance(const QString &code, QString *error)
{
    return records::execute(QStringLiteral("delete from zzqcye where djh like 'CSH%' and km_no=?"), {code},
                            QStringLiteral("删除总帐期初余额失败："), error);
}

bool openingBalancesWritable(QString *error)
{
    const auto ended = initialisationEnded(error);
    if (ended && *ended)
        *error = kOpeningBalancesReadOnly;
    return ended.has_value() && !*ended;
}

} // namespace accounts
