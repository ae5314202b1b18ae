#pragma once
// What the benchmarks share: the process's peak memory and a voucher-line list grid.

#include "gridwin/gridframe.h"

#include <QFile>

namespace bench {

inline long peakRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

inline GridFrameConfig voucherLineGrid()
{
    using K = GridColumn::Kind;
    GridFrameConfig c;
    c.name = QStringLiteral("bench");
    c.columns = {{QStringLiteral("序号"), 420},
                 {QStringLiteral("日期"), 1100, false, QStringLiteral("rq"), K::Text},
                 {QStringLiteral("凭证号"), 800, false, QStringLiteral("pz_no"), K::Text},
                 {QStringLiteral("科目"), 2400, false, QStringLiteral("km_name"), K::Text},
                 {QStringLiteral("借方"), 1400, false, QStringLiteral("jfje"), K::Amount},
                 {QStringLiteral("贷方"), 1400, false, QStringLiteral("dfje"), K::Amount},
                 {QStringLiteral("摘要"), 2000, false, QStringLiteral("bz"), K::Text}};
    c.toolbar = GridFrameConfig::recordToolbar(QStringLiteral("凭证"));
    c.dispatchOrder = GridFrameConfig::recordDispatchOrder();
    return c;
}

} // namespace bench
