#pragma once
// Choosing one account among several that an account search found: a modal list from
// which the chosen account goes straight into the current row of the window that
// searched, which then moves on to the amount column.

#include "platform/recordset.h"

#include <QDialog>

class MSFlexGrid;
class QPushButton;

class frmkjkmcxck : public QDialog {
    Q_OBJECT
public:
    // Lists the matches from their current row to their end and closes them. A pick
    // writes code, initials and name into columns 1 to 3 of target's current row and
    // makes column 4 current there.
    frmkjkmcxck(const platform::RecordsetPtr &matches, MSFlexGrid *target, QWidget *parent = nullptr);

    MSFlexGrid *MSflexGridsp;
    QPushButton *cmdqd;
    QPushButton *cmdqx;

    // Takes the row where the list's selection ends, unless that account already has an
    // opening balance.
    void pickaccount();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fillList(const platform::RecordsetPtr &matches);

    MSFlexGrid *target;
};
