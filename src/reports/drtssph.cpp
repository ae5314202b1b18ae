#include "reports/drtssph.h"

#include "reports/reportparts.h"

namespace reports {

using namespace platform::report;
using namespace parts;

namespace {

// Column borders from the layout's left edge: number | debit | credit | verdict.
constexpr int kBorders[] = {195, 1740, 3825, 6135, 7890};
constexpr int kHeadingTop = 1080;
constexpr int kPageHeaderHeight = 1545;
constexpr int kDetailHeight = 465;
constexpr int kReportFooterHeight = 630;
constexpr int kRuleBottom = 465;

QRect cell(int i, int top, int height)
{
    return QRect(kBorders[i] + 30, top, kBorders[i + 1] - kBorders[i] - 60, height);
}

void addPageHeader(ReportSection &s)
{
    s.setHeight(kPageHeaderHeight);
    const int width = kBorders[4] - kBorders[0];
    s.addLabel(QStringLiteral("Label1"), {kBorders[0], 60, width, 360}, QStringLiteral("平衡关系审核表"), titleFont(),
               Qt::AlignHCenter);
    addCompanyAndPeriod(s, {{kBorders[0] + 60, 660, 1215, 255},
                            {kBorders[0] + 1275, 660, 3000, 255},
                            {kBorders[2] + 600, 660, 1260, 255},
                            {kBorders[2] + 1860, 660, 2100, 255}});
    s.addBox(QStringLiteral("Shape1"), {kBorders[0], kHeadingTop, width, kPageHeaderHeight - kHeadingTop});
    const QString headings[] = {QStringLiteral("凭 证 编 号"), QStringLiteral("借 方 合 计"),
                                QStringLiteral("贷 方 合 计"), QStringLiteral("平 衡 关 系 ")};
    for (int i = 0; i < 4; ++i)
        s.addLabel(QStringLiteral("Label%1").arg(6 + i), cell(i, 1185, 270), headings[i], tableFont(),
                   Qt::AlignHCenter);
    for (int i = 1; i < 4; ++i)
        s.addLine(QStringLiteral("Line%1").arg(6 + i), vertical(kBorders[i], kHeadingTop, kPageHeaderHeight));
}

void addDetail(ReportSection &s)
{
    s.setHeight(kDetailHeight);
    s.addField(QStringLiteral("Text1"), cell(0, 105, 270), QStringLiteral("pz_no"), ValueFormat::text(), tableFont(),
               Qt::AlignHCenter);
    s.addField(QStringLiteral("Text2"), cell(1, 105, 270), QStringLiteral("jfhj"), ValueFormat::money(), tableFont(),
               Qt::AlignHCenter);
    s.addField(QStringLiteral("Text3"), cell(2, 105, 270), QStringLiteral("dfhj"), ValueFormat::money(), tableFont(),
               Qt::AlignHCenter);
    s.addLine(QStringLiteral("Line1"), horizontal(kBorders[0], kBorders[4], kRuleBottom));
    s.addLine(QStringLiteral("Line2"), vertical(kBorders[0], 0, kRuleBottom));
    s.addLine(QStringLiteral("Line3"), vertical(kBorders[4], 0, kRuleBottom));
    for (int i = 1; i < 4; ++i)
        s.addLine(QStringLiteral("Line%1").arg(3 + i), vertical(kBorders[i], 0, kRuleBottom));
}

void addReportFooter(ReportSection &s)
{
    s.setHeight(kReportFooterHeight);
    s.addLabel(QStringLiteral("Label10"), cell(0, 105, 270), QStringLiteral("合      计"), tableFont(),
               Qt::AlignHCenter);
    s.addSum(QStringLiteral("Function1"), cell(1, 105, 270), QStringLiteral("jfhj"), ValueFormat::money(), tableFont(),
             Qt::AlignHCenter);
    s.addSum(QStringLiteral("Function2"), cell(2, 105, 270), QStringLiteral("dfhj"), ValueFormat::money(), tableFont(),
             Qt::AlignHCenter);
    s.addLine(QStringLiteral("Line10"), horizontal(kBorders[0], kBorders[4], kRuleBottom));
    for (int i = 0; i < 5; ++i)
        s.addLine(QStringLiteral("Line%1").arg(11 + i), vertical(kBorders[i], 0, kRuleBottom));
}

Report createLayout()
{
    Report r;
    r.setCaption(QStringLiteral("凭证平衡关系审核表"));
    r.setWidth(kBorders[4] + 30);
    r.setDefaultFont(defaultFont());
    r.section(SectionKind::ReportHeader).setHeight(0);
    addPageHeader(r.section(SectionKind::PageHeader));
    addDetail(r.section(SectionKind::Detail));
    addPageNumberFooter(r.section(SectionKind::PageFooter), 675, {{2700, 3000, 3600, 4500, 5100}, 240, 300});
    addReportFooter(r.section(SectionKind::ReportFooter));
    return r;
}

} // namespace

const ReportLayout &DRTssph()
{
    static const ReportLayout layout{&createLayout, true};
    return layout;
}

void printBalanceCheck(const platform::RecordsetPtr &rows, const QString &unitname, const QString &period,
                       QWidget *parent)
{
    parts::printRows(DRTssph(), rows, unitname, period, parent);
}

} // namespace reports
