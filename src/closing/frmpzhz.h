#pragma once
// The current period summarised by account: opening balance, debit and credit totals and
// closing balance, with a totals row; opening it rebuilds the summary working rows.

#include "closing/readonlylist.h"

class frmpzhz : public ReadOnlyList {
    Q_OBJECT
public:
    explicit frmpzhz(QWidget *parent = nullptr);

    // The eight-column summary grid over the given opening, debit, credit and closing
    // fields; the summaries of closed periods show the same grid.
    static std::vector<GridColumn> summaryColumns(const QStringList &amountFields);
};
