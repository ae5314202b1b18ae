#pragma once
// The summary by account of one closed period, as the closing stored it: the period is
// chosen among the closed ones, newest first; prints as the summary history report.

#include "closing/readonlylist.h"

class QComboBox;
class QLabel;

class frmpzhzcx : public ReadOnlyList {
    Q_OBJECT
public:
    explicit frmpzhzcx(QWidget *parent = nullptr);

    QLabel *Label1() const { return Label1_; }
    QComboBox *Combo1() const { return Combo1_; }

    // Lists the period in the box: a choice from its list runs this.
    void Combo1_Click();

private:
    QLabel *Label1_;
    QComboBox *Combo1_;
};
