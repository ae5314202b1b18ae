// Month end without windows: the balance rule, the summary, the period status, the
// closing and the history it leaves.
#include "closing/periodclose.h"
#include "closing/summary.h"
#include "closing/vouchertotals.h"
#include "db/period.h"
#include "monthendbooks.h"
#include "platform/lockwait.h"
#include "testsupport.h"

#include <QtTest>

using namespace testsupport;

namespace {
// Each of the period's rows in one table as "code:cents", in code order.
QString balancesOf(TestDb &db, const QString &table, const QString &column, const QString &period)
{
    return db.scalar("select group_concat(km_no || ':' || " + column + ", ' ') from (select km_no, " + column +
                         " from " + table + " where kjqj=? order by km_no)",
                     {period});
}

std::optional<closing::GateVerdict> gate()
{
    QString error;
    return closing::testBeforeClosing(&error);
}

std::optional<closing::ClosingOutcome> closeMonth()
{
    QString error;
    auto outcome = closing::closePeriod(&error);
    if (!outcome)
        qWarning("closing failed: %s", qPrintable(error));
    return outcome;
}

// The named fields of every row, joined by "|".
QStringList rowsOf(RecordsetPtr rs, const QStringList &fields)
{
    QStringList rows;
    for (; rs && !rs->eof(); rs->moveNext()) {
        QStringList row;
        for (const QString &f : fields)
            row << rs->text(f);
        rows << row.join('|');
    }
    return rows;
}

using Lines = QList<QList<qint64>>; // voucher, debit, credit
} // namespace

Q_DECLARE_METATYPE(closing::GateVerdict)

class tst_monthend : public QObject {
    Q_OBJECT
private slots:
    void periodTexts();
    void balanceRule_data();
    void balanceRule();
    void summaryByAccount();
    void closingIsWholeOrNothing_data();
    void closingIsWholeOrNothing();
    void closingsChain(); // forced closing of an empty month included
    void closingRefusedUntouched_data();
    void closingRefusedUntouched();
    void balancesExactOrRefused_data();
    void balancesExactOrRefused();
    void lockedBooksWaitOncePerAction_data();
    void lockedBooksWaitOncePerAction();
};

void tst_monthend::periodTexts()
{
    QStringList next;
    for (const char *period : {"2004年01月", "2004年09月", "2004年11月", "2004年12月"}) {
        const Period p = Period::parse(QString::fromUtf8(period))->next();
        next << p.text() + ' ' + p.bareYearText();
    }
    QCOMPARE(next.join(','), "2004年02月 2004,2004年10月 2004,2004年12月 2004,2005年01月 2005");
    // No other form is a period.
    for (const QString &text : {QStringLiteral("2004年5月"), QStringLiteral("2004年13月"), QString()})
        QVERIFY2(!Period::parse(text), qPrintable(text));
}

void tst_monthend::balanceRule_data()
{
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<closing::GateVerdict>("verdict");
    QTest::addColumn<int>("vouchers");
    QTest::addColumn<int>("unbalanced");
    using V = closing::GateVerdict;
    QTest::newRow("no lines") << Lines{} << V::NoLines << 0 << 0;
    QTest::newRow("0.10 + 0.20 against 0.30") << Lines{{1, 10, 0}, {1, 20, 0}, {1, 0, 30}} << V::Balanced << 1 << 0;
    QTest::newRow("one cent off") << Lines{{1, 1000, 0}, {1, 0, 999}} << V::Unbalanced << 1 << 1;
    QTest::newRow("credit only") << Lines{{1, 0, 500}} << V::Unbalanced << 1 << 1;
    QTest::newRow("both totals zero") << Lines{{1, 500, 0}, {1, -500, 0}} << V::Balanced << 1 << 0;
    QTest::newRow("one of three, lines saved apart")
        << Lines{{1, 100, 0}, {2, 700, 0}, {1, 0, 100}, {3, 5, 0}, {2, 0, 700}, {3, 0, 4}} << V::Unbalanced << 3 << 1;
}

void tst_monthend::balanceRule()
{
    QFETCH(Lines, lines);
    QFETCH(int, vouchers);
    QFETCH(int, unbalanced);
    TestDb db;
    startMonth(db);
    db.run("insert into pzktemp (pz_no) values (99)"); // a stale row of an earlier test
    for (const auto &l : lines)
        addLine(db, int(l[0]), "1001", l[1], l[2]);

    const auto verdict = gate();
    QVERIFY(verdict);
    QTEST(*verdict, "verdict");
    // The gate keeps every voucher's totals; the status keeps only the failing ones.
    QCOMPARE(db.count("pzktemp"), verdict == closing::GateVerdict::NoLines ? 1 : vouchers);
    QString error;
    const auto status = closing::readPeriodStatus(&error);
    QVERIFY2(status, qPrintable(error));
    QCOMPARE(QStringLiteral("%1 %2 %3").arg(status->period).arg(status->vouchers).arg(status->unbalanced),
             QStringLiteral("%1 %2 %3").arg(kMarch).arg(vouchers).arg(unbalanced));
    QCOMPARE(db.count("pzktemp"), unbalanced);

    // A failed refill leaves pzktemp as it was, and a failed read is never a verdict.
    const QStringList before = snapshot(db);
    {
        FailingStatements fail([](const QString &sql) { return sql.startsWith("INSERT INTO pzktemp"); });
        QVERIFY(!closing::readPeriodStatus(&error));
        QCOMPARE(gate().has_value(), lines.isEmpty());
    }
    QCOMPARE(snapshot(db), before);
    FailingStatements fail([](const QString &sql) { return sql.contains("EXISTS"); });
    QVERIFY(!gate());
}

void tst_monthend::summaryByAccount()
{
    TestDb db;
    startMonth(db);
    db.run("insert into pzhzk (km_no, qcje) values ('9999', 1)"); // left by an earlier rebuild
    addOpening(db, "1001", 10000);
    addOpening(db, "1002", -2500);
    addOpening(db, "1003", 777, kApril); // another period's balance is not this month's
    addLine(db, 1, "1001", 10, 0);
    addLine(db, 1, "1001", 20, 0);
    addLine(db, 1, "1004", 0, 30, QStringLiteral("2026年02月")); // summed whatever its period
    db.run("insert into pzk (pz_no, km_no, km_zjf, km_name, kjqj, jfje) values (2, '1001', 'OTHER', '科目1001', ?, 5)",
           {kMarch});
    db.run("insert into pzk (pz_no, km_no, km_zjf, km_name, kjqj, dfje) values (2, '1001', 'ZJ1001', '新名', ?, 5)",
           {kMarch});

    QString error;
    QVERIFY2(closing::rebuildSummary(kMarch, &error), qPrintable(error));
    QCOMPARE(db.count("pzhzk"), 2 + 5);
    const QStringList fields = {"km_no", "km_name", "qchj", "jfhj", "dfhj", "qmhj"};
    QStringList rows = rowsOf(closing::summaryRows(kMarch, &error), fields);
    rows.sort();
    // Initials do not split a group, a changed name does; a credit balance is negative.
    QCOMPARE(rows, QStringList({"1001|新名|0|0|5|-5", "1001|科目1001|10000|35|0|10035", "1002|科目1002|-2500|0|0|-2500",
                                "1004|科目1004|0|0|30|-30"}));
    // The list sums the books directly; it must agree with the working rows just rebuilt.
    QCOMPARE(rowsOf(db.run("SELECT km_no, km_name, sum(qcje) AS qchj, sum(jfje) AS jfhj, sum(dfje) AS dfhj, "
                           "sum(qcje+jfje-dfje) AS qmhj FROM pzhzk GROUP BY km_no, km_name ORDER BY 1, 2"),
                    fields),
             rows);

    // A failed rebuild leaves the last one standing.
    const QStringList before = snapshot(db);
    FailingStatements fail([](const QString &sql) { return sql.startsWith("INSERT INTO pzhzk"); });
    QVERIFY(!closing::rebuildSummary(kMarch, &error));
    QCOMPARE(snapshot(db), before);
}

void tst_monthend::closingIsWholeOrNothing_data()
{
    QTest::addColumn<QString>("failing"); // a step that fails first; the closing is then retried
    QTest::newRow("no failure") << QString();
    for (const char *step : {"kjqj from dqkjqj", "INSERT INTO pzkls", "INSERT INTO pzhzk ", "INSERT INTO pzhzkls",
                             "UPDATE dqkjqj", "INSERT INTO zzqcye", "DELETE FROM pzk", "DELETE FROM pzhzk", "COMMIT"})
        QTest::newRow(step) << QString::fromLatin1(step);
}

void tst_monthend::closingIsWholeOrNothing()
{
    QFETCH(QString, failing);
    TestDb db;
    startMonth(db);
    db.run("insert into kmdmk (km_no, km_zjf, km_name) values ('1009', 'ZJ1009', '科目1009')"); // never used
    addOpening(db, "1001", 50000);                                                              // opening and lines
    addOpening(db, "1002", -20000);                                                             // opening only
    addOpening(db, "1003", 1000);                                                               // closes at zero
    addOpening(db, "1001", 999, "2026年02月"); // an earlier period's stays where it is
    addLine(db, 1, "1001", 12345, 0);
    addLine(db, 1, "1004", 0, 12345); // lines only
    addLine(db, 2, "1004", 1000, 0);
    addLine(db, 2, "1003", 0, 1000);
    addLine(db, 3, "1001", 50, 0, "2026年02月"); // a late line of February
    addLine(db, 3, "1004", 0, 50, "2026年02月");
    db.run("insert into pzhzk (km_no, qcje) values ('9999', 1)");
    QVERIFY(gate() == closing::GateVerdict::Balanced);
    const int gateRows = db.count("pzktemp");
    if (!failing.isEmpty()) {
        const QStringList before = snapshot(db);
        {
            FailingStatements fail([&](const QString &sql) { return sql.contains(failing); });
            QString error;
            QVERIFY(!closing::closePeriod(&error));
            QVERIFY(!error.isEmpty());
        }
        QCOMPARE(snapshot(db), before);
    }

    const auto outcome = closeMonth();
    QVERIFY(outcome);
    QCOMPARE(outcome->closed.text() + outcome->next.text(), kMarch + kApril);
    QCOMPARE(db.scalar("select kjqj || '/' || kjnd from dqkjqj"), kApril + "/2026");
    QCOMPARE(QList<int>({db.count("pzk"), db.count("pzhzk"), db.count("pzktemp"), db.count("pzkls")}),
             QList<int>({0, 0, gateRows, 6}));
    QCOMPARE(db.scalar("select count(*) from pzkls where bz='已结转' and kjqj=? and jfje+dfje>0", {kMarch}), "4");
    QCOMPARE(db.scalar("select count(*) from pzhzkls where bz is not '已结转'"), "0");

    // One history row per account and period of the lines.
    QCOMPARE(balancesOf(db, "pzhzkls", "qmje", kMarch), "1001:62345 1002:-20000 1003:0 1004:-11345");
    QCOMPARE(balancesOf(db, "pzhzkls", "qmje", "2026年02月"), "1001:50 1004:-50");
    QCOMPARE(db.scalar("select qcje || ' ' || jfje || ' ' || dfje from pzhzkls where km_no='1002'"), "-20000 0 0");

    // Next month opens with every account's balance, February's late lines included.
    QCOMPARE(balancesOf(db, "zzqcye", "qcje", kApril), "1001:62395 1002:-20000 1003:0 1004:-11395");
    QCOMPARE(db.scalar("select count(*) from zzqcye where kjqj=? and coalesce(djh, rq, kjnd) is null", {kApril}), "4");
    QCOMPARE(db.count("zzqcye"), 4 + 4);
}

void tst_monthend::closingsChain()
{
    TestDb db;
    startMonth(db);
    // History holding the largest row number there is: new rows then land anywhere.
    db.run("insert into pzhzkls (rowid, km_no, kjqj, qmje, bz) values (9223372036854775807, '1001', '2025年12月', 7, "
           "'已结转')");
    addOpening(db, "1001", 1000);
    addLine(db, 1, "1001", 200, 0);
    addLine(db, 1, "1002", 0, 200);
    QVERIFY(closeMonth());
    addLine(db, 1, "1001", 0, 1200, kApril);
    addLine(db, 1, "1002", 1200, 0, kApril);
    QVERIFY(closeMonth());
    // May, nothing entered: a forced closing carries the balances over unchanged.
    QVERIFY(gate() == closing::GateVerdict::NoLines);
    QVERIFY(closeMonth());
    QCOMPARE(db.scalar("select group_concat(km_no || ':' || qcje || ':' || jfje || ':' || dfje || ':' || qmje) "
                       "from (select * from pzhzkls where kjqj='2026年05月' order by km_no)"),
             "1001:0:0:0:0,1002:1000:0:0:1000");
    QCOMPARE(balancesOf(db, "zzqcye", "qcje", "2026年06月"), "1001:0 1002:1000");
}

void tst_monthend::closingRefusedUntouched_data()
{
    QTest::addColumn<QStringList>("otherProgram"); // what another program holds meanwhile
    QTest::addColumn<qint64>("amount");            // of each of three vouchers on the same two accounts
    QTest::addColumn<QString>("told");
    const QString tooLarge =
        "金额合计过大，超出了本系统能够计算的范围。请检查是否有金额录入过大的凭证或期初余额，更正后重试。";
    QTest::newRow("another program reading")
        << QStringList{"BEGIN", "SELECT count(*) FROM pzk"} << 100LL << mdlStandard::kBooksBusy;
    QTest::newRow("another program writing") << QStringList{"BEGIN IMMEDIATE"} << 100LL << mdlStandard::kBooksBusy;
    QTest::newRow("totals past integer cents") << QStringList{} << 4'000'000'000'000'000'000LL << tooLarge;
}

// Refused at once, with the cause, and with nothing written.
void tst_monthend::closingRefusedUntouched()
{
    QFETCH(QStringList, otherProgram);
    QFETCH(qint64, amount);
    TestDb db;
    startMonth(db);
    for (int voucher = 1; voucher <= 3; ++voucher) {
        addLine(db, voucher, "1001", amount, 0);
        addLine(db, voucher, "1002", 0, amount);
    }
    const QStringList before = snapshot(db);
    OtherProgram other(db.path());
    QVERIFY(other.run(otherProgram));
    QString error;
    QVERIFY(!closing::closePeriod(&error));
    QFETCH(QString, told);
    QVERIFY2(error.endsWith(told), qPrintable(error));
    QVERIFY(otherProgram.isEmpty() || other.letGo());
    QCOMPARE(snapshot(db), before);
}

void tst_monthend::balancesExactOrRefused_data()
{
    QTest::addColumn<qint64>("opening");  // of 1001, and 1002 the opposite
    QTest::addColumn<int>("credits");     // of the 30 vouchers of the largest typed amount debiting 1001, how many
                                          // credit it back afterwards
    QTest::addColumn<QString>("carried"); // next month's balances; empty: refused as too large
    constexpr qint64 kAbove2To63Less = 9'200'000'000'000'000'037LL;
    QTest::newRow("opening and debits pass 2^63 on the way, the balance does not")
        << kAbove2To63Less << 30 << "1001:9200000000000000037 1002:-9200000000000000037";
    QTest::newRow("past 2^53 and within reach")
        << 920'000'000'000'000'037LL << 30 << "1001:920000000000000037 1002:-920000000000000037";
    QTest::newRow("the balance itself passes 2^63") << kAbove2To63Less << 0 << "";
}

// Every balance the month end computes is the exact integer, whatever it passes through
// on the way, or the month end is refused as a total too large with nothing written.
void tst_monthend::balancesExactOrRefused()
{
    QFETCH(qint64, opening);
    QFETCH(int, credits);
    QFETCH(QString, carried);
    TestDb db;
    startMonth(db);
    addOpening(db, "1001", opening);
    addOpening(db, "1002", -opening);
    constexpr qint64 kLargestTyped = 999'999'999'999'999; // 9,999,999,999,999.99
    for (int v = 1; v <= 30 + credits; ++v) {
        const bool debit = v <= 30;
        addLine(db, v, "1001", debit ? kLargestTyped : 0, debit ? 0 : kLargestTyped);
        addLine(db, v, "1002", debit ? 0 : kLargestTyped, debit ? kLargestTyped : 0);
    }
    const QString tooLarge =
        "金额合计过大，超出了本系统能够计算的范围。请检查是否有金额录入过大的凭证或期初余额，更正后重试。";
    const QStringList before = snapshot(db);
    QString error;
    const auto summary = closing::summaryRows(kMarch, &error);
    QStringList listed;
    for (auto rs = summary; rs && !rs->eof(); rs->moveNext())
        listed << rs->text("km_no") + ':' + rs->value("qmhj").toString();
    QCOMPARE(summary ? listed.join(' ') : error, carried.isEmpty() ? tooLarge : carried);
    const auto outcome = closing::closePeriod(&error);
    if (carried.isEmpty()) {
        QVERIFY(!outcome);
        QCOMPARE(error, tooLarge);
        QCOMPARE(snapshot(db), before);
        return;
    }
    QVERIFY2(outcome, qPrintable(error));
    QCOMPARE(balancesOf(db, "zzqcye", "qcje", kApril), carried);
    QCOMPARE(balancesOf(db, "pzhzkls", "qmje", kMarch), carried);
    // Stored as integers, never as floating point that happens to be whole.
    QCOMPARE(db.scalar("select group_concat(distinct kind) from (select typeof(qcje) as kind from zzqcye "
                       "union all select typeof(qcje) from pzhzkls union all select typeof(jfje) from pzhzkls "
                       "union all select typeof(dfje) from pzhzkls union all select typeof(qmje) from pzhzkls)"),
             "integer");
}

void tst_monthend::lockedBooksWaitOncePerAction_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("reopened"); // the program opens the books afresh for it
    QTest::newRow("the closing's gate") << "gate" << false;
    QTest::newRow("the closing, the books just reopened") << "closing" << true;
    QTest::newRow("the summary rebuild, the books just reopened") << "summary" << true;
}

// Under another program's exclusive lock an action is refused after one wait, however
// many of its statements meet the lock; the next action, once control has been back in
// the event loop, may wait again.
void tst_monthend::lockedBooksWaitOncePerAction()
{
    QFETCH(QString, action);
    QFETCH(bool, reopened);
    TestDb db;
    startMonth(db);
    addLine(db, 1, "1001", 100, 0);
    addLine(db, 1, "1002", 0, 100);
    OtherProgram other(db.path());
    QVERIFY(other.run({"BEGIN EXCLUSIVE"}));
    if (reopened)
        mdlStandard::closeDatabase();
    QCoreApplication::processEvents(); // whatever waited before ends with its action
    const int expired = platform::lockwait::expiredWaits();
    QString error;
    const bool done = action == "gate"      ? closing::testBeforeClosing(&error).has_value()
                      : action == "closing" ? closing::closePeriod(&error).has_value()
                                            : closing::rebuildSummary(kMarch, &error);
    QVERIFY(!done);
    QCOMPARE(error, mdlStandard::kBooksBusy);
    QCOMPARE(platform::lockwait::expiredWaits() - expired, 1);
    QVERIFY(other.letGo());
}

QTEST_MAIN(tst_monthend)
#include "tst_monthend.moc"
