#include "closing/periodclose.h"

#include "closing/monthendsteps.h"
#include "closing/summary.h"
#include "db/bookheader.h"

using namespace mdlStandard;

namespace closing {

namespace {
const QString kClosedRemark = QStringLiteral("已结转");

bool archiveLines(QString *error)
{
    return execute(QStringLiteral("INSERT INTO pzkls (rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje, bz) "
                                  "SELECT rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje, ? FROM pzk"),
                   {kClosedRemark}, error);
}

// The period summed per account and period, grouped once into the working table pzhzk,
// which the closing empties anyway. The history and next month's balances are both taken
// from these rows, never from where the history's new rows happen to land: the engine
// numbers rows from the largest number in the table, and after a row with the largest
// possible number it picks numbers at random.
bool groupIntoWorkingRows(const QString &period, QString *error)
{
    return execute(QStringLiteral("DELETE FROM pzhzk"), {}, error) &&
           execute(QStringLiteral("INSERT INTO pzhzk (km_no, km_zjf, km_name, kjqj, qcje, jfje, dfje) "
                                  "SELECT km_no, km_zjf, km_name, kjqj, qchj, jfhj, dfhj FROM (") +
                       accountSumsSelect(QStringLiteral("km_no, km_zjf, km_name, kjqj")) + QStringLiteral(")"),
                   {period}, error);
}

bool archiveSummary(QString *error)
{
    return execute(QStringLiteral("INSERT INTO pzhzkls (km_no, km_zjf, km_name, kjqj, qcje, jfje, dfje, qmje, bz) "
                                  "SELECT km_no, km_zjf, km_name, kjqj, qcje, jfje, dfje, "
                                  "balance(qcje, jfje, dfje), ? FROM pzhzk"),
                   {kClosedRemark}, error);
}

bool advancePeriod(const Period &next, QString *error)
{
    auto rs =
        runsql(QStringLiteral("UPDATE dqkjqj SET kjnd = ?, kjqj = ? WHERE rowid = (SELECT min(rowid) FROM dqkjqj)"),
               error, {next.bareYearText(), next.text()});
    if (rs && rs->rowsAffected() != 1)
        *error = QStringLiteral("当前会计期间行不存在");
    return rs && rs->rowsAffected() == 1;
}

// Every account's closing balance, over all the periods its lines named.
bool carryBalancesForward(const Period &next, QString *error)
{
    return execute(QStringLiteral("INSERT INTO zzqcye (km_no, km_zjf, km_name, kjqj, qcje) "
                                  "SELECT km_no, km_zjf, km_name, ?, sum(balance(qcje, jfje, dfje)) FROM pzhzk "
                                  "GROUP BY km_no, km_zjf, km_name"),
                   {next.text()}, error);
}
} // namespace

std::optional<ClosingOutcome> closePeriod(QString *error)
{
    BulkWork bulk(BulkWork::Refills::No); // outlives the transaction, so its commit runs with these settings
    Transaction work;
    if (!started(work, error))
        return std::nullopt;
    const auto periodText = mdlStandard::currentPeriodText(error);
    if (!periodText)
        return std::nullopt;
    const auto period = Period::parse(*periodText);
    if (!period) {
        *error = QStringLiteral("当前会计期间“%1”不是有效的会计期间，无法结转").arg(*periodText);
        return std::nullopt;
    }
    const Period next = period->next();
    const bool done = archiveLines(error) && groupIntoWorkingRows(*periodText, error) && archiveSummary(error) &&
                      advancePeriod(next, error) && carryBalancesForward(next, error) &&
                      execute(QStringLiteral("DELETE FROM pzk"), {}, error) &&
                      execute(QStringLiteral("DELETE FROM pzhzk"), {}, error) && committed(work, error);
    if (!done)
        return std::nullopt;
    return ClosingOutcome{*period, next};
}

} // namespace closing
