#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringView>

#include <deque>

// The text and the own colours of every cell of a grid, row by row.
//
// A list window may hold a hundred thousand rows, filled one row at a time and
// cleared again by removing row 1 over and over. Rows therefore live in a deque
// (removing near either end moves only the short side, appending is constant
// time) and a row costs nothing until a cell of it is written: its texts and
// colours are allocated on first use. Colours are rare (header cells), so each
// row keeps only the cells that have one, and they travel with the row when rows
// are inserted or removed.
//
// Indexes outside the grid are never an error: reads give an empty text or an
// invalid colour, writes are ignored.
class GridCells {
public:
    explicit GridCells(int rows = 1, int cols = 1);

    int rowCount() const { return int(rows_.size()); }
    int colCount() const { return cols_; }

    // New rows are empty; rows beyond n are dropped.
    void setRowCount(int n);
    // Cells beyond n columns are dropped from every row.
    void setColCount(int n);

    QString text(int row, int col) const;
    void setText(int row, int col, const QString &text);

    // Inserts a row before index (index == rowCount() appends) whose cells take the
    // tab-separated fields of item in order; fields beyond the last column are dropped.
    void insertRow(int index, QStringView item);
    void removeRow(int index);

    // Invalid when the cell has no colour of its own.
    QColor backColor(int row, int col) const;
    QColor foreColor(int row, int col) const;
    // An invalid colour removes the cell's own colour.
    void setBackColor(int row, int col, const QColor &color);
    void setForeColor(int row, int col, const QColor &color);

private:
    struct OwnColors {
        int col;
        QColor back;
        QColor fore;
    };
    struct Row {
        QList<QString> cells;    // empty until a cell is written, then colCount() long
        QList<OwnColors> colors; // only the cells that have a colour
    };

    bool contains(int row, int col) const;
    const OwnColors *colorsOf(int row, int col) const;
    OwnColors &colorsFor(int row, int col);
    void dropEmptyColors(Row &r);

    std::deque<Row> rows_;
    int cols_;
};
