#include "monthendbooks.h"

namespace testsupport {

void startMonth(TestDb &db) { db.run("update dqkjqj set kjqj=?, kjnd='2026年'", {kMarch}); }

void addOpening(TestDb &db, const QString &code, qint64 cents, const QString &period)
{
    db.run("insert into zzqcye (djh, km_no, km_zjf, km_name, qcje, kjqj) values ('CSH202603010001', ?, ?, ?, ?, ?)",
           {code, "ZJ" + code, "科目" + code, cents, period});
}

void addLine(TestDb &db, int voucher, const QString &code, qint64 debit, qint64 credit, const QString &period)
{
    db.run("insert into pzk (rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje) values ('2026-03-05', ?, ?, ?, ?, ?, "
           "?, ?)",
           {voucher, code, "ZJ" + code, "科目" + code, period, debit, credit});
}

QStringList snapshot(TestDb &db, bool withScratch)
{
    QStringList tables = {"pzk", "pzkls", "pzhzk", "pzhzkls", "zzqcye", "dqkjqj"};
    if (withScratch)
        tables << "pzktemp";
    QStringList rows;
    for (const QString &table : tables) {
        auto rs = db.run("select * from " + table + " order by rowid");
        for (; rs && !rs->eof(); rs->moveNext()) {
            QStringList fields{table};
            for (int i = 0; i < rs->fieldCount(); ++i)
                fields << (rs->value(i).isNull() ? QStringLiteral("<null>") : rs->value(i).toString());
            rows << fields.join('|');
        }
    }
    return rows;
}

} // namespace testsupport
