#pragma once
// The voucher lines' account picker: the list of accounts a lookup found; any of them
// may be taken.

#include "accounts/accountpicker.h"

class frmpzlrcxck : public AccountPicker {
    Q_OBJECT
public:
    explicit frmpzlrcxck(const std::vector<accounts::Account> &matches, QWidget *parent = nullptr);
};
