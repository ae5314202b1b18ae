#pragma once

// Paints laid-out report pages: on a printer, into a PDF file, or into an
// image. Positions stay in twips until here; each device maps them through
// its own resolution, so the same pages print alike everywhere.

#include "platform/report/reportlayout.h"

#include <QImage>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace platform::report {

// Paints one page with its origin at the sheet's top-left corner, scaled by
// the resolution of the painter's device.
void paintPage(QPainter &painter, const ReportPage &page);

// Every page, sheet by sheet, on the device's whole sheet (its own margins
// set to zero, since the report carries its own). Pages outside the
// device's page ranges, when it has any, are left out.
bool renderReport(const ReportDocument &document, QPagedPaintDevice &device, QString *errorMessage = nullptr);

// As renderReport, with the printer set to print on the whole sheet.
bool printReport(const ReportDocument &document, QPrinter &printer, QString *errorMessage = nullptr);

bool writeReportPdf(const ReportDocument &document, const QString &path, QString *errorMessage = nullptr);

// A white sheet with one page painted on it, at the given resolution.
QImage renderPageImage(const ReportDocument &document, int pageIndex, int dotsPerInch);

} // namespace platform::report
