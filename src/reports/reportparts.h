#pragma once

// What the voucher, balance and summary reports have in common: their fonts,
// the page-number footer "第n页，共N页" and the one way a window hands its
// rows over for printing.

#include "platform/recordset.h"
#include "platform/report/report.h"
#include "reports/printreport.h"

#include <QLine>
#include <QString>

class QWidget;

namespace reports::parts {

// Bold 黑体 15 pt: the title.
platform::report::ReportFont titleFont();
// Bold 宋体 10.5 pt: the company and period line and the page footer.
platform::report::ReportFont headerFont();
// Bold 宋体 9 pt: column heads, fields and totals.
platform::report::ReportFont tableFont();
// Regular 宋体 9 pt: anything a layout does not give a font.
platform::report::ReportFont defaultFont();

inline QLine vertical(int x, int top, int bottom) { return QLine(x, top, x, bottom); }
inline QLine horizontal(int left, int right, int y) { return QLine(left, y, right, y); }

// Label31 "第", Label32 "%p", Label33 "页，共", Label34 "%P", Label35 "页" at
// the given lefts, each reaching to the next one's left.
struct PageFooterPlace {
    int lefts[5];
    int top;
    int lastWidth = 450;
};
void addPageNumberFooter(platform::report::ReportSection &footer, int height, const PageFooterPlace &place);

// Lays out the page header's company and period line: "单位名称：" with the
// company name in label3, "会计期间：" with the period in label5.
struct HeaderLinePlace {
    QRect companyCaption, company, periodCaption, period;
};
void addCompanyAndPeriod(platform::report::ReportSection &header, const HeaderLinePlace &place);

// The print action every printing window runs: previews the layout over its
// own rows (all of them from the first, whatever the cursor; null or closed
// prints headers and zero totals) under its company name and period, and
// returns when the preview is closed.
void printRows(const ReportLayout &layout, const platform::RecordsetPtr &rows, const QString &unitname,
               const QString &period, QWidget *parent);

} // namespace reports::parts
