#pragma once
// The detail queries: voucher lines of the current period or of a closed period chosen
// from a list, narrowed by an account search or by a voucher number, with a totals row,
// printed as a voucher detail report. One window, configured four ways.

#include "gridwin/gridframe.h"
#include "queries/voucherlines.h"

class QComboBox;

struct VoucherQueryConfig {
    enum class Filter { Account, VoucherNumber };
    using PrintRoutine = void (*)(const RecordsetPtr &rows, const QString &unitname, const QString &period,
                                  QWidget *parent);

    QString name; // the window's object name
    QString caption;
    bool closedPeriods = false; // the lines of a closed period chosen in Combo1, or the current period's
    Filter filter = Filter::Account;
    PrintRoutine print = nullptr;
};

namespace queries {
VoucherQueryConfig frmakjkmcx();   // by account, current period
VoucherQueryConfig frmakjkmlscx(); // by account, closed periods
VoucherQueryConfig frmapzbhcx();   // by voucher number, current period
VoucherQueryConfig frmapzbhlscx(); // by voucher number, closed periods
} // namespace queries

class VoucherLineQuery : public GridFrame {
    Q_OBJECT
public:
    explicit VoucherLineQuery(const VoucherQueryConfig &config, QWidget *parent = nullptr);

    QComboBox *periodBox() const { return periodBox_; } // closed periods, newest first
    QComboBox *numberBox() const { return numberBox_; } // "全部" and the period's voucher numbers

    void printreport();
    // What a print heads its pages with: the period of the lines on screen.
    QString shownPeriod() const { return shownPeriod_; }

private:
    QComboBox *addChooser(const QString &labelName, const QString &label, const QString &boxName, int at);
    queries::LineScope scope() const;
    // Lists the scope's lines the filter picks. A failed read is told and changes
    // nothing (false); an empty result clears the grid, or, when keepOnEmpty, changes nothing.
    bool query(const queries::LineFilter &filter, bool keepOnEmpty);
    void periodChosen();
    void fillNumbers();
    void search();

    VoucherQueryConfig qcfg_;
    QString companyName_;
    QString currentPeriod_; // the current period's text (current-period windows)
    QString shownPeriod_;

    QComboBox *periodBox_ = nullptr;
    QComboBox *numberBox_ = nullptr;
};
