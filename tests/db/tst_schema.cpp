// The ready database made from data/kelopz.sql: its tables, column kinds and seed rows.
#include <QtTest>

#include "db/databasekey.h"

#include <sqlite3.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Row = std::vector<std::string>;  // "<null>" stands for Null

class Db
{
public:
    explicit Db(const QString &path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            return;
        ok_ = exec((std::string("PRAGMA key='") + books::kDatabasePassword + "';").c_str()) && rows("select count(*) from sqlite_master").size() == 1;
    }
    ~Db() { sqlite3_close(db_); }
    bool ok() const { return ok_; }

    bool exec(const char *sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

    std::vector<Row> rows(const std::string &sql)
    {
        std::vector<Row> out;
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
            return out;
        while (sqlite3_step(st) == SQLITE_ROW) {
            Row r;
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                const auto *t = sqlite3_column_text(st, i);
                r.emplace_back(t ? reinterpret_cast<const char *>(t) : "<null>");
            }
            out.push_back(r);
        }
        sqlite3_finalize(st);
        return out;
    }
    std::string value(const std::string &sql)
    {
        const auto r = rows(sql);
        return r.empty() || r[0].empty() ? "<none>" : r[0][0];
    }

private:
    sqlite3 *db_ = nullptr;
    bool ok_ = false;
};

// The columns of every table, in order.
const std::map<std::string, std::vector<std::string>> kTables = {
    {"dwmc", {"dw_name", "frdb", "dw_address", "yzbm", "lxdh"}},
    {"qy", {"cdxm", "bj", "qyqj"}},
    {"dqkjqj", {"kjnd", "kjqj"}},
    {"czy", {"czyno", "czyname", "lxdh", "password"}},
    {"kmdmk", {"km_no", "km_zjf", "km_name", "km_page"}},
    {"zzqcye", {"djh", "km_no", "km_zjf", "km_name", "qcje", "rq", "kjnd", "kjqj"}},
    {"pzk", {"rq", "pz_no", "km_no", "km_zjf", "km_name", "kjqj", "jfje", "dfje", "bz"}},
    {"pzkls", {"rq", "pz_no", "km_no", "km_zjf", "km_name", "kjqj", "jfje", "dfje", "bz"}},
    {"pzktemp", {"pz_no", "jfhj", "dfhj"}},
    {"pzhzk", {"kjqj", "pz_no", "km_no", "km_zjf", "km_name", "qcje", "jfje", "dfje"}},
    {"pzhzkls", {"km_no", "km_zjf", "km_name", "kjqj", "qcje", "jfje", "dfje", "qmje", "bz"}},
    {"pzhzktemp", {"kjqj", "pz_no", "km_no", "km_zjf", "km_name", "qcje", "jfje", "dfje"}},
};
const std::set<std::string> kMoney = {"qcje", "jfje", "dfje", "qmje", "jfhj", "dfhj"};

} // namespace

class tst_schema : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString copy_;

private slots:
    void init()
    {
        QVERIFY(dir_.isValid());
        copy_ = dir_.filePath(QString::fromUtf8(QTest::currentTestFunction()) + ".mdb");
        QFile::remove(copy_);
        QVERIFY(QFile::copy(QStringLiteral(KELOPZ_SEED_DB), copy_));
        QFile(copy_).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void tablesAndColumns()
    {
        Db db(copy_);
        QVERIFY(db.ok());
        std::set<std::string> names;
        for (const auto &r : db.rows("select name from sqlite_master where type='table'"))
            names.insert(r[0]);
        std::set<std::string> expected;
        for (const auto &[t, _] : kTables)
            expected.insert(t);
        QVERIFY(names == expected);

        for (const auto &[table, columns] : kTables) {
            const auto info = db.rows("pragma table_info(" + table + ")");  // cid, name, type, notnull, dflt, pk
            QCOMPARE(info.size(), columns.size());
            for (size_t i = 0; i < info.size(); ++i) {
                const auto &c = info[i];
                const QString where = QString::fromStdString(table + "." + c[1]);
                QVERIFY2(c[1] == columns[i], qPrintable(where));
                QVERIFY2(c[5] == "0", qPrintable(where));  // no primary key
                if (kMoney.count(c[1])) {
                    QVERIFY2(c[2] == "INTEGER" && c[3] == "1" && c[4] == "0", qPrintable(where));
                } else if (c[1] == "pz_no") {
                    QVERIFY2(c[2] == "INTEGER" && c[3] == "0", qPrintable(where));
                } else {
                    QVERIFY2(c[2] == "TEXT" && c[4] == "<null>", qPrintable(where));
                }
            }
            // Rows keep a rowid (no WITHOUT ROWID table); no unique index, no foreign key.
            QVERIFY2(db.value("select count(rowid) from " + table) != "<none>", table.c_str());
            for (const auto &index : db.rows("pragma index_list(" + table + ")"))  // seq, name, unique, ...
                QVERIFY2(index[2] == "0", index[1].c_str());
            QVERIFY2(db.rows("pragma foreign_key_list(" + table + ")").empty(), table.c_str());
        }
        QCOMPARE(db.value("select count(*) from sqlite_master where type='trigger'"), std::string("0"));
    }

    void seedRows()
    {
        Db db(copy_);
        QVERIFY(db.ok());
        QVERIFY((db.rows("select dw_name, frdb, dw_address, yzbm, lxdh from dwmc")
                 == std::vector<Row>{{"", "", "", "", ""}}));
        QVERIFY((db.rows("select cdxm, bj, qyqj from qy order by rowid")
                 == std::vector<Row>{{"sjcsh", "", ""}, {"qykjqj", "", ""}}));
        QVERIFY((db.rows("select kjnd, kjqj from dqkjqj") == std::vector<Row>{{"", ""}}));
        QVERIFY((db.rows("select czyno, czyname, password from czy")
                 == std::vector<Row>{{"759", "系统管理员", "40617"}}));
        for (const char *t : {"kmdmk", "zzqcye", "pzk", "pzkls", "pzktemp", "pzhzk", "pzhzkls", "pzhzktemp"})
            QCOMPARE(db.value(std::string("select count(*) from ") + t), std::string("0"));
    }

    void textIgnoresCaseAndKeepsNull()
    {
        Db db(copy_);
        QVERIFY(db.ok());
        QVERIFY(db.exec("insert into kmdmk (km_no, km_zjf, km_name) values ('A1', 'XJ', '现金')"));
        QCOMPARE(db.value("select count(*) from kmdmk where km_no = 'a1' and km_zjf like '%x%'"), std::string("1"));
        QCOMPARE(db.value("select km_page is null from kmdmk"), std::string("1"));
        QVERIFY(db.exec("insert into kmdmk (km_no, km_zjf, km_name, km_page) values ('B1', 'YH', '银行', '')"));
        QCOMPARE(db.value("select count(*) from kmdmk where km_page is null"), std::string("1"));
    }

    void amountsDefaultToZeroAndVoucherNumbersSortAsNumbers()
    {
        Db db(copy_);
        QVERIFY(db.ok());
        // An opening-balance row and a voucher line of the summary: unset amounts read 0.
        QVERIFY(db.exec("insert into pzhzk (kjqj, km_no, km_name, qcje) values ('2004年05月', '1001', '现金', 50000)"));
        QVERIFY(db.exec("insert into pzhzk (kjqj, pz_no, km_no, km_name, dfje) values ('2004年05月', 1, '1001', '现金', 1235)"));
        QVERIFY((db.rows("select sum(qcje), sum(jfje), sum(dfje), sum(qcje+jfje-dfje) from pzhzk")
                 == std::vector<Row>{{"50000", "0", "1235", "48765"}}));
        QVERIFY(!db.exec("insert into pzk (pz_no, jfje) values (1, null)"));

        QVERIFY(db.exec("insert into pzk (pz_no, jfje) values (10, 100), (9, 100), (2, 100)"));
        QVERIFY((db.rows("select group_concat(pz_no) from (select pz_no from pzk order by pz_no)")
                 == std::vector<Row>{{"2,9,10"}}));
    }
};

QTEST_MAIN(tst_schema)
#include "tst_schema.moc"
