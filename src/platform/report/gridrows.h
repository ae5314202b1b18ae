#pragma once

// The rows a list grid shows, as a report's data: a window prints what its
// grid lists, including rows added or removed since it was filled.

#include "platform/report/reportdata.h"

#include <memory>

class MSFlexGrid;

namespace platform::report {

// The texts of the given grid rows, in that order: grid column c is the field
// fields[c]; a column without a name (a running number) is left out.
std::shared_ptr<const ReportTable> snapshotGridRows(const MSFlexGrid &grid, const QStringList &fields,
                                                    const QList<int> &rows);

} // namespace platform::report
