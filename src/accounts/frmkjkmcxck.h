#pragma once
// The opening balances' account picker: the list of accounts a lookup found, from which
// an account that already has an opening balance cannot be taken.

#include "accounts/accountpicker.h"

class frmkjkmcxck : public AccountPicker {
    Q_OBJECT
public:
    explicit frmkjkmcxck(const std::vector<accounts::Account> &matches, QWidget *parent = nullptr);
};
