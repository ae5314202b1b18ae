#include "platform/report/reportdata.h"

namespace platform::report {

ReportTable::ReportTable(QStringList columns) : columns_(std::move(columns)) {}

void ReportTable::addRow(QList<QVariant> row) { rows_.append(std::move(row)); }

int ReportTable::columnOf(QStringView fieldName) const
{
    for (qsizetype i = 0; i < columns_.size(); ++i) {
        if (fieldName.compare(columns_.at(i), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QVariant ReportTable::value(int row, int column) const
{
    if (row < 0 || row >= rows_.size() || column < 0)
        return {};
    const QList<QVariant> &cells = rows_.at(row);
    return column < cells.size() ? cells.at(column) : QVariant();
}

} // namespace platform::report
