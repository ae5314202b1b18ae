#pragma once
// The current period's voucher lines: listed, an amount corrected in the grid, a line
// deleted, and the list printed as the voucher detail report. Each action finds its
// line by the line's identity, so identical lines stay apart, and a line another
// window changed or deleted since the list was read is reported, not overwritten.

#include "gridwin/recordwindow.h"
#include "vouchers/periodlines.h"

#include <vector>

class frmpzcx : public RecordWindow {
    Q_OBJECT
public:
    explicit frmpzcx(QWidget *parent = nullptr);

    void deleterecord() override;
    void printreport();

protected:
    // Lines are never added here: no append button opens text1.
    void text1Enter() override {}
    bool saveAppend() override { return false; }
    void text2Enter() override;
    Change saveChange() override;
    RecordsetPtr storedRow(int r, QString *error) override;

private:
    // The amount in column c of row r, or nothing (the user has been told) when its
    // text is no amount; an empty cell is 0.
    std::optional<Money> amountIn(int r, int c);
    void saveCorrection();

    QString companyName_;
    QString period_;
    std::vector<vouchers::LineRef> lines_; // the grid's rows 1.., in order
};
