#include "closing/vouchertotals.h"

#include "closing/monthendsteps.h"
#include "db/bookheader.h"

using namespace mdlStandard;

namespace closing {

namespace {
// The totals of every voucher, grouped once; the balance rule in SQL is jfhj <> dfhj,
// exact on integer cents.
const QString kGroupedTotals =
    QStringLiteral("SELECT pz_no, sum(jfje) AS jfhj, sum(dfje) AS dfhj FROM pzk GROUP BY pz_no");

// Replaces pzktemp with the vouchers' totals (only the unbalanced ones when asked), as one
// unit of work, and returns how many of the stored vouchers do not balance.
std::optional<qint64> refillVoucherTotals(bool onlyUnbalanced, QString *error)
{
    BulkWork bulk(BulkWork::Refills::Yes);
    Transaction work;
    QString fill = QStringLiteral("INSERT INTO pzktemp (pz_no, jfhj, dfhj) ") + kGroupedTotals;
    if (onlyUnbalanced)
        fill += QStringLiteral(" HAVING sum(jfje) <> sum(dfje)");
    if (!started(work, error) || !execute(QStringLiteral("DELETE FROM pzktemp"), {}, error) ||
        !execute(fill, {}, error))
        return std::nullopt;
    const auto unbalanced = readNumber(QStringLiteral("SELECT count(*) FROM pzktemp WHERE jfhj <> dfhj"), {}, error);
    if (!unbalanced || !committed(work, error))
        return std::nullopt;
    return unbalanced;
}
} // namespace

RecordsetPtr voucherTotals(QString *error) { return runsql(kGroupedTotals + QStringLiteral(" ORDER BY pz_no"), error); }

std::optional<PeriodStatus> readPeriodStatus(QString *error)
{
    const auto period = mdlStandard::currentPeriodText(error);
    if (!period)
        return std::nullopt;
    const auto vouchers =
        readNumber(QStringLiteral("SELECT count(*) FROM (SELECT DISTINCT pz_no FROM pzk)"), {}, error);
    if (!vouchers)
        return std::nullopt;
    const auto unbalanced = refillVoucherTotals(true, error);
    if (!unbalanced)
        return std::nullopt;
    return PeriodStatus{*period, int(*vouchers), int(*unbalanced)};
}

std::optional<GateVerdict> testBeforeClosing(QString *error)
{
    const auto anyLine = readNumber(QStringLiteral("SELECT EXISTS (SELECT 1 FROM pzk)"), {}, error);
    if (!anyLine)
        return std::nullopt;
    if (*anyLine == 0)
        return GateVerdict::NoLines;
    const auto unbalanced = refillVoucherTotals(false, error);
    if (!unbalanced)
        return std::nullopt;
    return *unbalanced > 0 ? GateVerdict::Unbalanced : GateVerdict::Balanced;
}

} // namespace closing
