// The ready database made from data/kelopz.sql: its tables, column kinds and seed rows.
#include "testsupport.h"

#include <QtTest>

#include <map>

using testsupport::TestDb;

namespace {

// The columns of every table, in order.
const std::map<QString, QString> kTables = {
    {"dwmc", "dw_name frdb dw_address yzbm lxdh"},
    {"qy", "cdxm bj qyqj"},
    {"dqkjqj", "kjnd kjqj"},
    {"czy", "czyno czyname lxdh password"},
    {"kmdmk", "km_no km_zjf km_name km_page"},
    {"zzqcye", "djh km_no km_zjf km_name qcje rq kjnd kjqj"},
    {"pzk", "rq pz_no km_no km_zjf km_name kjqj jfje dfje bz"},
    {"pzkls", "rq pz_no km_no km_zjf km_name kjqj jfje dfje bz"},
    {"pzktemp", "pz_no jfhj dfhj"},
    {"pzhzk", "kjqj pz_no km_no km_zjf km_name qcje jfje dfje"},
    {"pzhzkls", "km_no km_zjf km_name kjqj qcje jfje dfje qmje bz"},
    {"pzhzktemp", "kjqj pz_no km_no km_zjf km_name qcje jfje dfje"},
};
const QStringList kMoney = {"qcje", "jfje", "dfje", "qmje", "jfhj", "dfhj"};

} // namespace

class tst_schema : public QObject {
    Q_OBJECT

private slots:
    void tablesAndColumns()
    {
        TestDb db;
        QStringList tables;
        for (const auto &[table, columns] : kTables)
            tables << table;
        QCOMPARE(db.rows("select name from sqlite_master where type='table' order by name"), tables);

        for (const auto &[table, columns] : kTables) {
            QStringList names;
            // Each row: cid|name|type|notnull|default|pk.
            for (const QString &column : db.rows("pragma table_info(" + table + ")")) {
                const QStringList f = column.split('|');
                names << f[1];
                // Amounts are whole cents, never null and 0 unless set; voucher numbers whole
                // numbers that may be missing; the rest text without a default. No primary key.
                const bool money = kMoney.contains(f[1]), number = f[1] == "pz_no";
                const QString kind = money ? f[2] + f[3] + f[4] : number ? f[2] + f[3] : f[2] + "=" + f[4];
                QCOMPARE(table + "." + f[1] + " " + kind + " pk" + f[5], table + "." + f[1] +
                                                                             (money    ? " INTEGER10"
                                                                              : number ? " INTEGER0"
                                                                                       : " TEXT=") +
                                                                             " pk0");
            }
            QCOMPARE(names.join(' '), columns);
            // Rows keep a rowid (no WITHOUT ROWID table); no unique index, no foreign key.
            QCOMPARE(db.scalar("select count(rowid) from " + table), db.scalar("select count(*) from " + table));
            for (const QString &index : db.rows("pragma index_list(" + table + ")")) // seq|name|unique|...
                QVERIFY2(index.section('|', 2, 2) == "0", qPrintable(index));
            QVERIFY2(db.rows("pragma foreign_key_list(" + table + ")").isEmpty(), qPrintable(table));
        }
        QCOMPARE(db.scalar("select count(*) from sqlite_master where type='trigger'"), "0");
    }

    void seedRows()
    {
        TestDb db;
        QCOMPARE(db.rows("select dw_name, frdb, dw_address, yzbm, lxdh from dwmc") +
                     db.rows("select kjnd, kjqj from dqkjqj") +
                     db.rows("select cdxm, bj, qyqj from qy order by rowid") +
                     db.rows("select czyno, czyname, password from czy"),
                 QStringList({"||||", "|", "sjcsh||", "qykjqj||", "759|系统管理员|40617"}));
        for (const char *t : {"kmdmk", "zzqcye", "pzk", "pzkls", "pzktemp", "pzhzk", "pzhzkls", "pzhzktemp"})
            QCOMPARE(db.count(t), 0);
    }

    // What the column kinds above do not show.
    void textIgnoresCase()
    {
        TestDb db;
        db.run("insert into kmdmk (km_no, km_zjf, km_name) values ('A1', 'XJ', '现金')");
        QCOMPARE(db.scalar("select count(*) from kmdmk where km_no = 'a1' and km_zjf like '%x%'"), "1");
    }
};

QTEST_MAIN(tst_schema)
#include "tst_schema.moc"
