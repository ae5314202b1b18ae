#include "platform/gridcells.h"

#include <algorithm>

GridCells::GridCells(int rows, int cols) : rows_(std::size_t(std::max(rows, 0))), cols_(std::max(cols, 0)) {}

void GridCells::setRowCount(int n)
{
    if (n >= 0)
        rows_.resize(std::size_t(n));
}

void GridCells::setColCount(int n)
{
    if (n < 0 || n == cols_)
        return;
    if (n < cols_) {
        for (Row &r : rows_) {
            if (r.cells.size() > n)
                r.cells.resize(n);
            r.colors.removeIf([n](const OwnColors &c) { return c.col >= n; });
        }
    } else {
        // Rows already written grow with the grid so that a written row is always
        // exactly colCount() long; untouched rows stay unallocated.
        for (Row &r : rows_) {
            if (!r.cells.isEmpty())
                r.cells.resize(n);
        }
    }
    cols_ = n;
}

bool GridCells::contains(int row, int col) const { return row >= 0 && row < rowCount() && col >= 0 && col < cols_; }

QString GridCells::text(int row, int col) const
{
    if (!contains(row, col))
        return {};
    const Row &r = rows_[std::size_t(row)];
    return col < r.cells.size() ? r.cells.at(col) : QString();
}

void GridCells::setText(int row, int col, const QString &text)
{
    if (!contains(row, col))
        return;
    Row &r = rows_[std::size_t(row)];
    if (r.cells.isEmpty()) {
        if (text.isEmpty())
            return;
        r.cells.resize(cols_);
    }
    r.cells[col] = text;
}

void GridCells::insertRow(int index, QStringView item)
{
    if (index < 0 || index > rowCount())
        return;
    Row r;
    if (!item.isEmpty() && cols_ > 0) {
        r.cells.resize(cols_);
        int col = 0;
        for (QStringView field : item.tokenize(u'\t')) {
            if (col == cols_)
                break;
            r.cells[col++] = field.toString();
        }
    }
    rows_.insert(rows_.begin() + index, std::move(r));
}

void GridCells::removeRow(int index)
{
    if (index >= 0 && index < rowCount())
        rows_.erase(rows_.begin() + index);
}

const GridCells::OwnColors *GridCells::colorsOf(int row, int col) const
{
    if (!contains(row, col))
        return nullptr;
    for (const OwnColors &c : rows_[std::size_t(row)].colors) {
        if (c.col == col)
            return &c;
    }
    return nullptr;
}

GridCells::OwnColors &GridCells::colorsFor(int row, int col)
{
    Row &r = rows_[std::size_t(row)];
    for (OwnColors &c : r.colors) {
        if (c.col == col)
            return c;
    }
    r.colors.append({col, QColor(), QColor()});
    return r.colors.last();
}

void GridCells::dropEmptyColors(Row &r)
{
    r.colors.removeIf([](const OwnColors &c) { return !c.back.isValid() && !c.fore.isValid(); });
}

QColor GridCells::backColor(int row, int col) const
{
    const OwnColors *c = colorsOf(row, col);
    return c ? c->back : QColor();
}

QColor GridCells::foreColor(int row, int col) const
{
    const OwnColors *c = colorsOf(row, col);
    return c ? c->fore : QColor();
}

void GridCells::setBackColor(int row, int col, const QColor &color)
{
    if (!contains(row, col) || (!color.isValid() && !colorsOf(row, col)))
        return;
    colorsFor(row, col).back = color;
    dropEmptyColors(rows_[std::size_t(row)]);
}

void GridCells::setForeColor(int row, int col, const QColor &color)
{
    if (!contains(row, col) || (!color.isValid() && !colorsOf(row, col)))
        return;
    colorsFor(row, col).fore = color;
    dropEmptyColors(rows_[std::size_t(row)]);
}
