#include "platform/report/reportpreview.h"

#include "platform/report/reportlayout.h"
#include "platform/report/reportpaint.h"

#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace platform::report {

void showReportPreview(const Report &report, QWidget *parent)
{
    const QDate printDate = QDate::currentDate();
    ReportDocument document = layoutReport(report, printDate);
    const PageSetup &setup = document.pageSetup;

    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(report.caption());
    printer.setPageLayout(QPageLayout(setup.pageSize, setup.orientation, QMarginsF()));

    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(report.caption());
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter *target) {
        const QPageLayout chosen = target->pageLayout();
        if (!chosen.pageSize().isEquivalentTo(document.pageSetup.pageSize) ||
            chosen.orientation() != document.pageSetup.orientation) {
            Report resized = report;
            resized.pageSetup().pageSize = chosen.pageSize();
            resized.pageSetup().orientation = chosen.orientation();
            document = layoutReport(resized, printDate);
        }
        QString error;
        if (!printReport(document, *target, &error))
            QMessageBox::warning(&preview, QStringLiteral("友情提示"), error);
    });
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    preview.exec();
}

} // namespace platform::report
