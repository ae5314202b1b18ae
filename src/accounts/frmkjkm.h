#pragma once
// The chart of accounts: listed in code order, added, changed, deleted, searched and
// printed in a grid.

#include "gridwin/recordwindow.h"

class Frmkjkm : public RecordWindow {
    Q_OBJECT
public:
    explicit Frmkjkm(QWidget *parent = nullptr);

    void deleterecord() override;
    void printreport();

protected:
    void text1Enter() override;
    bool saveAppend() override;
    Change saveChange() override;
    RecordsetPtr storedRow(int r, QString *error) override;
    RecordsetPtr searchRows(const QString &typed, QString *error) override;

private:
    // The two cells every account needs; refuses the save at the first empty one.
    bool initialsAndNameGiven(int r);

    QString companyName_; // read at load, for the report's header
};
