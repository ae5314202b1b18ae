#pragma once

// The rows a report prints. The report reads them only through this
// interface, so any row store (a recordset, a grid's list, a test table) can
// feed it through a small adapter.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace platform::report {

class ReportDataSource {
public:
    virtual ~ReportDataSource() = default;

    virtual int rowCount() const = 0;
    // The column that carries a field name, ignoring letter case; -1 when
    // there is none.
    virtual int columnOf(QStringView fieldName) const = 0;
    // Money columns hold integer cents (qint64).
    virtual QVariant value(int row, int column) const = 0;
};

// Rows held in memory: column names and one QVariant per cell.
class ReportTable final : public ReportDataSource {
public:
    explicit ReportTable(QStringList columns = {});

    const QStringList &columns() const { return columns_; }
    // A row shorter than the column list reads as null in its missing cells.
    void addRow(QList<QVariant> row);
    void reserve(int rows) { rows_.reserve(rows); }

    int rowCount() const override { return int(rows_.size()); }
    int columnOf(QStringView fieldName) const override;
    QVariant value(int row, int column) const override;

private:
    QStringList columns_;
    QList<QList<QVariant>> rows_;
};

} // namespace platform::report
