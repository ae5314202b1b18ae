#include "seedlines.h"

namespace testsupport {

void writeLines(TestDb &db, std::span<const SeedLine> lines)
{
    for (const SeedLine &l : lines) {
        const bool closed = QLatin1String(l.table) == QLatin1String("pzkls");
        db.run(QStringLiteral("insert into %1 (kjqj, pz_no, rq, km_no, km_zjf, km_name, jfje, dfje, bz) "
                              "values (?, ?, ?, ?, ?, ?, ?, ?, ?)")
                   .arg(QLatin1String(l.table)),
               {QString::fromUtf8(l.period), l.pz, QLatin1String(l.rq), QString::fromUtf8(l.km_no),
                QString::fromUtf8(l.km_zjf), QString::fromUtf8(l.km_name), l.debit, l.credit,
                closed ? QVariant(QStringLiteral("已结转")) : QVariant()});
    }
}

} // namespace testsupport
