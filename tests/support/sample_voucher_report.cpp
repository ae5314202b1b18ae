#include "sample_voucher_report.h"

#include "reports/drtkjpz.h"

namespace testsupport {

using namespace platform::report;

Report voucherListReport() { return reports::DRTkjpz().create(); }

std::shared_ptr<ReportTable> voucherRows(int count)
{
    static const QStringList accounts{QStringLiteral("现金"), QStringLiteral("银行存款"), QStringLiteral("应收账款"),
                                      QStringLiteral("主营业务收入"), QStringLiteral("管理费用")};
    auto table = std::make_shared<ReportTable>(QStringList{QStringLiteral("rq"), QStringLiteral("pz_no"),
                                                           QStringLiteral("km_name"), QStringLiteral("jfje"),
                                                           QStringLiteral("dfje")});
    table->reserve(count);
    for (int i = 0; i < count; ++i) {
        const qint64 amount = qint64(i + 1) * 12345;
        const bool debit = i % 2 == 0;
        table->addRow({QDate(2004, 1, 1 + i % 28), i + 1, accounts[i % accounts.size()], debit ? amount : qint64(0),
                       debit ? qint64(0) : amount});
    }
    return table;
}

} // namespace testsupport
