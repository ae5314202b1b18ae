// Lays out and writes a 10,000-row voucher list to PDF a few times and
// prints the median, split into layout and painting.
//
//   bench_report_pdf [--png page.png] [--pdf out.pdf] [rows]
//
// --png also paints the first page into an image to look at; --pdf keeps
// the PDF.

#include "platform/report/reportlayout.h"
#include "platform/report/reportpaint.h"
#include "sample_voucher_report.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace platform;

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // no window is shown; run anywhere
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const auto takeOption = [&args](const QString &name) {
        QString value;
        if (const qsizetype at = args.indexOf(name); at >= 0 && at + 1 < args.size()) {
            value = args[at + 1];
            args.remove(at, 2);
        }
        return value;
    };
    const QString pngPath = takeOption(QStringLiteral("--png"));
    const QString keptPdf = takeOption(QStringLiteral("--pdf"));
    const int rows = args.isEmpty() ? 10000 : args.first().toInt();

    report::Report layout = testsupport::voucherListReport();
    layout.setDataSource(testsupport::voucherRows(rows));
    layout.sectionNamed(QStringLiteral("section2"))
        ->control(QStringLiteral("label3"))
        ->showValue(QStringLiteral("澄川市第一机械厂"));
    layout.sectionNamed(QStringLiteral("section2"))
        ->control(QStringLiteral("label5"))
        ->showValue(QStringLiteral("2004年01月"));

    QTemporaryDir dir;
    const QString pdf = keptPdf.isEmpty() ? dir.filePath(QStringLiteral("bench.pdf")) : keptPdf;
    QList<double> layoutMs, paintMs, totalMs;
    int pages = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        const report::ReportDocument document = report::layoutReport(layout);
        const double laidOut = timer.nsecsElapsed() / 1e6;
        QString error;
        if (!report::writeReportPdf(document, pdf, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        const double done = timer.nsecsElapsed() / 1e6;
        layoutMs << laidOut;
        paintMs << done - laidOut;
        totalMs << done;
        pages = int(document.pages.size());
        if (run == 0 && !pngPath.isEmpty())
            report::renderPageImage(document, 0, 150).save(pngPath);
    }
    std::printf("rows %d, pages %d, PDF %.1f KiB\n", rows, pages, QFileInfo(pdf).size() / 1024.0);
    std::printf("median of 5: layout %.1f ms, paint to PDF %.1f ms, total %.1f ms\n", median(layoutMs), median(paintMs),
                median(totalMs));
    return 0;
}
