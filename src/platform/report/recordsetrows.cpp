#include "platform/report/recordsetrows.h"

namespace platform::report {

std::shared_ptr<const ReportTable> snapshotRows(const Recordset *rows)
{
    if (!rows || !rows->isOpen())
        return std::make_shared<const ReportTable>();

    QStringList columns;
    columns.reserve(rows->fieldCount());
    for (int c = 0; c < rows->fieldCount(); ++c)
        columns << rows->fieldName(c);

    auto table = std::make_shared<ReportTable>(columns);
    table->reserve(rows->recordCount());
    for (int r = 0; r < rows->recordCount(); ++r) {
        QList<QVariant> cells;
        cells.reserve(columns.size());
        for (int c = 0; c < columns.size(); ++c)
            cells << rows->storedValue(r, c);
        table->addRow(std::move(cells));
    }
    return table;
}

} // namespace platform::report
