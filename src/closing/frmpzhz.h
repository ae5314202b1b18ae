#pragma once
// The current period summarised by account: opening balance, debit and credit totals and
// closing balance, with a totals row; opening it rebuilds the summary working rows.

#include "closing/readonlylist.h"

class frmpzhz : public ReadOnlyList {
    Q_OBJECT
public:
    explicit frmpzhz(QWidget *parent = nullptr);

    // A summary list: the eight-column summary grid, its title and print over the given
    // opening, debit, credit and closing fields. The summaries of closed periods are
    // listed the same way.
    static Setup summarySetup(const QString &name, const QString &caption, const QStringList &amountFields,
                              const TotalsRow &totals, PrintRoutine print);
};
