// Finding a line's account, and the period's lines listed, corrected and deleted by
// their identity.
#include "testsupport.h"
#include "vouchers/accountlookup.h"
#include "vouchers/periodlines.h"

#include <QtTest>

using namespace vouchers;
using testsupport::TestDb;

namespace {
void seedChart(TestDb &db)
{
    db.run("insert into kmdmk (km_no, km_zjf, km_name) values ('1002','YHCK','银行存款'), ('1001','XJ','现金'), "
           "('1231','HZ','坏账%准备'), ('2001','DQJK','短期借款')");
}

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
    void lookup_data();
    void lookup();
    void lookupFailureIsNoEmptyResult();
    void byIdentity_data();
    void byIdentity();
    void unreadableAmountIsNoLine();
};

void tst_periodlines::lookup_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("empty lists all") << "" << QStringList{"1001", "1002", "1231", "2001"};
    QTest::newRow("full code") << "1001" << QStringList{"1001"};
    QTest::newRow("inside names, by code") << "款" << QStringList{"1002", "2001"};
    QTest::newRow("percent is a character") << "%" << QStringList{"1231"};
    QTest::newRow("quote") << "'" << QStringList{};
    QTest::newRow("no match") << "zz" << QStringList{};
}

void tst_periodlines::lookup()
{
    QFETCH(QString, text);
    TestDb db;
    seedChart(db);
    QString error;
    const auto found = lookupAccounts(text, &error);
    QVERIFY2(found, qPrintable(error));
    QStringList codes;
    for (const Account &a : *found)
        codes << a.code;
    QTEST(codes, "codes");
    if (text == "1001")
        QCOMPARE(found->front().initials + found->front().name, QStringLiteral("XJ现金"));
}

void tst_periodlines::lookupFailureIsNoEmptyResult()
{
    TestDb db;
    seedChart(db);
    testsupport::FailingStatements failing([](const QString &sql) { return sql.contains("kmdmk"); });
    QString error;
    QVERIFY(!lookupAccounts("1001", &error));
    QVERIFY(!error.isEmpty());
}

// What another window did to the line between the listing and the action.
void tst_periodlines::byIdentity_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<bool>("deleting");
    QTest::addColumn<QStringList>("after"); // the books afterwards
    QTest::newRow("change one of two identical") << "" << false << QStringList{"2|0|500", "1|500|0", "1|123|0"};
    QTest::newRow("delete one of two identical") << "" << true << QStringList{"2|0|500", "1|500|0"};
    QTest::newRow("change after a delete elsewhere") << "delete from pzk where rowid = ?" << false
                                                     << QStringList{"2|0|500", "1|500|0"};
    QTest::newRow("delete after a change elsewhere") << "update pzk set jfje = 1 where rowid = ?" << true
                                                     << QStringList{"2|0|500", "1|500|0", "1|1|0"};
    QTest::newRow("change after a change elsewhere") << "update pzk set dfje = 1 where rowid = ?" << false
                                                     << QStringList{"2|0|500", "1|500|0", "1|500|1"};
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
    const bool done = deleting ? deleteLine(line, &error)
                               : changeLineAmounts(line, Money::fromCents(123), Money(), &error);
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
// is refused rather than read as 0.
void tst_periodlines::unreadableAmountIsNoLine()
{
    TestDb db;
    db.run("insert into pzk (rq, pz_no, km_no, km_name, jfje, dfje) values ('2026-01-05', 1, '1001', '现金', 'x', 0)");
    QString error;
    const auto rs = readPeriodLines(&error);
    QVERIFY2(rs, qPrintable(error));
    QVERIFY(!lineRefsOf(*rs, &error));
    QVERIFY(error.contains(QStringLiteral("金额无法读取")));
}

QTEST_MAIN(tst_periodlines)
#include "tst_periodlines.moc"
