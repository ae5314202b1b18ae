#include "closing/periodclose.h"

#include "closing/books.h"
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

// Sums the working rows straight from the books: pzhzk would be filled only to be emptied
// again at the end of the same unit of work.
bool archiveSummary(const QString &period, QString *error)
{
    return execute(QStringLiteral("INSERT INTO pzhzkls (km_no, km_zjf, km_name, kjqj, qcje, jfje, dfje, qmje, bz) "
                                  "SELECT km_no, km_zjf, km_name, kjqj, qchj, jfhj, dfhj, qmhj, ? FROM (") +
                       accountSumsSelect(QStringLiteral("km_no, km_zjf, km_name, kjqj")) + QStringLiteral(")"),
                   {kClosedRemark, period}, error);
}

bool advancePeriod(const Period &next, QString *error)
{
    auto rs =
        runsql(QStringLiteral("UPDATE dqkjqj SET kjnd = ?, kjqj = ? WHERE rowid = (SELECT min(rowid) FROM dqkjqj)"),
               *error, {next.bareYearText(), next.text()});
    if (rs && rs->rowsAffected() != 1)
        *error = QStringLiteral("当前会计期间行不存在");
    return rs && rs->rowsAffected() == 1;
}

// The rows just archived (rowid above the mark) already hold each account's sums per
// period, so the balances per account come from regrouping those few rows rather than
// grouping every line a second time.
bool carryBalancesForward(const Period &next, qint64 archiveMark, QString *error)
{
    return execute(QStringLiteral("INSERT INTO zzqcye (km_no, km_zjf, km_name, kjqj, qcje) "
                                  "SELECT km_no, km_zjf, km_name, ?, sum(qmje) FROM pzhzkls WHERE rowid > ? "
                                  "GROUP BY km_no, km_zjf, km_name"),
                   {next.text(), archiveMark}, error);
}
} // namespace

std::optional<ClosingOutcome> closePeriod(QString *error)
{
    BulkWork bulk(BulkWork::Refills::No); // outlives the transaction, so its commit runs with these settings
    Transaction work;
    if (!started(work, error))
        return std::nullopt;
    const auto periodText = books::currentPeriodText(error);
    if (!periodText)
        return std::nullopt;
    const auto period = Period::parse(*periodText);
    if (!period) {
        *error = QStringLiteral("当前会计期间“%1”不是有效的会计期间，无法结转").arg(*periodText);
        return std::nullopt;
    }
    const Period next = period->next();
    const auto archiveMark = readNumber(QStringLiteral("SELECT coalesce(max(rowid), 0) FROM pzhzkls"), {}, error);
    const bool done = archiveMark && archiveLines(error) && archiveSummary(*periodText, error) &&
                      advancePeriod(next, error) && carryBalancesForward(next, *archiveMark, error) &&
                      execute(QStringLiteral("DELETE FROM pzk"), {}, error) &&
                      execute(QStringLiteral("DELETE FROM pzhzk"), {}, error) && committed(work, error);
    if (!done)
        return std::nullopt;
    return ClosingOutcome{*period, next};
}

} // namespace closing
