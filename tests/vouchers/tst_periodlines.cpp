// Finding a line's account, and the period's lines listed, corrected and deleted by
// their identity.
#include "testsupport.h"
#include "vouchers/accountlookup.h"
#include "vouchers/periodlines.h"

#include <QtTest>

using namespace vouchers;
using testsupport::TestDb;

namespace {
// Two identical lines of voucher 1 and one line of voucher 2, listed.
std::vector<LineRef> seedLines(TestDb &db)
{
    db.run("insert into pzk (rq, pz_no, km_no, km_name, jfje, dfje) values "
           "('2026-01-05', 2, '2001', '短期借款', 0, 500), ('2026-01-05', 1, '1001', '现金', 500, 0), "
           "('2026-01-05', 1, '1001', '现金', 500, 0)");
    QString error;
    const auto rs = readPeriodLines(&error);
    if (!rs || rs->text("km_name") != QStringLiteral("现金"))
        return {};
    return lineRefsOf(*rs, &error).value_or(std::vector<LineRef>{});
}

} // namespace

class tst_periodlines : public QObject {
    Q_OBJECT
private slots:
    void byIdentity_data();
    void byIdentity();
    void failedReadIsNoAnswer();
};

// What another window did to the line between the listing and the action.
void tst_periodlines::byIdentity_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<bool>("deleting");
    QTest::addColumn<QStringList>("after"); // the books afterwards
    QTest::newRow("change one of two identical") << "" << false << QStringList{"2|0|500", "1|500|0", "1|123|0"};
    QTest::newRow("delete one of two identical") << "" << true << QStringList{"2|0|500", "1|500|0"};
    QTest::newRow("change after a delete elsewhere")
        << "delete from pzk where rowid = ?" << false << QStringList{"2|0|500", "1|500|0"};
    QTest::newRow("delete after a change elsewhere")
        << "update pzk set jfje = 1 where rowid = ?" << true << QStringList{"2|0|500", "1|500|0", "1|1|0"};
    QTest::newRow("change after a change elsewhere")
        << "update pzk set dfje = 1 where rowid = ?" << false << QStringList{"2|0|500", "1|500|0", "1|500|1"};
}

void tst_periodlines::byIdentity()
{
    QFETCH(QString, meanwhile);
    QFETCH(bool, deleting);
    TestDb db;
    auto refs = seedLines(db);
    // Listed by voucher number: the two identical lines of voucher 1 come first.
    QCOMPARE(refs.size(), size_t(3));
    QCOMPARE(refs[2].number.toInt(), 2);
    QCOMPARE(refs[2].credit, Money::fromCents(500));
    LineRef &line = refs[1]; // the second of the two identical lines, as listed
    if (!meanwhile.isEmpty())
        db.run(meanwhile, {line.id});
    QString error;
    const bool done =
        deleting ? deleteLine(line, &error) : changeLineAmounts(line, Money::fromCents(123), Money(), &error);
    QCOMPARE(done, meanwhile.isEmpty());
    QCOMPARE(error.isEmpty(), done);
    QTEST(db.rows("select pz_no, jfje, dfje from pzk order by rowid"), "after");
    if (done && !deleting) {
        // The reference follows the change, so the line can be corrected again.
        QVERIFY(changeLineAmounts(line, Money(), Money::fromCents(7), &error));
        QCOMPARE(db.rows("select pz_no, jfje, dfje from pzk order by rowid").last(), QStringLiteral("1|0|7"));
    }
}

// A line whose amount is no number cannot be found again by what it holds: the listing
// is refused rather than read as 0. A chart that cannot be read is no "nothing found".
void tst_periodlines::failedReadIsNoAnswer()
{
    TestDb db;
    db.run("insert into pzk (rq, pz_no, km_no, km_name, jfje, dfje) values ('2026-01-05', 1, '1001', '现金', 'x', 0)");
    QString error;
    const auto rs = readPeriodLines(&error);
    QVERIFY2(rs, qPrintable(error));
    QVERIFY(!lineRefsOf(*rs, &error));
    QVERIFY(error.contains(QStringLiteral("金额无法读取")));
    error.clear();
    testsupport::FailingStatements failing(testsupport::statementsOn("kmdmk"));
    QVERIFY(!lookupAccounts("1001", &error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(tst_periodlines)
#include "tst_periodlines.moc"
