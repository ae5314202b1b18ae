#pragma once

// The voucher detail list in print: a ruled five-column table (date, voucher
// number, account name, debit, credit) under the title, the company name and
// the period, the debit and credit totals of all rows after the last one, and
// "第n页，共N页" at the foot of every page.

#include "platform/recordset.h"
#include "reports/printreport.h"

#include <QString>

class QWidget;

namespace reports {

// The layout printed by the voucher query-and-edit window and the detail
// queries by account (current and closed periods).
const ReportLayout &DRTkjpz();

// The print action of those windows: previews the voucher lines in rows
// (fields rq, pz_no, km_name, jfje, dfje; read from the first row; null or
// closed prints the headers and zero totals) under the company name and the
// period the window shows, and returns when the preview is closed.
void printVoucherDetail(const platform::RecordsetPtr &rows, const QString &unitname, const QString &period,
                        QWidget *parent);
// The same for rows a window keeps itself, as they stand after its own corrections.
void printVoucherDetail(std::shared_ptr<const platform::report::ReportDataSource> rows, const QString &unitname,
                        const QString &period, QWidget *parent);

namespace parts {

// The texts in which the detail list and its twin by voucher number differ.
struct VoucherDetailTexts {
    QString caption;        // of the preview window
    QString accountHeading; // column head over the account names
    QString totalLabel;     // before the two sums
};
platform::report::Report voucherDetailReport(const VoucherDetailTexts &texts);

} // namespace parts

} // namespace reports
