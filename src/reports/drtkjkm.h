#pragma once

// The chart of accounts in print: a ruled four-column table (code, initials,
// name, ledger page) under the title, the company name and the date of
// printing, with "第n页，共N页" at the foot of every page.

#include "platform/recordset.h"
#include "reports/printreport.h"

#include <QString>

class QWidget;

namespace reports {

// The layout, for printreport. Its Label5 prints the date, so it takes no period.
const ReportLayout &DRTkjkm();

// The print action of the chart-of-accounts window: previews the accounts in
// rows (its own listing, read from the first row; null or closed prints the
// headers only) under the company name it read, and returns when the preview
// is closed.
void printChartOfAccounts(const platform::RecordsetPtr &rows, const QString &unitname, QWidget *parent);
// The same over rows already taken (a grid's list), with the fields km_no, km_zjf,
// km_name and km_page.
void printChartOfAccounts(std::shared_ptr<const platform::report::ReportDataSource> rows, const QString &unitname,
                          QWidget *parent);

} // namespace reports
