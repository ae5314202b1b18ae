#pragma once
// The general-ledger opening balances of the books' first period: one per account,
// found by the account search, entered, corrected and deleted in a grid while the
// books are set up, and only shown once initialisation has ended.

#include "gridwin/recordwindow.h"
#include "platform/money.h"

class frmzzqcye : public RecordWindow {
    Q_OBJECT
public:
    explicit frmzzqcye(QWidget *parent = nullptr);

    void deleterecord() override;

    // Initialisation had ended when the window opened: the balances are only shown.
    bool isReadOnly() const { return readOnly_; }

protected:
    bool mayAppend() override;
    bool mayChange() override;
    void text1Enter() override;
    void text2Enter() override;
    bool saveAppend() override;
    Change saveChange() override;
    RecordsetPtr storedRow(int r, QString *error) override;

private:
    void lookUpAccount();
    // Whether the account has no opening balance yet; false after refusing it at the
    // account column (clearing the typed text when told to) or telling that it could
    // not be checked.
    bool balanceIsFree(const QString &code, const QString &whenTaken, bool clearTyped);
    // A typed amount shows in two decimals once the editor leaves its cell.
    void formatAmountCell();
    // The amount in row r, or nothing after telling why; on Enter the refused text is
    // also cleared, so that it can be typed afresh.
    std::optional<Money> checkedAmount(int r, bool clearRefused);
    // Reads the current period into curkjnd and curkjqj; false, *error saying why, when
    // it cannot be read.
    bool readCurrentPeriod(QString *error);
    // Whether a write may go ahead now, after telling the user why not.
    bool mayWrite();

    bool readOnly_ = false;
    QString newdjh_;  // the document number prepared when the append began
    QString curkjnd_; // the current year and period, for the rows added
    QString curkjqj_;
};
