#pragma once

// How every window prints: it hands its own rows, company name and period to
// printreport together with the report's layout; the report is created and
// bound to exactly those, shown in a modal print preview, and unloaded when
// the preview closes.
//
// The module variable sharedrs is shared by every open window and so may hold
// another window's rows by the time the user prints; a report therefore never
// reads it.
//
//   reports::printreport(reports::DRTkjkm(),
//                        {platform::report::snapshotRows(listing), companyName, {}}, this);

#include "platform/report/recordsetrows.h"
#include "platform/report/report.h"

#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace reports {

// What the printing window hands over.
struct PrintRequest {
    // The window's own rows; none prints the headers (and zero totals) only.
    std::shared_ptr<const platform::report::ReportDataSource> rows;
    QString unitname;      // company name, for label3 of the page header
    QString currentperiod; // period text, for label5 where the report shows one
};

// A report as printreport creates it.
struct ReportLayout {
    platform::report::Report (*create)();
    // Whether label5 of the page header receives the period; a report that
    // shows something else there (the chart of accounts shows the date) says no.
    bool showsPeriod = true;
};

using LoadedReport = std::unique_ptr<platform::report::Report>;

// Creates the report and binds it: its data are the request's rows, the
// caption of label3 in Section2 the company name and, where the layout shows
// a period, that of label5 the period. Section and control are found by name
// ignoring letter case; a layout without them is left as it is.
LoadedReport DataReport_Initialize(const ReportLayout &layout, const PrintRequest &request);

// The preview was closed: the report and its rows are let go. Closing is
// never refused.
void DataReport_QueryClose(LoadedReport &report);

// Creates and binds the report afresh, so that every print shows the rows and
// texts as they stand when print is chosen; shows it in the modal preview,
// titled with the report's caption, from which the user prints or saves a
// PDF; and returns once the preview is closed and the report unloaded.
void printreport(const ReportLayout &layout, const PrintRequest &request, QWidget *parent = nullptr);

// Tests take the bound report here instead of the modal preview opening; an
// empty handler restores the preview. Returns the handler it replaces, so that a
// scope can put that one back.
using PreviewHandler = std::function<void(const platform::report::Report &report, QWidget *parent)>;
PreviewHandler setPreviewHandler(PreviewHandler handler);

} // namespace reports
