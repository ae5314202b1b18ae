#pragma once
// Printing without the modal preview: for as long as one of these lives, every report a
// window prints is handed to the test instead; when it ends, whatever took the prints
// before (the preview itself, or an enclosing seam) takes them again, so a failed
// assertion never leaves the next test printing into a dead handler.

#include "platform/report/reportlayout.h"
#include "reports/printreport.h"

#include <QDate>
#include <QList>

class QWidget;

namespace testsupport {

class PreviewSeam {
public:
    explicit PreviewSeam(reports::PreviewHandler take) : outer_(reports::setPreviewHandler(std::move(take))) {}
    ~PreviewSeam() { reports::setPreviewHandler(std::move(outer_)); }
    PreviewSeam(const PreviewSeam &) = delete;
    PreviewSeam &operator=(const PreviewSeam &) = delete;

private:
    reports::PreviewHandler outer_;
};

// Lays out every print as the preview would show it, dated printDay.
class CapturedPrints {
public:
    explicit CapturedPrints(QDate printDay = QDate::currentDate())
        : seam_([this, printDay](const platform::report::Report &report, QWidget *) {
              documents.append(platform::report::layoutReport(report, printDay));
          })
    {}

    QList<platform::report::ReportDocument> documents;

private:
    PreviewSeam seam_;
};

} // namespace testsupport
