// The road to the books: binding, recordsets, transactions, money and the file itself.
#include "db/databasekey.h"
#include "db/mdlstandard.h"
#include "platform/money.h"
#include "platform/sqlconnection.h"
#include "testsupport.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace mdlStandard;
using testsupport::TestDb;

class tst_mdlstandard : public QObject {
    Q_OBJECT
private slots:
    void hostileTextIsBoundAsData();
    void nullStaysDistinctFromEmpty();
    void emptySelectAndStatus();
    void statementsWithoutRowsAndFailures();
    void addNewOnEmptySelectWritesOneRow();
    void fieldUpdateWritesOnlyTheCurrentRow();
    void updateOfVanishedRowIsReported();
    void transactionLeavesNothingAfterInjectedFailure();
    void innerScopeFailureDoomsTheOuterUnit();
    void seamsEndWithTheirScope();
    void moneySumsAreExact();
    void moneyParsingAndFormatting_data();
    void moneyParsingAndFormatting();
    void storedAmounts_data();
    void storedAmounts();
    void moneySumNeverWraps();
    void missingOrForeignFileCreatesNothing();
    void stockShellNeedsTheKey();
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

void tst_mdlstandard::emptySelectAndStatus()
{
    TestDb db;
    QString status;
    auto rs = runsql("select * from pzk", status);
    QVERIFY(rs && rs->isOpen());
    QCOMPARE(rs->recordCount(), 0);
    QVERIFY(rs->eof());
    QCOMPARE(status, QStringLiteral("检测到0条纪录"));
    rs->moveNext();
    rs->movePrevious();
    QVERIFY(rs->value("km_no").isNull());

    runsql("select * from czy  ", status);
    QCOMPARE(status, QStringLiteral("检测到1条纪录"));
}

void tst_mdlstandard::statementsWithoutRowsAndFailures()
{
    TestDb db;
    db.run("insert into pzk (pz_no, km_no) values (1, 'a'), (2, 'b')");
    QString status;
    auto rs = runsql("delete from pzk   ", status);
    QVERIFY(rs && !rs->isOpen());
    QCOMPARE(rs->rowsAffected(), 2);
    QCOMPARE(db.count("pzk"), 0);

    for (const char *bad : {"select * from no_such_table", ""}) {
        QVERIFY(!runsql(bad, status));
        QVERIFY(status.startsWith(QStringLiteral("查询错误:")));
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

void tst_mdlstandard::updateOfVanishedRowIsReported()
{
    TestDb db;
    auto rs = runsql("select * from czy where czyno='759'");
    db.run("delete from czy");
    rs->setValue("czyname", "x");
    QString error;
    QVERIFY(!rs->update(&error) && !error.isEmpty());
    QCOMPARE(db.count("czy"), 0);
}

void tst_mdlstandard::transactionLeavesNothingAfterInjectedFailure()
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

    {
        Transaction work;
        QVERIFY(runsql("delete from pzk"));
        QVERIFY(work.commit());
    }
    QCOMPARE(db.count("pzk"), 0);
}

void tst_mdlstandard::innerScopeFailureDoomsTheOuterUnit()
{
    TestDb db;
    Transaction outer;
    QVERIFY(runsql("delete from czy"));
    {
        Transaction inner;
        QVERIFY(runsql("delete from dwmc"));
    }
    QVERIFY(!outer.commit() && !outer.error().isEmpty());
    QCOMPARE(QList<int>({db.count("czy"), db.count("dwmc")}), QList<int>({1, 1}));
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

void tst_mdlstandard::moneySumsAreExact()
{
    TestDb db;
    for (const char *debit : {"0.10", "0.20"})
        QVERIFY(runsql("insert into pzk (pz_no, jfje, dfje) values (1, ?, 0)", {Money::parse(debit)->cents()}));
    QVERIFY(runsql("insert into pzk (pz_no, jfje, dfje) values (1, 0, ?)", {Money::parse(u"0.30")->cents()}));
    auto rs = runsql("select sum(jfje) as jfhj, sum(dfje) as dfhj from pzk");
    QCOMPARE(testsupport::amountText(rs->value("jfhj")), QStringLiteral("0.30"));
    QCOMPARE(rs->value("jfhj"), rs->value("dfhj"));
}

void tst_mdlstandard::moneyParsingAndFormatting_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("isAmount");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("grouped");
    QTest::newRow("plain") << "1234.5" << true << "1234.50"
                           << "1,234.50";
    QTest::newRow("zero") << "0" << true << "0.00"
                          << "0.00";
    QTest::newRow("half up") << "12.345" << true << "12.35"
                             << "12.35";
    QTest::newRow("half away from zero") << "-12.345" << true << "-12.35"
                                         << "-12.35";
    QTest::newRow("below half") << "0.004" << true << "0.00"
                                << "0.00";
    QTest::newRow("carry") << "9.995" << true << "10.00"
                           << "10.00";
    QTest::newRow("blanks and sign") << "  +7 " << true << "7.00"
                                     << "7.00";
    QTest::newRow("leading point") << ".5" << true << "0.50"
                                   << "0.50";
    QTest::newRow("trailing point") << "5." << true << "5.00"
                                    << "5.00";
    QTest::newRow("millions") << "-1234567.8" << true << "-1234567.80"
                              << "-1,234,567.80";
    QTest::newRow("grouping comma") << "1,000" << false << ""
                                    << "";
    QTest::newRow("exponent") << "2E3" << false << ""
                              << "";
    QTest::newRow("two points") << "1.2.3" << false << ""
                                << "";
    QTest::newRow("empty") << "" << false << ""
                           << "";
    QTest::newRow("sign only") << "-" << false << ""
                               << "";
    QTest::newRow("inner blank") << "1 000" << false << ""
                                 << "";
    QTest::newRow("full-width digits") << "１２" << false << ""
                                       << "";
    QTest::newRow("too large") << "99999999999999" << false << ""
                               << "";
}

void tst_mdlstandard::moneyParsingAndFormatting()
{
    QFETCH(QString, typed);
    QFETCH(bool, isAmount);
    const auto money = Money::parse(typed);
    QCOMPARE(money.has_value(), isAmount);
    if (money) {
        QTEST(money->toString(), "shown");
        QTEST(money->toGroupedString(), "grouped");
    }
}

void tst_mdlstandard::storedAmounts_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("shown");
    const QString none = QStringLiteral("<no amount: %1>");
    QTest::newRow("cents") << QVariant(qint64(-12345)) << "-123.45";
    QTest::newRow("null") << QVariant() << "0.00";
    QTest::newRow("blank text") << QVariant(QStringLiteral(" ")) << "0.00";
    QTest::newRow("integer text") << QVariant(QStringLiteral(" 125 ")) << "1.25";
    QTest::newRow("whole double") << QVariant(125.0) << "1.25";
    QTest::newRow("fraction of a cent") << QVariant(1.5) << none.arg("1.5");
    QTest::newRow("decimal text") << QVariant(QStringLiteral("1.25")) << none.arg("1.25");
    QTest::newRow("word") << QVariant(QStringLiteral("作废")) << none.arg(QStringLiteral("作废"));
    QTest::newRow("beyond cents") << QVariant(quint64(1) << 63) << none.arg("9223372036854775808");
}

// An amount that cannot be read is never taken for 0.
void tst_mdlstandard::storedAmounts()
{
    QFETCH(QVariant, stored);
    QTEST(testsupport::amountText(stored), "shown");
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
    QVERIFY(status.startsWith(QStringLiteral("查询错误:")));
    QVERIFY(!QFile::exists(missing));
    Transaction work;
    QVERIFY(!work.isActive());

    const QString foreign = dir.filePath("foreign.mdb");
    QFile f(foreign);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    books.moveTo(foreign);
    QVERIFY(!runsql("select * from czy", status));
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
    QVERIFY(
        ask(QByteArray("PRAGMA key='") + books::kDatabasePassword + "';\nselect czyno from czy;\n").contains("759"));
    const QByteArray without = ask("select czyno from czy;\n");
    QVERIFY(!without.contains("759"));
    QVERIFY(without.contains("not a database"));
}

QTEST_MAIN(tst_mdlstandard)
#include "tst_mdlstandard.moc"
