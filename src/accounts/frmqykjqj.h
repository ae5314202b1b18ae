#pragma once
// The first accounting period: a year and a month, set once at the start of use.

#include "gridwin/dialogframe.h"

class frmqykjqj : public DialogFrame {
    Q_OBJECT
public:
    explicit frmqykjqj(QWidget *parent = nullptr);
    QLineEdit *txtitem(int index) const { return entryBoxes().at(index); }

    void editrecord() override;
    void saverecord() override;
    void canceledit() override;

signals:
    // The first period is stored: it is set once, so whoever offers to set it stops.
    void firstPeriodSaved();

private:
    // The boxes show the first period as the books now hold it.
    void showStoredPeriod();

    // The period this window saved, which it may still correct while open; any first
    // period set otherwise means books in use and is never replaced.
    QString savedPeriod_;
};
