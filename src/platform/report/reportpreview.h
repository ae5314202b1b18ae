#pragma once

// The modal print preview of a report, from which the user prints.

#include "platform/report/report.h"

class QWidget;

namespace platform::report {

// Lays the report out with its bound rows as they are now, shows the pages
// in a modal preview titled with the report's caption, and returns when the
// preview is closed. Printing from the preview prints the same pages; a
// paper size or orientation chosen in the preview lays the rows out anew
// for that sheet, with the report's own margins.
void showReportPreview(const Report &report, QWidget *parent = nullptr);

} // namespace platform::report
