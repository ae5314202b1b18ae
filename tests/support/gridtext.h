#pragma once
// A grid read as text, the way the voucher and month-end tests compare what is on screen.

#include "platform/flexgrid.h"

#include <QStringList>

namespace testsupport {

// Every row below the header, cells 0 to lastColumn (-1: the last) joined by "|".
inline QStringList gridRows(const MSFlexGrid *grid, int lastColumn = -1)
{
    QStringList rows;
    for (int r = 1; r < grid->rows(); ++r) {
        QStringList cells;
        for (int c = 0; c <= (lastColumn < 0 ? grid->cols() - 1 : lastColumn); ++c)
            cells << grid->textMatrix(r, c);
        rows << cells.join('|');
    }
    return rows;
}

} // namespace testsupport
