#include "closing/summary.h"

#include "closing/books.h"

using namespace mdlStandard;

namespace closing {

QString workingRowsSelect()
{
    return QStringLiteral(
        "SELECT kjqj, NULL AS pz_no, km_no, km_zjf, km_name, qcje, 0 AS jfje, 0 AS dfje FROM zzqcye WHERE kjqj = ? "
        "UNION ALL SELECT kjqj, pz_no, km_no, km_zjf, km_name, 0, jfje, dfje FROM pzk");
}

bool rebuildSummary(const QString &period, QString *error)
{
    Transaction work;
    return started(work, error) && execute(QStringLiteral("DELETE FROM pzhzk"), {}, error)
           && execute(QStringLiteral("INSERT INTO pzhzk (kjqj, pz_no, km_no, km_zjf, km_name, qcje, jfje, dfje) ")
                          + workingRowsSelect(),
                      {period}, error)
           && committed(work, error);
}

RecordsetPtr summaryRows(QString *error)
{
    return runsql(QStringLiteral("SELECT km_no, km_name, sum(qcje) AS qchj, sum(jfje) AS jfhj, sum(dfje) AS dfhj, "
                                 "sum(qcje + jfje - dfje) AS qmhj FROM pzhzk GROUP BY km_no, km_name"),
                  *error);
}

} // namespace closing
