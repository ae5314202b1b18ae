#include "accounts/openingbalance.h"

#include "accounts/ledgersetup.h"
#include "platform/money.h"

using namespace mdlStandard;

namespace ledger {

std::optional<QString> nextOpeningDocumentNumber(const QDate &entryDay, QString *error)
{
    const QString prefix = QStringLiteral("CSH") + entryDay.toString(QStringLiteral("yyyyMMdd"));
    // Only numbers of the day's own form count: a stored text of another form could never
    // be given out, so it neither blocks nor advances the sequence.
    sqltext = QStringLiteral("select djh from zzqcye where upper(djh) glob ? order by djh desc limit 1");
    sharedrs2 = runsql(sqltext, msgtext, {prefix + QStringLiteral("[0-9][0-9][0-9][0-9]")});
    if (!sharedrs2) {
        *error = QStringLiteral("读取总帐期初余额失败：") + msgtext;
        return std::nullopt;
    }
    int next = 1;
    if (!sharedrs2->eof())
        next = numbers::parsePlainInteger(sharedrs2->text(QStringLiteral("djh")).right(4)).value_or(0) + 1;
    if (next > 9999) {
        *error = QStringLiteral("今天的期初余额单据号已用完（") + prefix + QStringLiteral("9999），请明天再新增！");
        return std::nullopt;
    }
    return prefix + QStringLiteral("%1").arg(next, 4, 10, QLatin1Char('0'));
}

RecordsetPtr openingBalanceOf(const QString &code, QString &status)
{
    return runsql(QStringLiteral("select * from zzqcye where djh like 'CSH%' and km_no=?"), status, {code});
}

bool openingBalancesWritable(QString *error)
{
    const auto ended = initialisationEnded(error);
    if (ended && *ended)
        *error = kOpeningBalancesReadOnly;
    return ended.has_value() && !*ended;
}

} // namespace ledger
