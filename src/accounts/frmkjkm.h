#pragma once
// The chart of accounts: listed in code order, added, changed, deleted, searched and
// printed in a grid.

#include "gridwin/gridframe.h"

#include <array>
#include <optional>

class InGridEditor;

class Frmkjkm : public GridFrame {
    Q_OBJECT
public:
    explicit Frmkjkm(QWidget *parent = nullptr);

    InGridEditor *editor;

    void appendrecord();
    void editrecord();
    void deleterecord();
    void canceledit();
    void saverecord();
    void printreport();

private:
    void text1Enter();
    void quickSearch();
    // Whether an account has the code (letter case ignored); nothing when the look-up
    // failed, which the user has been told.
    std::optional<bool> codeTaken(const QString &code);
    bool saveAppend();
    bool saveChange();

    bool addflag = false;
    bool editflag = false;
    std::array<QString, 5> origcells; // columns 1 to 4 of the row being changed, as shown
    QString companyName;              // read at load, for the report's header
    QString listing;                  // the search text of the list on screen; empty: every account
};
