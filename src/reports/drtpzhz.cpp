#include "reports/drtpzhz.h"

#include "reports/reportparts.h"

namespace reports {

using namespace platform::report;
using namespace parts;

namespace {

// Rules between the columns: code | name | opening | debit | credit | closing.
constexpr int kRules[] = {30, 1095, 3210, 4680, 6060, 7425, 8760};
constexpr int kRuleRight = 8775; // where the horizontal rules end
constexpr int kDetailHeight = 510;
constexpr int kTotalsBottom = 405; // the totals row is closed just under its figures

void addPageHeader(ReportSection &s)
{
    s.setHeight(1725);
    s.addLabel(QStringLiteral("Label1"), {3030, 15, 3480, 360}, QStringLiteral("凭 证 汇 总 表"), titleFont(),
               Qt::AlignHCenter);
    addCompanyAndPeriod(s,
                        {{90, 885, 1215, 240}, {1410, 885, 3540, 255}, {5280, 870, 1260, 285}, {6555, 870, 1440, 300}});
    const QRect box(30, 1230, 8730, 465);
    s.addBox(QStringLiteral("Shape1"), box);
    struct Heading {
        const char *name;
        QRect rect;
        const char *text;
    };
    const Heading headings[] = {
        {"Label6", {105, 1335, 945, 270}, "科目编号"},       {"Label7", {1140, 1335, 2025, 270}, "科   目   名   称"},
        {"Label8", {3240, 1335, 1425, 270}, "期 初 余 额"},  {"Label9", {4710, 1335, 1305, 270}, "借 方 金 额"},
        {"Label10", {6075, 1335, 1290, 285}, "贷 方 金 额"}, {"Label11", {7440, 1335, 1170, 270}, "期 末 余 额"},
    };
    for (const Heading &h : headings)
        s.addLabel(QLatin1String(h.name), h.rect, QString::fromUtf8(h.text), tableFont(), Qt::AlignHCenter);
    // The box draws the outer edges; these part the heads.
    for (int i = 1; i < 6; ++i)
        s.addLine(QStringLiteral("Line%1").arg(i), vertical(kRules[i], box.top(), box.top() + box.height()));
}

void addDetail(ReportSection &s)
{
    s.setHeight(kDetailHeight);
    struct Field {
        const char *name;
        QRect rect;
        const char *field;
    };
    const Field fields[] = {
        {"Text1", {120, 90, 945, 315}, "km_no"},   {"Text2", {1140, 105, 2025, 300}, "km_name"},
        {"Text3", {3270, 120, 1350, 300}, "qchj"}, {"Text4", {4725, 105, 1305, 300}, "jfhj"},
        {"Text5", {6090, 105, 1305, 285}, "dfhj"}, {"Text6", {7455, 105, 1200, 300}, "qmhj"},
    };
    for (int i = 0; i < 6; ++i)
        s.addField(QLatin1String(fields[i].name), fields[i].rect, QLatin1String(fields[i].field),
                   i < 2 ? ValueFormat::text() : ValueFormat::money(), tableFont(), Qt::AlignHCenter);
    for (int i = 0; i < 7; ++i)
        s.addLine(QStringLiteral("Line%1").arg(6 + i), vertical(kRules[i], 0, kDetailHeight));
    s.addLine(QStringLiteral("Line13"), horizontal(kRules[0], kRuleRight, kDetailHeight));
}

void addReportFooter(ReportSection &s)
{
    s.setHeight(615);
    s.addLabel(QStringLiteral("Label12"), {120, 90, 2985, 270}, QStringLiteral("合          计"), tableFont(),
               Qt::AlignHCenter);
    struct Sum {
        const char *name;
        QRect rect;
        const char *field;
    };
    const Sum sums[] = {
        {"Function1", {3390, 90, 1215, 270}, "qchj"},
        {"Function2", {4770, 75, 1200, 285}, "jfhj"},
        {"Function3", {6165, 90, 1185, 285}, "dfhj"},
        {"Function4", {7560, 60, 1140, 300}, "qmhj"},
    };
    for (const Sum &sum : sums)
        s.addSum(QLatin1String(sum.name), sum.rect, QLatin1String(sum.field), ValueFormat::money(), tableFont(),
                 Qt::AlignHCenter);
    for (int i = 0; i < 7; ++i)
        s.addLine(QStringLiteral("Line%1").arg(14 + i), vertical(kRules[i], 0, kTotalsBottom));
    s.addLine(QStringLiteral("Line21"), horizontal(kRules[0], kRuleRight, 0));
    s.addLine(QStringLiteral("Line22"), horizontal(kRules[0], kRuleRight, kTotalsBottom));
}

Report createLayout() { return voucherSummaryReport(); }

} // namespace

Report parts::voucherSummaryReport()
{
    Report r;
    r.setCaption(QStringLiteral("凭证汇总表"));
    r.setWidth(kRuleRight + 30);
    r.setDefaultFont(defaultFont());
    r.section(SectionKind::ReportHeader).setHeight(0);
    addPageHeader(r.section(SectionKind::PageHeader));
    addDetail(r.section(SectionKind::Detail));
    addPageNumberFooter(r.section(SectionKind::PageFooter), 885, {{3402, 3969, 4535, 5669, 6236}, 567, 450});
    addReportFooter(r.section(SectionKind::ReportFooter));
    return r;
}

const ReportLayout &DRTpzhz()
{
    static const ReportLayout layout{&createLayout, true};
    return layout;
}

void printVoucherSummary(const platform::RecordsetPtr &rows, const QString &unitname, const QString &period,
                         QWidget *parent)
{
    printRows(DRTpzhz(), rows, unitname, period, parent);
}

} // namespace reports
