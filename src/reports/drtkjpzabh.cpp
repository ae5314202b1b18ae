#include "reports/drtkjpzabh.h"

#include "reports/drtkjpz.h"
#include "reports/reportparts.h"

namespace reports {

namespace {

platform::report::Report createLayout()
{
    return parts::voucherDetailReport({QStringLiteral("会计凭证明细表"), QStringLiteral("科   目   名   称"),
                                       QStringLiteral("合") + QString(21, QLatin1Char(' ')) + QStringLiteral("计")});
}

} // namespace

const ReportLayout &DRTkjpzabh()
{
    static const ReportLayout layout{&createLayout, true};
    return layout;
}

void printVoucherDetailByNumber(const platform::RecordsetPtr &rows, const QString &unitname, const QString &period,
                                QWidget *parent)
{
    parts::printRows(DRTkjpzabh(), rows, unitname, period, parent);
}

} // namespace reports
