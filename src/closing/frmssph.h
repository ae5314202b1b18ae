#pragma once
// The balance check: per voucher of the current period its debit and credit totals and
// whether it balances, with a totals row; prints as the balance check report.

#include "closing/readonlylist.h"

class frmssph : public ReadOnlyList {
    Q_OBJECT
public:
    explicit frmssph(QWidget *parent = nullptr);
};
