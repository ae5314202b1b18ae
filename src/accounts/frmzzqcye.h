#pragma once
// The general-ledger opening balances of the books' first period: one per account,
// found by the account search, entered, corrected and deleted in a grid while the
// books are set up, and only shown once initialisation has ended.

#include "db/money.h"
#include "gridwin/gridframe.h"

class InGridEditor;

class frmzzqcye : public GridFrame {
    Q_OBJECT
public:
    explicit frmzzqcye(QWidget *parent = nullptr);

    InGridEditor *editor;

    void appendrecord();
    void editrecord();
    void deleterecord();
    void canceledit();
    void saverecord();

    // Initialisation had ended when the window opened: the balances are only shown.
    bool isReadOnly() const { return readOnly; }

private:
    void text1Enter();
    void text2Enter();
    void lookUpAccount();
    // A typed amount shows in two decimals once the editor leaves its cell.
    void formatAmountCell();
    // The amount in row r, or nothing after telling why; on Enter the refused text is
    // also cleared, so that it can be typed afresh.
    std::optional<Money> checkedAmount(int r, bool clearRefused);
    void refuseAt(const QString &message, int column);
    bool readCurrentPeriod();
    bool saveAppend();
    bool saveChange();

    bool readOnly = false;
    bool addflag = false;
    bool editflag = false;
    QString newdjh;     // the document number prepared when the append began
    QString curkjnd;    // the current year and period, for the rows added
    QString curkjqj;
    QString origamount; // the amount cell as shown when the change began
};
