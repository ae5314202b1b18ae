#include "reports/drtpzhzls.h"

#include "reports/drtpzhz.h"
#include "reports/reportparts.h"

namespace reports {

using namespace platform::report;

namespace {

// The stored summary names its amounts as the closing wrote them.
const std::pair<const char *, const char *> kFields[] = {
    {"qchj", "qcje"}, {"jfhj", "jfje"}, {"dfhj", "dfje"}, {"qmhj", "qmje"}};

void rebind(ReportSection &s)
{
    for (const ReportControl &c : s.controls()) {
        for (const auto &[from, to] : kFields) {
            if (c.field == QLatin1String(from))
                s.control(c.name)->field = QLatin1String(to);
        }
    }
}

// The layout stands a shade tighter on the right than the current summary's.
void moveRules(ReportSection &s)
{
    for (const ReportControl &c : s.controls()) {
        if (c.kind != ReportControl::Kind::Line)
            continue;
        QLine line = c.line;
        if (line.x1() == line.x2() && line.x1() == 8760)
            line.translate(-45, 0);
        else if (line.y1() == line.y2() && line.x2() == 8775)
            line.setP2({8733, line.y2()});
        s.control(c.name)->line = line;
    }
}

void move(ReportSection &s, const char *name, int dx, int dy)
{
    s.control(QLatin1String(name))->rect.translate(dx, dy);
}

Report createLayout()
{
    Report r = parts::voucherSummaryReport();
    ReportSection &header = r.section(SectionKind::PageHeader);
    move(header, "Label1", 135, 15);
    QRect &box = header.control(QStringLiteral("Shape1"))->rect;
    box.translate(0, 15);
    box.setWidth(box.width() - 45);
    for (int i = 1; i <= 5; ++i) // the rules between the heads go down with their box
        header.control(QStringLiteral("Line%1").arg(i))->line.translate(0, 15);
    r.section(SectionKind::PageFooter).setHeight(813);
    move(r.section(SectionKind::PageFooter), "Label31", -24, 21);
    r.section(SectionKind::ReportFooter).setHeight(582);
    move(r.section(SectionKind::ReportFooter), "Function4", -87, 15);
    for (SectionKind kind : {SectionKind::PageHeader, SectionKind::Detail, SectionKind::ReportFooter}) {
        moveRules(r.section(kind));
        rebind(r.section(kind));
    }
    return r;
}

} // namespace

const ReportLayout &DRTpzhzls()
{
    static const ReportLayout layout{&createLayout, true};
    return layout;
}

void printSummaryHistory(const platform::RecordsetPtr &rows, const QString &unitname, const QString &period,
                         QWidget *parent)
{
    parts::printRows(DRTpzhzls(), rows, unitname, period, parent);
}

} // namespace reports
