#include "closing/frmpzhz.h"

#include "closing/summary.h"
#include "platform/msgbox.h"
#include "reports/drtpzhz.h"

ReadOnlyList::Setup frmpzhz::summarySetup(const QString &name, const QString &caption, const QStringList &amountFields,
                                          const TotalsRow &totals, PrintRoutine print)
{
    using K = GridColumn::Kind;
    Setup s;
    s.name = name;
    s.caption = caption;
    s.title = QStringLiteral("☆ 凭 证 汇 总 表 ☆");
    s.printTip = QStringLiteral("打印凭证汇总表");
    s.columns = {{QStringLiteral("序号"), 420},
                 {QStringLiteral(" 科目编号"), 900, false, QStringLiteral("km_no"), K::Text},
                 {QStringLiteral("  科 目 名 称"), 1800, false, QStringLiteral("km_name"), K::Text},
                 {QStringLiteral("  期初余额"), 1200, true, amountFields.value(0), K::Amount},
                 {QStringLiteral(" 借 方 合 计 "), 1200, true, amountFields.value(1), K::Amount},
                 {QStringLiteral(" 贷 方 合 计 "), 1200, true, amountFields.value(2), K::Amount},
                 {QStringLiteral("  期末余额"), 1200, true, amountFields.value(3), K::Amount},
                 {QStringLiteral(" 备   注 "), 800}};
    s.totals = totals;
    s.print = print;
    return s;
}

frmpzhz::frmpzhz(QWidget *parent)
    : ReadOnlyList(
          summarySetup(QStringLiteral("frmpzhz"), QStringLiteral("会计凭证汇总"),
                       {QStringLiteral("qchj"), QStringLiteral("jfhj"), QStringLiteral("dfhj"), QStringLiteral("qmhj")},
                       TotalsRow{QStringLiteral("合    计"), {3, 4, 5, 6}}, &reports::printVoucherSummary),
          parent)
{
    if (!readHeader(true))
        return;
    QString error;
    if (!closing::rebuildSummary(periodText(), &error)) {
        platform::notice(QStringLiteral("凭证汇总失败，汇总数据保持原样：") + error);
        return;
    }
    const RecordsetPtr accounts = closing::summaryRows(periodText(), &error);
    loadList(accounts, error);
}
