// A voucher's checks and its save: what is refused, how, and what is stored; and the
// period's lines listed, corrected and deleted by their identity.
#include "accounts/accountsearch.h"
#include "testsupport.h"
#include "vouchers/periodlines.h"
#include "vouchers/voucherstore.h"

#include <QtTest>

using namespace vouchers;
using testsupport::TestDb;

namespace {
const QDate kJan15(2026, 1, 15);

// Lines written as "code|initials|name|debit|credit".
VoucherDraft draftOf(const QDate &date, const QString &number, const QStringList &lines)
{
    VoucherDraft d{date, number, {}};
    for (const QString &line : lines) {
        const QStringList c = line.split('|');
        d.lines.push_back({c.value(0), c.value(1), c.value(2), c.value(3), c.value(4)});
    }
    return d;
}

QString lineText(int line, const QString &what)
{
    return QStringLiteral("第%1行 %2\r如该行不需要，您可以单击选择该记录，然后删除！").arg(line).arg(what);
}

// A refusal as "text" plus where it leaves the window: N (notice box), C (number box
// emptied), then line:column.
QString described(const std::optional<SaveRefusal> &r)
{
    if (!r)
        return QString();
    return r->text + QStringLiteral(" @") + (r->notice ? "N" : "") + (r->clearNumber ? "C" : "") +
           QStringLiteral("%1:%2").arg(r->line).arg(r->column);
}

void seedBooks(TestDb &db, const QString &period = QStringLiteral("2026年01月"))
{
    db.run("update dqkjqj set kjqj=?", {period});
    db.run("insert into kmdmk (km_no, km_zjf, km_name) values ('1001','XJ','现金'), ('A2','YHCK','银行存款')");
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

class tst_vouchersave : public QObject {
    Q_OBJECT
private slots:
    void checks_data();
    void checks();
    void storesOneRowPerLineFromTheChart();
    void unsavedStoresNothing_data();
    void unsavedStoresNothing();
    void amountTexts();
    void byIdentity_data();
    void byIdentity();
    void failedReadIsNoAnswer();
};

void tst_vouchersave::checks_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("refusal"); // empty: the voucher passes

    const QString badDate = QStringLiteral("当前会计期间为：2026年01月，请选择输入正确的日期！ @N0:-1");
    const QString badNumber = QStringLiteral("【凭证编号】应输入数字，请重新输入！ @C0:-1");
    const QString bothZero = lineText(1, "【借方金额】与 【贷方金额】不能同时为零！") + " @1:4";
    const QString tooLarge = QStringLiteral("数值过大，整数部分最多13位，请重新输入！");
    const QStringList good = {"1001|XJ|现金|10|", "A2|YHCK|银行存款||10"};
    auto row = [](const char *tag, const char *number, const QStringList &lines, const QString &refusal,
                  QDate date = QDate(2026, 1, 31)) { QTest::newRow(tag) << date << number << lines << refusal; };

    row("good", "7", good, "");
    row("sign, both amounts", " -3 ", {"1001|XJ|现金|1|2"}, "");
    row("one empty line", "", {"||||"}, "您还没有输入单据内容，请核实后再进行保存操作！ @0:-1");
    row("empty code, two lines", "7", {"||||", good[0]}, lineText(1, "【科目编号】 不能为空！") + " @1:1");
    row("next month", "", good, badDate, QDate(2026, 2, 1));
    row("no number", "", good, "【凭证编号】不能为空，请重新输入！ @C0:-1");
    row("number of blanks", "  ", good, badNumber);
    row("fraction", "12.5", good, badNumber);
    row("number of 13 digits", "9999999999999", good, "");
    row("number of 14 digits", "10000000000000", good, "【凭证编号】" + tooLarge + " @C0:-1");
    row("code of blanks", "7", {good[0], "  ||银行存款|1|"}, lineText(2, "【科目编号】 不能为空！") + " @2:1");
    row("no name", "7", {good[0], "yh|| |1|"}, lineText(2, "【会计科目名称】 不能为空！") + " @2:-1");
    row("letters", "7", {"1001|XJ|现金|abc|5"}, lineText(1, "【借方金额】 应输入数字！") + " @1:4");
    row("grouped", "7", {"1001|XJ|现金||1,000"}, lineText(1, "【贷方金额】 应输入数字！") + " @1:5");
    row("debit too large", "7", {"1001|XJ|现金|-12345678901234|"}, lineText(1, "【借方金额】 " + tooLarge) + " @1:4");
    row("credit too large", "7", {"1001|XJ|现金||12345678901234.5"}, lineText(1, "【贷方金额】 " + tooLarge) + " @1:5");
    row("too large once rounded", "7", {"1001|XJ|现金|9999999999999.995|"},
        lineText(1, "【借方金额】 " + tooLarge) + " @1:4");
    row("zero and blank", "7", {"1001|XJ|现金|0|"}, bothZero);
    row("first line first", "7", {"1001|XJ|现金|0.001|", "||||"}, bothZero);
}

void tst_vouchersave::checks()
{
    QFETCH(QDate, date);
    QFETCH(QString, number);
    QFETCH(QStringList, lines);
    QTEST(described(checkVoucher(draftOf(date, number, lines), QStringLiteral("2026年01月"))), "refusal");
}

void tst_vouchersave::storesOneRowPerLineFromTheChart()
{
    TestDb db;
    seedBooks(db, QStringLiteral("2026年02月"));
    const auto draft =
        draftOf(QDate(2026, 2, 1), " 7",
                {"1001|XJ|现金|0.10|", "A2|YHCK|银行存款|.2|", "1001|XJ|现金||0.30", "A2|YHCK|银行存款|1.005|-1.005"});
    std::optional<SaveRefusal> refusal;
    QString error;
    QVERIFY2(saveVoucher(draft, &refusal, &error), qPrintable(error));
    QCOMPARE(db.rows("select rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje from pzk order by rowid"),
             QStringList({"2026-02-01|7|1001|XJ|现金|2026年02月|10|0", "2026-02-01|7|A2|YHCK|银行存款|2026年02月|20|0",
                          "2026-02-01|7|1001|XJ|现金|2026年02月|0|30",
                          "2026-02-01|7|A2|YHCK|银行存款|2026年02月|101|-101"}));
}

void tst_vouchersave::unsavedStoresNothing_data()
{
    QTest::addColumn<QString>("period");
    QTest::addColumn<QString>("fourth");  // the fourth line's code, initials and name
    QTest::addColumn<QString>("failing"); // statements that fail, from the n-th call on
    QTest::addColumn<int>("call");
    QTest::addColumn<QString>("refusal"); // empty: a failure, told as an error
    const QString jan = QStringLiteral("2026年01月"), good = QStringLiteral("A2|YHCK|银行存款");
    // The period is read at the save: a window left open across a closing is refused.
    QTest::newRow("month closed meanwhile")
        << "2026年02月" << good << "" << 0 << "当前会计期间为：2026年02月，请选择输入正确的日期！ @N0:-1";
    // The line must show one account of the chart exactly as the lookup wrote it.
    const QString notOne = notOneAccount(4).text + " @4:1", none;
    QTest::newRow("code not in the chart") << jan << "100|YHCK|银行存款" << none << 0 << notOne;
    QTest::newRow("code typed over") << jan << "1001|YHCK|银行存款" << none << 0 << notOne;
    QTest::newRow("name of another") << jan << "A2|YHCK|现金" << none << 0 << notOne;
    QTest::newRow("code in another case") << jan << "a2|YHCK|银行存款" << none << 0 << notOne;
    QTest::newRow("period read fails") << jan << good << "from dqkjqj" << 1 << "";
    QTest::newRow("third of four lines fails") << jan << good << "insert into pzk" << 3 << "";
}

void tst_vouchersave::unsavedStoresNothing()
{
    QFETCH(QString, period);
    QFETCH(QString, fourth);
    QFETCH(QString, failing);
    QFETCH(int, call);
    TestDb db;
    seedBooks(db, period);
    int calls = 0;
    testsupport::FailingStatements fail(
        [&](const QString &sql) { return !failing.isEmpty() && sql.contains(failing) && ++calls >= call; });
    std::optional<SaveRefusal> refusal;
    QString error;
    const QStringList lines = {"1001|XJ|现金|1|", "A2|YHCK|银行存款||1", "1001|XJ|现金|2|", fourth + "||2"};
    QVERIFY(!saveVoucher(draftOf(kJan15, "1", lines), &refusal, &error));
    QTEST(described(refusal), "refusal");
    QCOMPARE(error.isEmpty(), refusal.has_value());
    QCOMPARE(db.count("pzk"), 0);
}

void tst_vouchersave::amountTexts()
{
    // What the cells and the totals row show while a voucher is typed.
    QCOMPARE(shownAmount("12") + shownAmount(" -0.5") + shownAmount("12a"), QStringLiteral("12.00-0.5012a"));
    const VoucherTotals t = totalsOf({{"", "", "", "12a", "-"}, {"", "", "", "2.345", " 1 "}});
    QCOMPARE(t.debit->toString() + '/' + t.credit->toString(), QStringLiteral("2.35/1.00"));
    // Enough of the largest amounts to pass what integer cents hold: no wrapped total.
    const std::vector<VoucherLine> many(9300, {"", "", "", "9999999999999.99", "1"});
    const VoucherTotals huge = totalsOf(many);
    QVERIFY(!huge.debit);
    QCOMPARE(huge.credit, Money::fromCents(930000));
    QCOMPARE(voucherNumber("+12"), std::optional<qint64>(12));
}

// What another window did to the line between the listing and the action.
void tst_vouchersave::byIdentity_data()
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

void tst_vouchersave::byIdentity()
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
void tst_vouchersave::failedReadIsNoAnswer()
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
    QVERIFY(!accounts::lookupAccounts("1001", &error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(tst_vouchersave)
#include "tst_vouchersave.moc"
