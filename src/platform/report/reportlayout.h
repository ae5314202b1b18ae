#pragma once

// Lays a report's rows out into pages of positioned items, which tests read
// and reportpaint.h paints on any device.
//
// Pagination:
// - Page 1 starts with the report header, then the page header; every other
//   page starts with the page header. The page footer sits at the bottom of
//   the printable area of every page.
// - Detail rows follow in the data's order until the next one would reach
//   into the page footer; then a new page begins.
// - The report footer follows the last row, or starts a new page (with its
//   page header and footer) when it does not fit below it.
// - Keep together: every band (one detail row, the report footer, ...) is
//   printed whole on one page, never split. A band taller than the whole body
//   of an empty page is placed on that page anyway and runs over, so that
//   the layout always ends.
// - "%d" in a label's own caption prints the date of printing, "%p" the page
//   number and "%P" the number of pages; a value put into a label
//   (ReportControl::showValue) and field values are printed as they are.
// - Sums cover every row of the data, whichever page they print on.

#include "platform/report/report.h"

#include <QDate>
#include <QList>

namespace platform::report {

struct PageItem {
    enum class Kind : quint8 { Text, Line, Box };

    Kind kind = Kind::Text;
    QString control; // the name of the control that made it
    QRect rect;      // twips from the sheet's top-left corner (Text, Box)
    QLine line;      // likewise (Line)
    QString text;
    ReportFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    int penWidth = 0;
    // Text: how far down a text too wide for one line may run, in twips from
    // the sheet's top: the bottom of the band it prints in.
    int roomBottom = 0;
};

struct ReportPage {
    QList<PageItem> items;

    // By control name, ignoring letter case.
    const PageItem *find(const QString &control) const;
    QList<const PageItem *> findAll(const QString &control) const;
};

struct ReportDocument {
    QString caption;
    PageSetup pageSetup;
    QList<ReportPage> pages; // never empty
    // Fields the layout binds that the data does not carry; they print empty
    // and sum to zero, and the caller may tell the user.
    QStringList missingFields;
};

// What a money sum prints when it is too large for integer cents: a plain word
// in the sum's own place, rather than a wrapped and so wrong total.
inline constexpr char16_t kSumOverflowText[] = u"溢出";

ReportDocument layoutReport(const Report &report, QDate printDate = QDate::currentDate());

} // namespace platform::report
