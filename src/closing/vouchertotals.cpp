#include "closing/vouchertotals.h"

#include "closing/books.h"

using namespace mdlStandard;

namespace closing {

namespace {
// The totals of every voucher, grouped once; the balance rule in SQL is jfhj <> dfhj,
// exact on integer cents.
const QString kGroupedTotals =
    QStringLiteral("SELECT pz_no, sum(jfje) AS jfhj, sum(dfje) AS dfhj FROM pzk GROUP BY pz_no");

// Replaces pzktemp with the vouchers' totals (only the unbalanced ones when asked) and
// returns how many of the stored vouchers do not balance. Runs inside the caller's
// transaction.
std::optional<qint64> refillVoucherTotals(bool onlyUnbalanced, QString *error)
{
    BulkWork bulk;
    if (!execute(QStringLiteral("DELETE FROM pzktemp"), {}, error))
        return std::nullopt;
    QString fill = QStringLiteral("INSERT INTO pzktemp (pz_no, jfhj, dfhj) ") + kGroupedTotals;
    if (onlyUnbalanced)
        fill += QStringLiteral(" HAVING sum(jfje) <> sum(dfje)");
    if (!execute(fill, {}, error))
        return std::nullopt;
    return readNumber(QStringLiteral("SELECT count(*) FROM pzktemp WHERE jfhj <> dfhj"), {}, error);
}
} // namespace

RecordsetPtr voucherTotals(QString *error)
{
    return runsql(kGroupedTotals + QStringLiteral(" ORDER BY pz_no"), *error);
}

std::optional<PeriodStatus> readPeriodStatus(QString *error)
{
    const auto period = currentPeriodText(error);
    if (!period)
        return std::nullopt;
    const auto vouchers = readNumber(QStringLiteral("SELECT count(*) FROM (SELECT DISTINCT pz_no FROM pzk)"), {}, error);
    if (!vouchers)
        return std::nullopt;
    Transaction work;
    if (!started(work, error))
        return std::nullopt;
    const auto unbalanced = refillVoucherTotals(true, error);
    if (!unbalanced || !committed(work, error))
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
    Transaction work;
    if (!started(work, error))
        return std::nullopt;
    const auto unbalanced = refillVoucherTotals(false, error);
    if (!unbalanced || !committed(work, error))
        return std::nullopt;
    return *unbalanced > 0 ? GateVerdict::Unbalanced : GateVerdict::Balanced;
}

} // namespace closing
