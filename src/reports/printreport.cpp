#include "reports/printreport.h"

#include "platform/report/reportpreview.h"

#include <utility>

namespace reports {

using platform::report::Report;

namespace {

PreviewHandler &previewHandler()
{
    static PreviewHandler handler;
    return handler;
}

void setHeaderCaption(Report &report, const QString &control, const QString &caption)
{
    if (platform::report::ReportSection *header = report.sectionNamed(QStringLiteral("Section2"))) {
        if (platform::report::ReportControl *label = header->control(control))
            label->showValue(caption);
    }
}

} // namespace

LoadedReport DataReport_Initialize(const ReportLayout &layout, const PrintRequest &request)
{
    auto report = std::make_unique<Report>(layout.create());
    report->setDataSource(request.rows);
    setHeaderCaption(*report, QStringLiteral("label3"), request.unitname);
    if (layout.showsPeriod)
        setHeaderCaption(*report, QStringLiteral("label5"), request.currentperiod);
    return report;
}

void DataReport_QueryClose(LoadedReport &report) { report.reset(); }

void printreport(const ReportLayout &layout, const PrintRequest &request, QWidget *parent)
{
    LoadedReport report = DataReport_Initialize(layout, request);
    if (const PreviewHandler &handler = previewHandler())
        handler(*report, parent);
    else
        platform::report::showReportPreview(*report, parent);
    DataReport_QueryClose(report);
}

PreviewHandler setPreviewHandler(PreviewHandler handler) { return std::exchange(previewHandler(), std::move(handler)); }

} // namespace reports
