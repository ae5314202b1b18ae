#include "reports/reportparts.h"

namespace reports::parts {

using namespace platform::report;

ReportFont titleFont() { return ReportFont{QStringLiteral("黑体"), 15, true}; }

ReportFont headerFont() { return ReportFont{QStringLiteral("宋体"), 10.5, true}; }

ReportFont tableFont() { return ReportFont{QStringLiteral("宋体"), 9, true}; }

ReportFont defaultFont() { return ReportFont{QStringLiteral("宋体"), 9, false}; }

void addPageNumberFooter(ReportSection &footer, int height, const PageFooterPlace &place)
{
    static const QString kTexts[5] = {QStringLiteral("第"), QStringLiteral("%p"), QStringLiteral("页，共"),
                                      QStringLiteral("%P"), QStringLiteral("页")};
    constexpr int kLabelHeight = 240;
    footer.setHeight(height);
    for (int i = 0; i < 5; ++i) {
        const int width = i < 4 ? place.lefts[i + 1] - place.lefts[i] : place.lastWidth;
        // The page numbers sit centred in their gaps so that "第 3 页" reads evenly.
        const Qt::Alignment align = (i == 1 || i == 3) ? Qt::AlignHCenter : Qt::AlignLeft;
        footer.addLabel(QStringLiteral("Label%1").arg(31 + i), {place.lefts[i], place.top, width, kLabelHeight},
                        kTexts[i], headerFont(), align);
    }
}

void addCompanyAndPeriod(ReportSection &header, const HeaderLinePlace &place)
{
    header.addLabel(QStringLiteral("Label2"), place.companyCaption, QStringLiteral("单位名称："), headerFont());
    header.addLabel(QStringLiteral("Label3"), place.company, QString(), headerFont());
    header.addLabel(QStringLiteral("Label4"), place.periodCaption, QStringLiteral("会计期间："), headerFont());
    header.addLabel(QStringLiteral("Label5"), place.period, QString(), headerFont());
}

void printRows(const ReportLayout &layout, const platform::RecordsetPtr &rows, const QString &unitname,
               const QString &period, QWidget *parent)
{
    printreport(layout, {snapshotRows(rows), unitname, period}, parent);
}

} // namespace reports::parts
