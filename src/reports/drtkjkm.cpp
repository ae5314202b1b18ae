#include "reports/drtkjkm.h"

namespace reports {

using namespace platform::report;

namespace {

// Every text of this report but the title.
const ReportFont kTextFont{QStringLiteral("宋体"), 10.5, true};

// The table's column borders, shared by the heading box and every row so
// that the printed list reads as one ruled table.
constexpr int kTableLeft = 450;
constexpr int kTableRight = 7875;
constexpr int kCodeRule = 1905;
constexpr int kInitialsRule = 3645;
constexpr int kNameRule = 6555;

constexpr int kDetailHeight = 525;

QLine vertical(int x, int top, int length) { return QLine(x, top, x, top + length); }

void addPageHeader(ReportSection &s)
{
    s.setHeight(1590);
    s.addLabel(QStringLiteral("Label1"), {2415, 30, 2370, 360}, QStringLiteral("会 计 科 目 表"),
               ReportFont{QStringLiteral("黑体"), 15, true});
    s.addLabel(QStringLiteral("Label2"), {510, 705, 1215, 240}, QStringLiteral("单位名称："), kTextFont);
    s.addLabel(QStringLiteral("Label3"), {1785, 705, 3540, 255}, QString(), kTextFont); // the company name
    s.addLabel(QStringLiteral("Label4"), {5385, 690, 765, 285}, QStringLiteral("日期："), kTextFont);
    s.addLabel(QStringLiteral("Label5"), {6315, 705, 1440, 285}, QStringLiteral("%d"), kTextFont);

    s.addBox(QStringLiteral("Shape1"), {kTableLeft, 1125, kTableRight - kTableLeft, 450});
    s.addLabel(QStringLiteral("Label6"), {510, 1200, 1200, 285}, QStringLiteral("科目编号"), kTextFont,
               Qt::AlignHCenter);
    s.addLabel(QStringLiteral("Label7"), {2040, 1185, 1170, 300}, QStringLiteral(" 助 记 符"), kTextFont,
               Qt::AlignHCenter);
    s.addLabel(QStringLiteral("Label8"), {3930, 1200, 2325, 315}, QStringLiteral("科   目  名   称"), kTextFont,
               Qt::AlignHCenter);
    s.addLabel(QStringLiteral("Label9"), {6705, 1185, 1065, 315}, QStringLiteral("总帐页码"), kTextFont,
               Qt::AlignHCenter);
    s.addLine(QStringLiteral("Line1"), vertical(kCodeRule, 1140, 450));
    s.addLine(QStringLiteral("Line2"), vertical(kInitialsRule, 1140, 435));
    s.addLine(QStringLiteral("Line3"), vertical(kNameRule, 1125, 465));
}

void addDetail(ReportSection &s)
{
    s.setHeight(kDetailHeight);
    // The stored texts as they are: no number or date format.
    s.addField(QStringLiteral("Text1"), {495, 60, 1230, 300}, QStringLiteral("km_no"), ValueFormat::text(), kTextFont,
               Qt::AlignHCenter);
    s.addField(QStringLiteral("Text2"), {1980, 75, 1440, 285}, QStringLiteral("km_zjf"), ValueFormat::text(), kTextFont,
               Qt::AlignHCenter);
    s.addField(QStringLiteral("Text3"), {3930, 90, 2280, 270}, QStringLiteral("km_name"), ValueFormat::text(),
               kTextFont, Qt::AlignHCenter);
    s.addField(QStringLiteral("Text4"), {6780, 75, 840, 270}, QStringLiteral("km_page"), ValueFormat::text(), kTextFont,
               Qt::AlignHCenter);
    s.addLine(QStringLiteral("Line4"), vertical(kTableLeft, 0, kDetailHeight));
    s.addLine(QStringLiteral("Line5"), vertical(kTableRight, 0, kDetailHeight));
    s.addLine(QStringLiteral("Line7"), vertical(kCodeRule, 0, kDetailHeight));
    s.addLine(QStringLiteral("Line8"), vertical(kInitialsRule, 0, 510));
    s.addLine(QStringLiteral("Line9"), vertical(kNameRule, 0, 510));
    s.addLine(QStringLiteral("Line6"), QLine(465, 510, 465 + 7410, 510));
}

void addPageFooter(ReportSection &s)
{
    s.setHeight(660);
    s.addLabel(QStringLiteral("Label31"), {2400, 285, 465, 300}, QStringLiteral("第"), kTextFont);
    s.addLabel(QStringLiteral("Label32"), {2955, 300, 480, 300}, QStringLiteral("%p"), kTextFont);
    s.addLabel(QStringLiteral("Label33"), {3525, 300, 765, 315}, QStringLiteral("页，共"), kTextFont);
    s.addLabel(QStringLiteral("Label34"), {4395, 300, 510, 315}, QStringLiteral("%P"), kTextFont);
    s.addLabel(QStringLiteral("Label35"), {5010, 300, 480, 315}, QStringLiteral("页"), kTextFont);
}

Report createLayout()
{
    Report r;
    r.setCaption(QStringLiteral("打印预览窗口--会计科目表"));
    r.setWidth(8190);
    r.pageSetup().margins = QMargins(1440, 1440, 1440, 1440);
    r.setDefaultFont(ReportFont{QStringLiteral("宋体"), 9, false});

    r.section(SectionKind::ReportHeader).setHeight(0);
    addPageHeader(r.section(SectionKind::PageHeader));
    addDetail(r.section(SectionKind::Detail));
    addPageFooter(r.section(SectionKind::PageFooter));
    r.section(SectionKind::ReportFooter).setHeight(315);
    return r;
}

} // namespace

const ReportLayout &DRTkjkm()
{
    static const ReportLayout layout{&createLayout, false};
    return layout;
}

void printChartOfAccounts(const platform::RecordsetPtr &rows, const QString &unitname, QWidget *parent)
{
    printChartOfAccounts(snapshotRows(rows), unitname, parent);
}

void printChartOfAccounts(std::shared_ptr<const ReportDataSource> rows, const QString &unitname, QWidget *parent)
{
    printreport(DRTkjkm(), {std::move(rows), unitname, QString()}, parent);
}

} // namespace reports
