#pragma once

// The rows of a recordset as a report's data, copied at the moment of
// printing: the report keeps printing those rows whatever later happens to
// the recordset or to whoever holds it.

#include "platform/recordset.h"
#include "platform/report/reportdata.h"

#include <memory>

namespace platform::report {

// Every row from the first, whatever the recordset's current position (a
// list window has usually read it to its end), in its order and under its
// field names. The recordset's cursor and any change pending on it are left
// alone. A null or closed recordset gives no rows, which prints like an
// empty list.
std::shared_ptr<const ReportTable> snapshotRows(const Recordset *rows);
inline std::shared_ptr<const ReportTable> snapshotRows(const RecordsetPtr &rows) { return snapshotRows(rows.get()); }

} // namespace platform::report
