// The road to the books: binding, recordsets, transactions, money and the file itself.
#include "db/databasekey.h"
#include "db/mdlstandard.h"
#include "db/records.h"
#include "platform/money.h"
#include "platform/sqlconnection.h"
#include "testsupport.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <sqlite3.h>

#include <cstdio>

using namespace mdlStandard;
using testsupport::FailingStatements;
using testsupport::TestDb;

class tst_mdlstandard : public QObject {
    Q_OBJECT
private slots:
    void hostileTextIsBoundAsData();
    void nullStaysDistinctFromEmpty();
    void statementsRowsAndFailures();
    void addNewOnEmptySelectWritesOneRow();
    void fieldUpdateWritesOnlyTheCurrentRow();
    void unitLeavesNothingUnlessCommittedWhole();
    void unitFailsWholeWithItsCause_data();
    void unitFailsWholeWithItsCause();
    void seamsEndWithTheirScope();
    void moneyParsingAndFormatting_data();
    void moneyParsingAndFormatting();
    void storedAmounts_data();
    void storedAmounts();
    void moneySumNeverWraps();
    void missingOrForeignFileCreatesNothing();
    void stockShellNeedsTheKey();
    void failuresAreToldInChinese_data();
    void failuresAreToldInChinese();
    void failedReadsAndWritesAreNeverSuccesses();
    void booksTakenAway_data();
    void booksTakenAway();
    void failedRollbackClosesTheConnection();
    void readOnlyBooks_data();
    void readOnlyBooks();
};

void tst_mdlstandard::hostileTextIsBoundAsData()
{
    TestDb db;
    const QString hostile = QStringLiteral("a'b\"c%d_e'); drop table czy; --");
    QVERIFY(runsql("insert into czy (czyno, czyname, password) values (?, ?, ?)", {hostile, hostile, "1"}));
    auto rs = runsql("select * from czy where czyno=?", {hostile});
    QVERIFY(rs);
    QCOMPARE(rs->recordCount(), 1);
    QCOMPARE(rs->text("czyname"), hostile);
    // Typed wildcards match only themselves.
    const QString like = "select * from czy where czyno like ? escape '\\'";
    QCOMPARE(runsql(like, {"%" + likeEscaped("c%d_") + "%"})->recordCount(), 1);
    QCOMPARE(runsql(like, {likeEscaped("%")})->recordCount(), 0);
    QCOMPARE(db.count("czy"), 2);
}

void tst_mdlstandard::nullStaysDistinctFromEmpty()
{
    TestDb db;
    db.run("insert into czy (czyno, czyname, password, lxdh) values ('1', 'n', null, '')");
    auto rs = runsql("select * from czy where czyno='1'");
    QVERIFY(rs->value("password").isNull());
    QVERIFY(!rs->value("lxdh").isNull());
    QCOMPARE(rs->text("password"), QString());
    QVERIFY(rs->value("no_such_field").isNull());
}

void tst_mdlstandard::statementsRowsAndFailures()
{
    TestDb db;
    QString status;
    auto rs = runsql("select * from pzk", status);
    QVERIFY(rs && rs->isOpen() && rs->eof());
    QCOMPARE(status, QStringLiteral("检测到0条纪录"));
    rs->moveNext();
    rs->movePrevious();
    QVERIFY(rs->value("km_no").isNull());
    runsql("select * from czy  ", status);
    QCOMPARE(status, QStringLiteral("检测到1条纪录"));

    db.run("insert into pzk (pz_no, km_no) values (1, 'a'), (2, 'b')");
    rs = runsql("delete from pzk   ", status);
    QVERIFY(rs && !rs->isOpen());
    QCOMPARE(rs->rowsAffected(), 2);
    QCOMPARE(db.count("pzk"), 0);

    // A store's error holds the cause alone, and nothing after a success.
    QString error;
    QVERIFY(runsql("select * from czy", &error));
    QVERIFY(error.isEmpty());
    for (const char *bad : {"select * from no_such_table", ""}) {
        QVERIFY(!runsql(bad, status));
        QVERIFY(!runsql(bad, &error));
        QCOMPARE(status, QStringLiteral("查询错误:") + error);
        QVERIFY(!error.isEmpty());
    }
    // A value count that does not fit the statement is a failure, never a guess.
    QVERIFY(!runsql("select * from czy where czyno=?", status, {}));
    QVERIFY(!runsql("select * from czy; delete from czy", status)); // one statement to a text
    QCOMPARE(db.count("czy"), 1);
}

void tst_mdlstandard::addNewOnEmptySelectWritesOneRow()
{
    TestDb db;
    auto rs = runsql("select * from zzqcye where km_no=?", {"none"});
    QVERIFY(rs && rs->isUpdatable());
    QVERIFY(rs->addNew());
    rs->setValue("km_no", "1001");
    rs->setValue("djh", "CSH202601010001");
    QVERIFY(rs->update());
    QCOMPARE(rs->recordCount(), 1);
    QCOMPARE(rs->text("km_no"), QStringLiteral("1001"));
    // Defaults of the table show on the new row as stored.
    QCOMPARE(rs->value("qcje").toLongLong(), 0);
    QCOMPARE(db.scalar("select djh from zzqcye where km_no='1001'"), QStringLiteral("CSH202601010001"));

    // A grouped select is read-only: adding to it is refused.
    auto grouped = runsql("select km_no, sum(qcje) as s from zzqcye group by km_no");
    QVERIFY(!grouped->isUpdatable());
    QVERIFY(!grouped->addNew());
}

void tst_mdlstandard::fieldUpdateWritesOnlyTheCurrentRow()
{
    TestDb db;
    db.run("insert into kmdmk (km_no, km_zjf, km_name) values ('1', 'A', 'same'), ('1', 'A', 'same')");
    auto rs = runsql("select * from kmdmk order by km_no");
    rs->moveLast();
    QVERIFY(rs->setValue("km_name", "changed"));
    QCOMPARE(rs->text("km_name"), QStringLiteral("changed"));
    QVERIFY(rs->update());
    QCOMPARE(db.rows("select km_name from kmdmk order by km_name"), QStringList({"changed", "same"}));

    // A pending change is dropped by moving away, never written behind the caller's back.
    rs->moveFirst();
    rs->setValue("km_name", "dropped");
    rs->moveNext();
    QCOMPARE(db.rows("select km_name from kmdmk order by km_name"), QStringList({"changed", "same"}));
}

void tst_mdlstandard::unitLeavesNothingUnlessCommittedWhole()
{
    TestDb db;
    db.run("insert into pzk (pz_no, km_no) values (1, 'a')");
    db.run("insert into pzkls (pz_no, km_no) values (1, 'a')");
    {
        testsupport::FailingStatements failing([](const QString &sql) { return sql.contains("pzkls"); });
        Transaction work;
        QVERIFY(work.isActive());
        QVERIFY(runsql("delete from pzk"));
        QVERIFY(!runsql("delete from pzkls"));
        // Leaving the scope without commit undoes the first delete.
    }
    QCOMPARE(QList<int>({db.count("pzk"), db.count("pzkls")}), QList<int>({1, 1}));

    // An inner unit left without its commit dooms the outer one.
    Transaction outer;
    QVERIFY(runsql("delete from czy"));
    {
        Transaction inner;
        QVERIFY(runsql("delete from dwmc"));
    }
    QVERIFY(!outer.commit() && !outer.error().isEmpty());
    QCOMPARE(QList<int>({db.count("czy"), db.count("dwmc")}), QList<int>({1, 1}));
}

void tst_mdlstandard::unitFailsWholeWithItsCause_data()
{
    QTest::addColumn<QString>("field");   // the one a change assigns
    QTest::addColumn<QString>("failing"); // statements that fail as if the books were locked
    QTest::addColumn<QString>("told");
    QTest::newRow("a field cannot be assigned") << "no_such_field"
                                                << ""
                                                << "数据项“no_such_field”无法写入";
    QTest::newRow("the unit cannot begin") << "dw_name"
                                           << "BEGIN" << mdlStandard::kBooksBusy;
}

// Whatever failed, the unit's commit says why and none of its writes is saved, though
// its caller went on with them.
void tst_mdlstandard::unitFailsWholeWithItsCause()
{
    QFETCH(QString, field);
    QFETCH(QString, failing);
    TestDb db;
    const QStringList before = db.rows("select (select count(*) from czy), dw_name from dwmc");
    FailingStatements locked([failing](const QString &sql) {
        return !failing.isEmpty() && sql.startsWith(failing) ? SQLITE_BUSY : SQLITE_OK;
    });
    Transaction work;
    runsql("delete from czy");
    QString error;
    if (const auto company = runsql("select * from dwmc"))
        records::writeFields(company, {{field, "改"}}, &error);
    QVERIFY(!work.commit());
    QTEST(work.error(), "told");
    QCOMPARE(db.rows("select (select count(*) from czy), dw_name from dwmc"), before);
}

// A seam set inside another gives the outer one back when it ends, and the last one
// leaves the books as the test found them.
void tst_mdlstandard::seamsEndWithTheirScope()
{
    TestDb db;
    QTemporaryDir dir;
    {
        testsupport::FailingStatements outer(testsupport::statementsOn("czy"));
        {
            testsupport::FailingStatements inner(testsupport::statementsOn("dwmc"));
            testsupport::BooksAt elsewhere(dir.filePath("kelopz.mdb"));
            QVERIFY(!runsql("select * from kmdmk"));
        }
        QCOMPARE(databasePath(), db.path());
        QVERIFY(runsql("select * from dwmc"));
        QVERIFY(!runsql("select * from czy"));
    }
    QVERIFY(runsql("select * from czy"));
}

void tst_mdlstandard::moneyParsingAndFormatting_data()
{
    // Grouped digits are the reports' own form, tested with them.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // empty: not an amount
    auto row = [](const char *tag, const QString &typed, const QString &shown) {
        QTest::newRow(tag) << typed << shown;
    };
    row("plain", "1234.5", "1234.50");
    row("zero", "0", "0.00");
    row("half up", "12.345", "12.35");
    row("half away from zero", "-12.345", "-12.35");
    row("below half", "0.004", "0.00");
    row("carry", "9.995", "10.00");
    row("blanks and sign", "  +7 ", "7.00");
    row("leading point", ".5", "0.50");
    row("trailing point", "5.", "5.00");
    row("grouping comma", "1,000", "");
    row("exponent", "2E3", "");
    row("two points", "1.2.3", "");
    row("empty", "", "");
    row("sign only", "-", "");
    row("inner blank", "1 000", "");
    row("full-width digits", "１２", "");
    row("too large", "99999999999999", "");
    row("too large once rounded", "9999999999999.995", "");
    row("too large once rounded, negative", "-9999999999999.995", "");
    row("largest", "-09999999999999.994", "-9999999999999.99");
}

void tst_mdlstandard::moneyParsingAndFormatting()
{
    QFETCH(QString, typed);
    const auto money = Money::parse(typed);
    QTEST(money ? money->toString() : QString(), "shown");
}

void tst_mdlstandard::storedAmounts_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("shown"); // empty: no amount
    QTest::newRow("cents") << QVariant(qint64(-12345)) << "-123.45";
    QTest::newRow("null") << QVariant() << "0.00";
    QTest::newRow("blank text") << QVariant(QStringLiteral(" ")) << "0.00";
    QTest::newRow("integer text") << QVariant(QStringLiteral(" 125 ")) << "1.25";
    QTest::newRow("whole double") << QVariant(125.0) << "1.25";
    QTest::newRow("double past 2^53, no longer exact") << QVariant(9007199254740994.0) << "";
    QTest::newRow("fraction of a cent") << QVariant(1.5) << "";
    QTest::newRow("decimal text") << QVariant(QStringLiteral("1.25")) << "";
    QTest::newRow("word") << QVariant(QStringLiteral("作废")) << "";
    QTest::newRow("beyond cents") << QVariant(quint64(1) << 63) << "";
}

// An amount that cannot be read is never taken for 0.
void tst_mdlstandard::storedAmounts()
{
    QFETCH(QVariant, stored);
    const auto amount = Money::fromField(stored);
    QTEST(amount ? amount->toString() : QString(), "shown");
}

void tst_mdlstandard::moneySumNeverWraps()
{
    const Money most = Money::fromCents(std::numeric_limits<qint64>::max());
    const Money least = Money::fromCents(std::numeric_limits<qint64>::min());
    QVERIFY(!most.checkedAdd(Money::fromCents(1)));
    QVERIFY(!least.checkedAdd(Money::fromCents(-1)));
    QCOMPARE(most.checkedAdd(least), Money::fromCents(-1));
}

void tst_mdlstandard::missingOrForeignFileCreatesNothing()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("kelopz.mdb");
    testsupport::BooksAt books(missing);
    QString status;
    QVERIFY(!runsql("select * from czy", status));
    QCOMPARE(status, "查询错误:找不到账簿文件 " + missing + "。请确认该文件在原处后重试。");
    QVERIFY(!QFile::exists(missing));
    {
        Transaction work;
        QVERIFY(!work.isActive());
    }

    const QString foreign = dir.filePath("foreign.mdb");
    QFile f(foreign);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    books.moveTo(foreign);
    QVERIFY(!runsql("select * from czy", status));
    QCOMPARE(status, "查询错误:该文件不是本系统的账簿文件，或账簿密码不符，无法打开。请确认使用的是本系统的账簿文件。");
}

void tst_mdlstandard::stockShellNeedsTheKey()
{
    const QString shell = QStandardPaths::findExecutable("sqlcipher");
    if (shell.isEmpty())
        QSKIP("the sqlcipher shell is not installed");
    TestDb db;
    closeDatabase();
    auto ask = [&](const QByteArray &script) {
        QProcess p;
        p.start(shell, {db.path()});
        p.write(script);
        p.closeWriteChannel();
        p.waitForFinished();
        return p.readAllStandardOutput() + p.readAllStandardError();
    };
    QVERIFY(ask(QByteArray("PRAGMA key='") + mdlStandard::kDatabasePassword + "';\nselect czyno from czy;\n")
                .contains("759"));
    const QByteArray without = ask("select czyno from czy;\n");
    QVERIFY(!without.contains("759"));
    QVERIFY(without.contains("not a database"));
}

void tst_mdlstandard::failuresAreToldInChinese_data()
{
    QTest::addColumn<int>("injected"); // the engine's result; 0: the fault is real
    QTest::addColumn<QString>("told");
    QTest::newRow("locked") << SQLITE_BUSY << mdlStandard::kBooksBusy;
    QTest::newRow("table locked") << SQLITE_LOCKED << mdlStandard::kBooksBusy;
    QTest::newRow("disk full") << SQLITE_FULL << "磁盘空间已满，无法写入账簿，本次修改未保存。请清理磁盘空间后重试。";
    QTest::newRow("damaged") << SQLITE_CORRUPT << "账簿文件已损坏，无法读取。请用最近备份的账簿文件替换它后重试。";
    QTest::newRow("disk error") << SQLITE_IOERR_READ
                                << "读写账簿文件时发生磁盘错误。请检查存放账簿的磁盘或设备是否正常连接后重试。";
    QTest::newRow("moved") << SQLITE_READONLY_DBMOVED << mdlStandard::kBooksMoved;
    QTest::newRow("refused by a rule")
        << SQLITE_CONSTRAINT_TRIGGER
        << "账簿拒绝了这项修改（数据不符合账簿的规则），本次修改未保存。请检查输入的内容后重试。";
    QTest::newRow("anything else") << SQLITE_ERROR << "账簿操作未能完成。请重试；如仍不成功，请与技术支持联系。";
    QTest::newRow("total too large")
        << 0 << "金额合计过大，超出了本系统能够计算的范围。请检查是否有金额录入过大的凭证或期初余额，更正后重试。";
}

// The engine's English goes to standard error only; the user reads what happened and
// what to do, from a statement and from a unit of work alike.
void tst_mdlstandard::failuresAreToldInChinese()
{
    QFETCH(int, injected);
    QFETCH(QString, told);
    TestDb db;
    // Two amounts whose sum passes what integer cents hold.
    db.run("insert into pzk (pz_no, jfje) values (1, 9000000000000000000), (2, 9000000000000000000)");
    FailingStatements failing([injected](const QString &sql) { return sql.contains("sum(") ? injected : 0; });
    QString status;
    QVERIFY(!runsql("select sum(jfje) from pzk", status));
    QCOMPARE(status, "查询错误:" + told);
    // Inside a unit of work the failure fails the unit, though its caller went on.
    Transaction work;
    QVERIFY(runsql("delete from czy"));
    runsql("select sum(jfje) from pzk", status);
    QVERIFY(!work.commit());
    QCOMPARE(work.error(), told);
    QCOMPARE(db.count("czy"), 1);
    // A unit whose BEGIN itself failed is no success either.
    FailingStatements everything([injected](const QString &) { return injected; });
    Transaction unbegun;
    runsql("select sum(jfje) from pzk", status);
    QVERIFY(!unbegun.commit());
    QCOMPARE(unbegun.error(), told);
}

void tst_mdlstandard::failedReadsAndWritesAreNeverSuccesses()
{
    TestDb db;
    QString error;
    {
        // The read that carries each row's identity fails: the rows are not handed out
        // read-only instead, which would make every later write "succeed" by doing nothing.
        FailingStatements failing([](const QString &sql) { return sql.contains("_rowid_"); });
        QVERIFY(!runsql("select * from czy"));
    }
    // A read of no table of its own is read as it stands.
    QCOMPARE(runsql("select 1 as one")->value(0).toInt(), 1);

    // Nothing pending, a field that cannot be assigned, or a row gone meanwhile is no
    // saved change.
    auto rs = runsql("select * from czy");
    QVERIFY(!rs->update(&error) && !error.isEmpty());
    QVERIFY(!records::writeFields(rs, {{"czyname", "x"}, {"no_such_field", 1}}, &error));
    QCOMPARE(error, QStringLiteral("数据项“no_such_field”无法写入"));
    QCOMPARE(db.scalar("select czyname from czy"), QStringLiteral("系统管理员"));
    db.run("delete from czy");
    rs->setValue("czyname", "x");
    error.clear();
    QVERIFY(!rs->update(&error) && !error.isEmpty());
    QCOMPARE(db.count("czy"), 0);
}

void tst_mdlstandard::booksTakenAway_data()
{
    QTest::addColumn<bool>("replaced"); // by another copy moved over it; otherwise removed
    QTest::addColumn<QString>("when");
    for (const char *when : {"while idle", "during a unit", "during a unit's commit", "during a statement's commit",
                             "during a row change's commit"}) {
        QTest::addRow("removed %s", when) << false << QString(when);
        QTest::addRow("replaced %s", when) << true << QString(when);
    }
}

// The path is what counts, never the file once opened: a unit whose file was taken away
// is undone and told, work whose file went while it was being committed went into a file
// that is no longer the books and is never told saved, and the next unit works on the
// file now at the path, or tells that there is none.
void tst_mdlstandard::booksTakenAway()
{
    QFETCH(bool, replaced);
    QFETCH(QString, when);
    TestDb db;
    const QString copy = db.path() + ".copy";
    db.run("update dwmc set dw_name='副本'");
    QVERIFY(QFile::copy(db.path(), copy));
    db.run("update dwmc set dw_name='原件'");
    std::function<bool()> takeAway = [&] {
        return replaced ? std::rename(qPrintable(copy), qPrintable(db.path())) == 0 : QFile::remove(db.path());
    };
    if (when == "while idle") {
        QVERIFY(takeAway());
    } else if (when == "during a unit") {
        Transaction work;
        QVERIFY(runsql("update dwmc set dw_name='改'"));
        QVERIFY(takeAway());
        QVERIFY(!work.commit());
        QCOMPARE(work.error(), mdlStandard::kBooksMoved);
    } else {
        // The engine calls this as a commit starts, after every check of ours before it.
        sqlite3_commit_hook(
            runsql("select 1 as one")->connection()->handle(),
            [](void *act) {
                if (auto once = std::exchange(*static_cast<std::function<bool()> *>(act), nullptr))
                    once();
                return 0;
            },
            &takeAway);
        QString error;
        if (when.contains("unit")) {
            Transaction work;
            QVERIFY(runsql("update dwmc set dw_name='改'"));
            QVERIFY(!work.commit());
            error = work.error();
        } else if (when.contains("statement")) {
            QVERIFY(!runsql("update dwmc set dw_name='改'", &error));
        } else {
            QVERIFY(!records::writeFields(runsql("select * from dwmc"), {{"dw_name", "改"}}, &error));
        }
        QCOMPARE(error, movedWhileSaving(db.path()));
    }
    QString status;
    const auto rs = runsql("select dw_name from dwmc", status);
    QCOMPARE(rs ? rs->text("dw_name") : status,
             replaced ? "副本" : "查询错误:找不到账簿文件 " + db.path() + "。请确认该文件在原处后重试。");
    QCOMPARE(QFile::exists(db.path()), replaced);
    if (replaced) { // and written, not refused as a read-only file
        QVERIFY(runsql("update dwmc set dw_name='新'"));
        closeDatabase();
        QCOMPARE(db.scalar("select dw_name from dwmc"), QStringLiteral("新"));
    }
}

void tst_mdlstandard::failedRollbackClosesTheConnection()
{
    TestDb db;
    {
        FailingStatements failing([](const QString &sql) { return sql == "COMMIT" || sql == "ROLLBACK"; });
        Transaction work;
        QVERIFY(runsql("delete from czy"));
        QVERIFY(!work.commit());
    }
    // The next unit starts clean, and a plain write is in the file, not in a transaction
    // that would vanish when the connection ends.
    Transaction work;
    QVERIFY(runsql("insert into pzk (pz_no) values (7)"));
    QVERIFY(work.commit());
    QVERIFY(runsql("update pzk set km_no='a'"));
    closeDatabase();
    QCOMPARE(db.rows("select pz_no, km_no, (select count(*) from czy) from pzk"), QStringList{"7|a|1"});
}

void tst_mdlstandard::readOnlyBooks_data()
{
    QTest::addColumn<bool>("folder"); // the folder is read-only; otherwise the file
    QTest::addColumn<QString>("told");
    QTest::newRow("file read-only")
        << false
        << "账簿文件是只读的，无法写入，本次修改未保存。请取消该文件的只读属性（或请管理员开放写入"
           "权限）后重试。";
    QTest::newRow("folder read-only")
        << true
        << "账簿文件所在的文件夹不允许写入，本次修改未保存。请为该文件夹开放写入权限（或将账簿移"
           "到可写的文件夹）后重试。";
}

// Read-only books are read, a write says why it cannot be made, and once the rights are
// back the next write is made without a restart.
void tst_mdlstandard::readOnlyBooks()
{
    using Over = testsupport::WithoutWriteRights::Over;
    QFETCH(bool, folder);
    TestDb db;
    QString status;
    {
        closeDatabase(); // the next statement opens the file as it then is
        testsupport::WithoutWriteRights rights(db.path(), folder ? Over::Folder : Over::File);
        QCOMPARE(db.scalar("select czyno from czy"), QStringLiteral("759"));
        QVERIFY(!runsql("delete from czy", status));
        QTEST(status.remove(0, 5), "told");
    }
    QVERIFY(runsql("delete from czy", status));
    QCOMPARE(db.count("czy"), 0);
}

QTEST_MAIN(tst_mdlstandard)
#include "tst_mdlstandard.moc"
