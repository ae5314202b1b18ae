#include "reports/drtkjpz.h"

#include "reports/reportparts.h"

namespace reports {

using namespace platform::report;
using namespace parts;

namespace {

// The table stands a little in from the layout's left edge; every border
// below is counted from the table's own left edge.
constexpr int kLeft = 90;
constexpr int kBorders[] = {0, 1230, 2460, 4935, 6720, 8685}; // date | no. | account | debit | credit
constexpr int kTableWidth = kBorders[5];
constexpr int kHeadingTop = 1200;
constexpr int kPageHeaderHeight = 1665;
constexpr int kDetailHeight = 465;
constexpr int kReportFooterHeight = 672;
constexpr int kRuleBottom = 465; // where the ruled rows close in the detail and the totals

int border(int i) { return kLeft + kBorders[i]; }

// A text box inside column i, clear of its rules.
QRect cell(int i, int top, int height)
{
    return QRect(border(i) + 30, top, kBorders[i + 1] - kBorders[i] - 60, height);
}

void addPageHeader(ReportSection &s, const VoucherDetailTexts &texts)
{
    s.setHeight(kPageHeaderHeight);
    s.addLabel(QStringLiteral("Label1"), {kLeft, 60, kTableWidth, 360}, QStringLiteral("会 计 凭 证 明 细 表"),
               titleFont(), Qt::AlignHCenter);
    addCompanyAndPeriod(s, {{kLeft + 60, 780, 1215, 255},
                            {kLeft + 1275, 780, 3540, 255},
                            {border(3), 780, 1260, 255},
                            {border(3) + 1260, 780, 2400, 255}});

    s.addBox(QStringLiteral("Shape1"), {kLeft, kHeadingTop, kTableWidth, kPageHeaderHeight - kHeadingTop});
    const QString headings[] = {QStringLiteral("记帐日期"), QStringLiteral("凭证编号"), texts.accountHeading,
                                QStringLiteral("借  方  金  额"), QStringLiteral("贷  方  金  额")};
    for (int i = 0; i < 5; ++i)
        s.addLabel(QStringLiteral("Label%1").arg(6 + i), cell(i, 1305, 270), headings[i], tableFont(),
                   Qt::AlignHCenter);
    const char *rules[] = {"Line3", "Line5", "Line6", "Line7"};
    for (int i = 1; i < 5; ++i)
        s.addLine(QLatin1String(rules[i - 1]), vertical(border(i), kHeadingTop, kPageHeaderHeight));
}

void addDetail(ReportSection &s)
{
    s.setHeight(kDetailHeight);
    const char *fields[] = {"rq", "pz_no", "km_name", "jfje", "dfje"};
    for (int i = 0; i < 5; ++i) {
        // Date and number print as stored; amounts grouped, zero included.
        const ValueFormat format = i >= 3 ? ValueFormat::money() : ValueFormat::text();
        s.addField(QStringLiteral("Text%1").arg(i + 1), cell(i, 105, 270), QLatin1String(fields[i]), format,
                   tableFont(), Qt::AlignHCenter);
    }
    s.addLine(QStringLiteral("Line1"), horizontal(border(0), border(5), kRuleBottom));
    const char *rules[] = {"Line2", "Line8", "Line9", "Line10", "Line11", "Line4"};
    for (int i = 0; i < 6; ++i)
        s.addLine(QLatin1String(rules[i]), vertical(border(i), 0, kRuleBottom));
}

void addReportFooter(ReportSection &s, const VoucherDetailTexts &texts)
{
    s.setHeight(kReportFooterHeight);
    s.addLabel(QStringLiteral("Label11"), {border(0) + 30, 105, kBorders[3] - 60, 270}, texts.totalLabel, tableFont(),
               Qt::AlignHCenter);
    s.addSum(QStringLiteral("Function1"), cell(3, 105, 270), QStringLiteral("jfje"), ValueFormat::money(), tableFont(),
             Qt::AlignHCenter);
    s.addSum(QStringLiteral("Function2"), cell(4, 105, 270), QStringLiteral("dfje"), ValueFormat::money(), tableFont(),
             Qt::AlignHCenter);
    s.addLine(QStringLiteral("Line12"), horizontal(border(0), border(5), kRuleBottom));
    s.addLine(QStringLiteral("Line13"), vertical(border(0), 0, kRuleBottom));
    s.addLine(QStringLiteral("Line14"), vertical(border(3), 0, kRuleBottom));
    s.addLine(QStringLiteral("Line15"), vertical(border(4), 0, kRuleBottom));
    s.addLine(QStringLiteral("Line16"), vertical(border(5), 0, kRuleBottom));
}

Report createLayout()
{
    return voucherDetailReport({QStringLiteral("打印预览窗口--会计凭证明细表"), QStringLiteral("  科   目   名   称"),
                                QStringLiteral("合        计")});
}

} // namespace

Report parts::voucherDetailReport(const VoucherDetailTexts &texts)
{
    Report r;
    r.setCaption(texts.caption);
    r.setWidth(kLeft + kTableWidth + 30);
    r.setDefaultFont(defaultFont());
    r.section(SectionKind::ReportHeader).setHeight(0);
    addPageHeader(r.section(SectionKind::PageHeader), texts);
    addDetail(r.section(SectionKind::Detail));
    addPageNumberFooter(r.section(SectionKind::PageFooter), 558, {{3000, 3300, 3900, 4800, 5400}, 180, 300});
    addReportFooter(r.section(SectionKind::ReportFooter), texts);
    return r;
}

const ReportLayout &DRTkjpz()
{
    static const ReportLayout layout{&createLayout, true};
    return layout;
}

void printVoucherDetail(const platform::RecordsetPtr &rows, const QString &unitname, const QString &period,
                        QWidget *parent)
{
    printRows(DRTkjpz(), rows, unitname, period, parent);
}

void printVoucherDetail(std::shared_ptr<const platform::report::ReportDataSource> rows, const QString &unitname,
                        const QString &period, QWidget *parent)
{
    printreport(DRTkjpz(), {std::move(rows), unitname, period}, parent);
}

} // namespace reports
