#pragma once
// What the read-only month-end lists share: the browse toolbar, the fill with a totals
// row, the mouse taking the row where its selection ends, and a print of the window's
// own rows under the company name and period the window read.

#include "gridwin/gridframe.h"

class ReadOnlyList : public GridFrame {
    Q_OBJECT
public:
    using PrintRoutine = void (*)(const platform::RecordsetPtr &rows, const QString &unitname, const QString &period,
                                  QWidget *parent);
    struct Setup {
        QString name;
        QString caption;
        QString title;
        QString printTip;
        std::vector<GridColumn> columns;
        TotalsRow totals;
        PrintRoutine print = nullptr;
    };

    explicit ReadOnlyList(const Setup &setup, QWidget *parent = nullptr);

    // The report over the rows shown, with the company name and period they belong to.
    void printreport();
    QString companyText() const { return company_; }
    QString periodText() const { return period_; }

protected:
    // Reads the company name, and the current period when asked. False after telling
    // the user that the books cannot be read.
    bool readHeader(bool withCurrentPeriod);
    void setPeriod(const QString &period) { period_ = period; }
    // Tells the user that a read failed; the list stays without rows.
    void tellUnreadable(const QString &error);

private:
    PrintRoutine print_;
    QString company_;
    QString period_;
};
