#include "sample_voucher_report.h"

namespace testsupport {

using namespace platform::report;

namespace {

ReportFont songti(double points, bool bold = true)
{
    return ReportFont{QStringLiteral("宋体"), points, bold};
}

QRect columnCell(int column, int top, int height)
{
    const int left = kVoucherColumns[column];
    const int right = kVoucherColumns[column + 1];
    return QRect(left + 30, top, right - left - 60, height);
}

// Rules at every column border from top to bottom of a band.
void addColumnRules(ReportSection &section, const QStringList &names, int top, int bottom)
{
    for (int i = 0; i < names.size(); ++i) {
        const int x = kVoucherColumns[i];
        section.addLine(names[i], QLine(x, top, x, bottom));
    }
}

} // namespace

Report voucherListReport()
{
    Report r;
    r.setCaption(QStringLiteral("打印预览窗口--会计凭证明细表"));
    r.setWidth(kVoucherColumns[5]);
    r.setDefaultFont(songti(9, false));

    ReportSection &head = r.section(SectionKind::PageHeader);
    head.setHeight(kVoucherPageHeaderHeight);
    head.addLabel(QStringLiteral("Label1"), {0, 60, 8685, 360}, QStringLiteral("会 计 凭 证 明 细 表"),
                  ReportFont{QStringLiteral("黑体"), 15, true}, Qt::AlignHCenter);
    head.addLabel(QStringLiteral("Label2"), {60, 720, 1215, 255}, QStringLiteral("单位名称："), songti(10.5));
    head.addLabel(QStringLiteral("Label3"), {1275, 720, 3540, 255}, QString(), songti(10.5));
    head.addLabel(QStringLiteral("Label4"), {4935, 720, 1260, 255}, QStringLiteral("会计期间："), songti(10.5));
    head.addLabel(QStringLiteral("Label5"), {6195, 720, 2400, 255}, QString(), songti(10.5));
    head.addBox(QStringLiteral("Shape1"), {0, 1200, 8685, 465});
    const QStringList headings{QStringLiteral("记帐日期"), QStringLiteral("凭证编号"),
                               QStringLiteral("  科   目   名   称"), QStringLiteral("借  方  金  额"),
                               QStringLiteral("贷  方  金  额")};
    for (int i = 0; i < 5; ++i)
        head.addLabel(QStringLiteral("Label%1").arg(6 + i), columnCell(i, 1305, 270), headings[i], songti(9),
                      Qt::AlignHCenter);
    const int headingRules[] = {3, 5, 6, 7};
    for (int i = 1; i < 5; ++i) {
        const int x = kVoucherColumns[i];
        head.addLine(QStringLiteral("Line%1").arg(headingRules[i - 1]), QLine(x, 1200, x, 1665));
    }

    ReportSection &detail = r.section(SectionKind::Detail);
    detail.setHeight(kVoucherDetailHeight);
    const QStringList fields{QStringLiteral("rq"), QStringLiteral("pz_no"), QStringLiteral("km_name"),
                             QStringLiteral("jfje"), QStringLiteral("dfje")};
    for (int i = 0; i < 5; ++i)
        detail.addField(QStringLiteral("Text%1").arg(i + 1), columnCell(i, 105, 270), fields[i],
                        i >= 3 ? ValueFormat::money() : ValueFormat::text(), songti(9), Qt::AlignHCenter);
    detail.addLine(QStringLiteral("Line1"), QLine(0, 465, 8685, 465));
    addColumnRules(detail,
                   {QStringLiteral("Line2"), QStringLiteral("Line8"), QStringLiteral("Line9"),
                    QStringLiteral("Line10"), QStringLiteral("Line11"), QStringLiteral("Line4")},
                   0, 465);

    ReportSection &pageFoot = r.section(SectionKind::PageFooter);
    pageFoot.setHeight(kVoucherPageFooterHeight);
    pageFoot.addLabel(QStringLiteral("Label31"), {3000, 150, 300, 300}, QStringLiteral("第"), songti(10.5));
    pageFoot.addLabel(QStringLiteral("Label32"), {3300, 150, 600, 300}, QStringLiteral("%p"), songti(10.5),
                      Qt::AlignHCenter);
    pageFoot.addLabel(QStringLiteral("Label33"), {3900, 150, 900, 300}, QStringLiteral("页，共"), songti(10.5));
    pageFoot.addLabel(QStringLiteral("Label34"), {4800, 150, 600, 300}, QStringLiteral("%P"), songti(10.5),
                      Qt::AlignHCenter);
    pageFoot.addLabel(QStringLiteral("Label35"), {5400, 150, 300, 300}, QStringLiteral("页"), songti(10.5));

    ReportSection &total = r.section(SectionKind::ReportFooter);
    total.setHeight(kVoucherReportFooterHeight);
    total.addLabel(QStringLiteral("Label11"), {30, 105, 4875, 270}, QStringLiteral("合        计"), songti(9),
                   Qt::AlignHCenter);
    total.addSum(QStringLiteral("Function1"), columnCell(3, 105, 270), QStringLiteral("jfje"),
                 ValueFormat::money(), songti(9), Qt::AlignHCenter);
    total.addSum(QStringLiteral("Function2"), columnCell(4, 105, 270), QStringLiteral("dfje"),
                 ValueFormat::money(), songti(9), Qt::AlignHCenter);
    total.addLine(QStringLiteral("Line12"), QLine(0, 465, 8685, 465));
    total.addLine(QStringLiteral("Line13"), QLine(0, 0, 0, 465));
    total.addLine(QStringLiteral("Line14"), QLine(4935, 0, 4935, 465));
    total.addLine(QStringLiteral("Line15"), QLine(6720, 0, 6720, 465));
    total.addLine(QStringLiteral("Line16"), QLine(8685, 0, 8685, 465));
    return r;
}

std::shared_ptr<ReportTable> voucherRows(int count)
{
    static const QStringList accounts{QStringLiteral("现金"), QStringLiteral("银行存款"),
                                      QStringLiteral("应收账款"), QStringLiteral("主营业务收入"),
                                      QStringLiteral("管理费用")};
    auto table = std::make_shared<ReportTable>(QStringList{QStringLiteral("rq"), QStringLiteral("pz_no"),
                                                           QStringLiteral("km_name"), QStringLiteral("jfje"),
                                                           QStringLiteral("dfje")});
    table->reserve(count);
    for (int i = 0; i < count; ++i) {
        const qint64 amount = qint64(i + 1) * 12345;
        const bool debit = i % 2 == 0;
        table->addRow({QDate(2004, 1, 1 + i % 28), i + 1, accounts[i % accounts.size()],
                       debit ? amount : qint64(0), debit ? qint64(0) : amount});
    }
    return table;
}

} // namespace testsupport
