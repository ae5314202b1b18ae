#include "platform/report/reportpaint.h"

#include "platform/report/reportfit.h"

#include <algorithm>

#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace platform::report {

namespace {

constexpr double kTwipsPerInch = 1440.0;

// One twip per device unit keeps every layout position exact in the file.
constexpr int kPdfResolution = 1440;

} // namespace

void paintPage(QPainter &painter, const ReportPage &page)
{
    const QPaintDevice *device = painter.device();
    const double sx = device->logicalDpiX() / kTwipsPerInch;
    const double sy = device->logicalDpiY() / kTwipsPerInch;
    const auto toDevice = [sx, sy](const QRect &r) {
        return QRectF(r.x() * sx, r.y() * sy, r.width() * sx, r.height() * sy);
    };

    painter.save();
    painter.setBrush(Qt::NoBrush);
    QPen pen(Qt::black);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen); // text takes only its colour; rules set their width below

    // Most neighbouring items share a font; building a QFont per item costs
    // more than all the rest of the painting.
    std::optional<ReportFont> currentFont;
    std::optional<int> currentPenWidth;
    for (const PageItem &item : page.items) {
        switch (item.kind) {
        case PageItem::Kind::Text:
            if (item.text.isEmpty())
                break;
            if (currentFont != item.font) {
                painter.setFont(toQFont(item.font));
                currentFont = item.font;
            }
            {
                // A text wider than its box (a long account name in a ruled column) stays
                // inside its column instead of running over the neighbour's: smaller, then
                // on more lines within its band.
                const QRectF box = toDevice(item.rect);
                const qreal room = std::max(item.roomBottom - item.rect.top(), item.rect.height()) * sy;
                const FittedText fitted = fitText(item.text, painter.font(), box.width(), room, painter.device());
                if (fitted.font != painter.font()) {
                    painter.setFont(fitted.font);
                    currentFont.reset();
                }
                QRectF line(box.topLeft(), QSizeF(box.width(), fitted.lineHeight));
                for (const QString &text : fitted.lines) {
                    painter.drawText(line, int(item.alignment | Qt::AlignTop) | Qt::TextSingleLine | Qt::TextDontClip,
                                     text);
                    line.translate(0, fitted.lineHeight);
                }
                break;
            }
        case PageItem::Kind::Line:
        case PageItem::Kind::Box:
            if (currentPenWidth != item.penWidth) {
                pen.setWidthF(item.penWidth * sx);
                painter.setPen(pen);
                currentPenWidth = item.penWidth;
            }
            if (item.kind == PageItem::Kind::Line)
                painter.drawLine(
                    QLineF(item.line.x1() * sx, item.line.y1() * sy, item.line.x2() * sx, item.line.y2() * sy));
            else
                painter.drawRect(toDevice(item.rect));
            break;
        }
    }
    painter.restore();
}

bool renderReport(const ReportDocument &document, QPagedPaintDevice &device, QString *errorMessage)
{
    const auto fail = [errorMessage](const QString &message) {
        if (errorMessage)
            *errorMessage = message;
        return false;
    };
    const PageSetup &setup = document.pageSetup;
    if (!device.setPageLayout(QPageLayout(setup.pageSize, setup.orientation, QMarginsF())))
        return fail(QStringLiteral("打印设备不支持报表的纸张设置。"));

    QPainter painter;
    if (!painter.begin(&device))
        return fail(QStringLiteral("无法开始打印。"));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QPageRanges ranges = device.pageRanges();
    bool firstSheet = true;
    for (qsizetype i = 0; i < document.pages.size(); ++i) {
        if (!ranges.isEmpty() && !ranges.contains(int(i + 1)))
            continue;
        if (!firstSheet && !device.newPage()) {
            painter.end();
            return fail(QStringLiteral("打印第%1页时出错。").arg(i + 1));
        }
        firstSheet = false;
        paintPage(painter, document.pages.at(i));
    }
    if (!painter.end())
        return fail(QStringLiteral("打印未能完成。"));
    return true;
}

bool printReport(const ReportDocument &document, QPrinter &printer, QString *errorMessage)
{
    printer.setFullPage(true);
    return renderReport(document, printer, errorMessage);
}

bool writeReportPdf(const ReportDocument &document, const QString &path, QString *errorMessage)
{
    QPdfWriter writer(path);
    writer.setResolution(kPdfResolution);
    writer.setTitle(document.caption);
    writer.setCreator(QStringLiteral("kelopz"));
    QString reason;
    if (!renderReport(document, writer, &reason)) {
        if (errorMessage)
            *errorMessage = QStringLiteral("无法写入PDF文件 %1：%2").arg(path, reason);
        return false;
    }
    return true;
}

QImage renderPageImage(const ReportDocument &document, int pageIndex, int dotsPerInch)
{
    const QSize paper = document.pageSetup.paperTwips();
    QImage image(qRound(paper.width() * dotsPerInch / kTwipsPerInch),
                 qRound(paper.height() * dotsPerInch / kTwipsPerInch), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    if (pageIndex < 0 || pageIndex >= document.pages.size())
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintPage(painter, document.pages.at(pageIndex));
    return image;
}

} // namespace platform::report
