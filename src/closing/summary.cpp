#include "closing/summary.h"

#include "closing/monthendsteps.h"

using namespace mdlStandard;

namespace closing {

bool rebuildSummary(const QString &period, QString *error)
{
    BulkWork bulk(BulkWork::Refills::Yes);
    Transaction work;
    return started(work, error) && execute(QStringLiteral("DELETE FROM pzhzk"), {}, error) &&
           execute(QStringLiteral("INSERT INTO pzhzk (kjqj, pz_no, km_no, km_zjf, km_name, qcje, jfje, dfje) "
                                  "SELECT kjqj, NULL, km_no, km_zjf, km_name, qcje, 0, 0 FROM zzqcye WHERE kjqj = ? "
                                  "UNION ALL SELECT kjqj, pz_no, km_no, km_zjf, km_name, 0, jfje, dfje FROM pzk"),
                   {period}, error) &&
           committed(work, error);
}

QString accountSumsSelect(const QString &keys)
{
    return QStringLiteral("SELECT %1, sum(qcje) AS qchj, sum(jfje) AS jfhj, sum(dfje) AS dfhj, "
                          "sum(balance(qcje, jfje, dfje)) AS qmhj FROM ("
                          "SELECT %1, qcje, 0 AS jfje, 0 AS dfje FROM zzqcye WHERE kjqj = ? "
                          "UNION ALL SELECT %1, 0, sum(jfje), sum(dfje) FROM pzk GROUP BY %1) GROUP BY %1")
        .arg(keys);
}

RecordsetPtr summaryRows(const QString &period, QString *error)
{
    return runsql(accountSumsSelect(QStringLiteral("km_no, km_name")), error, {period});
}

} // namespace closing
