#include "platform/report/gridrows.h"

#include "platform/flexgrid.h"

namespace platform::report {

std::shared_ptr<const ReportTable> snapshotGridRows(const MSFlexGrid &grid, const QStringList &fields,
                                                    const QList<int> &rows)
{
    QStringList names;
    QList<int> columns;
    for (int c = 0; c < fields.size() && c < grid.cols(); ++c) {
        if (!fields.at(c).isEmpty()) {
            names << fields.at(c);
            columns << c;
        }
    }
    auto table = std::make_shared<ReportTable>(names);
    table->reserve(int(rows.size()));
    for (int r : rows) {
        QList<QVariant> cells;
        cells.reserve(columns.size());
        for (int c : columns)
            cells << grid.textMatrix(r, c);
        table->addRow(std::move(cells));
    }
    return table;
}

} // namespace platform::report
