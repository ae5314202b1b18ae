#include "closing/history.h"

using namespace mdlStandard;

namespace closing {

// Period texts have a fixed width, so descending text order is newest first.
RecordsetPtr closedPeriods(QString *error)
{
    return runsql(QStringLiteral("SELECT DISTINCT kjqj FROM pzhzkls ORDER BY kjqj DESC"), error);
}

RecordsetPtr closedSummary(const QString &period, QString *error)
{
    return runsql(QStringLiteral("SELECT * FROM pzhzkls WHERE kjqj = ? ORDER BY km_no"), error, {period});
}

} // namespace closing
