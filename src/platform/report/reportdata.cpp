#include "platform/report/reportdata.h"

namespace platform::report {

ReportTable::ReportTable(QStringList columns)
    : m_columns(std::move(columns))
{
}

void ReportTable::addRow(QList<QVariant> row)
{
    m_rows.append(std::move(row));
}

int ReportTable::columnOf(QStringView fieldName) const
{
    for (qsizetype i = 0; i < m_columns.size(); ++i) {
        if (fieldName.compare(m_columns.at(i), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QVariant ReportTable::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0)
        return {};
    const QList<QVariant> &cells = m_rows.at(row);
    return column < cells.size() ? cells.at(column) : QVariant();
}

} // namespace platform::report
