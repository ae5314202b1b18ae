#pragma once
// Choosing one account among several that an account lookup found: a small modal list
// of code, initials and name. The window that looked the account up writes the chosen
// account into its own line; each such window configures the list's look and may
// refuse some accounts.

#include "accounts/accountsearch.h"

#include <QColor>
#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class MSFlexGrid;
class QPushButton;

struct AccountPickerConfig {
    QString name;   // object name of the window
    int okLeft = 0; // twips, inside the window
    int cancelLeft = 0;
    int buttonsTop = 0;
    QColor buttonBack; // invalid: the desktop's own button colour
    // Asked on every pick; false refuses the account (the check has told the user why)
    // and leaves the list open on the same row.
    std::function<bool(const accounts::Account &)> mayPick;
};

class AccountPicker : public QDialog {
    Q_OBJECT
public:
    AccountPicker(const std::vector<accounts::Account> &matches, const AccountPickerConfig &config,
                  QWidget *parent = nullptr);

    MSFlexGrid *MSflexGridsp() const { return MSflexGridsp_; }
    QPushButton *cmdqd() const { return cmdqd_; }
    QPushButton *cmdqx() const { return cmdqx_; }

    // Takes the row where the list's selection ends, unless the window refuses it.
    void pickaccount();
    // The account taken; nothing while none is, and after a cancel.
    const std::optional<accounts::Account> &chosen() const { return chosen_; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fillList(const std::vector<accounts::Account> &matches);

    AccountPickerConfig cfg_;
    std::optional<accounts::Account> chosen_;

    MSFlexGrid *MSflexGridsp_;
    QPushButton *cmdqd_;
    QPushButton *cmdqx_;
};
