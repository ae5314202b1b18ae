// A voucher's checks and its save: what is refused, how, and what is stored.
#include "testsupport.h"
#include "vouchers/accountlookup.h"
#include "vouchers/voucherstore.h"

#include <QtTest>

using namespace vouchers;
using testsupport::TestDb;

namespace {
const QString kPeriod = QStringLiteral("2026年01月");

// Lines written as "code|name|debit|credit".
VoucherDraft draftOf(const QDate &date, const QString &number, const QStringList &lines)
{
    VoucherDraft d{date, number, {}};
    for (const QString &line : lines) {
        const QStringList c = line.split('|');
        d.lines.push_back({c.value(0), c.value(1), c.value(2), c.value(3)});
    }
    return d;
}

QString lineText(int line, const QString &what)
{
    return QStringLiteral("第%1%2\r如该行不需要，您可以单击选择该记录，然后删除！").arg(line).arg(what);
}

void seedBooks(TestDb &db, const QString &period = kPeriod)
{
    db.run("update dqkjqj set kjqj=?", {period});
    db.run("insert into kmdmk (km_no, km_zjf, km_name) values ('1001','XJ','现金'), ('A2','YHCK','银行存款')");
}

QStringList storedRows(TestDb &db)
{
    QStringList rows;
    auto rs = db.run("select rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje from pzk order by rowid");
    for (; rs && !rs->eof(); rs->moveNext()) {
        QStringList fields;
        for (int i = 0; i < rs->fieldCount(); ++i)
            fields << rs->value(i).toString();
        rows << fields.join('|');
    }
    return rows;
}
} // namespace

class tst_vouchersave : public QObject {
    Q_OBJECT
private slots:
    void checks_data();
    void checks();
    void storesOneRowPerLineFromTheChart();
    void periodIsReadAtSave();
    void codeNotInChartIsRefusedAtItsLine();
    void failureStoresNothing_data();
    void failureStoresNothing();
    void amountTexts();
};

void tst_vouchersave::checks_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("text"); // empty: the voucher passes
    QTest::addColumn<bool>("notice");
    QTest::addColumn<bool>("clearNumber");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");

    const QDate jan(2026, 1, 31);
    const QString nothing = QStringLiteral("您还没有输入单据内容，请核实后再进行保存操作！");
    const QString wrongDate = QStringLiteral("当前会计期间为：2026年01月，请选择输入正确的日期！");
    const QString noNumber = QStringLiteral("【凭证编号】不能为空，请重新输入！");
    const QString badNumber = QStringLiteral("【凭证编号】应输入数字，请重新输入！");
    const QString noCode = QStringLiteral("行 【科目编号】 不能为空！");
    const QString noName = QStringLiteral("行 【会计科目名称】 不能为空！");
    const QString badDebit = QStringLiteral("行 【借方金额】 应输入数字！");
    const QString badCredit = QStringLiteral("行 【贷方金额】 应输入数字！");
    const QString bothZero = QStringLiteral("行 【借方金额】与 【贷方金额】不能同时为零！");
    const QStringList good = {"1001|现金|10|", "A2|银行存款||10"};

    QTest::newRow("good") << jan << "7" << good << "" << false << false << 0 << -1;
    QTest::newRow("number with sign, both amounts") << jan << " -3 " << QStringList{"1001|现金|1|2"} << "" << false
                                                    << false << 0 << -1;
    QTest::newRow("one empty line") << jan << "" << QStringList{"|||"} << nothing << false << false << 0 << -1;
    QTest::newRow("no line") << jan << "7" << QStringList{} << nothing << false << false << 0 << -1;
    QTest::newRow("empty code of two lines") << jan << "7" << QStringList{"|||", "1001|现金|1|"}
                                             << lineText(1, noCode) << false << false << 1 << 1;
    QTest::newRow("next month, any day") << QDate(2026, 2, 1) << "" << good << wrongDate << true << false << 0 << -1;
    QTest::newRow("same month, other year") << QDate(2025, 1, 15) << "7" << good << wrongDate << true << false << 0
                                            << -1;
    QTest::newRow("number empty") << jan << "" << good << noNumber << false << true << 0 << -1;
    QTest::newRow("number of blanks") << jan << "  " << good << badNumber << false << true << 0 << -1;
    QTest::newRow("number with a fraction") << jan << "12.5" << good << badNumber << false << true << 0 << -1;
    QTest::newRow("number of letters") << jan << "a1" << good << badNumber << false << true << 0 << -1;
    QTest::newRow("code of blanks") << jan << "7" << QStringList{good[0], "  |银行存款|1|"} << lineText(2, noCode)
                                    << false << false << 2 << 1;
    QTest::newRow("search text, no name") << jan << "7" << QStringList{good[0], "yh| |1|"} << lineText(2, noName)
                                          << false << false << 2 << -1;
    QTest::newRow("letters in debit") << jan << "7" << QStringList{"1001|现金|abc|5"} << lineText(1, badDebit)
                                      << false << false << 1 << 4;
    QTest::newRow("grouped credit") << jan << "7" << QStringList{"1001|现金||1,000"} << lineText(1, badCredit)
                                    << false << false << 1 << 5;
    QTest::newRow("zero and blank") << jan << "7" << QStringList{"1001|现金|0|"} << lineText(1, bothZero) << false
                                    << false << 1 << 4;
    QTest::newRow("first failing line wins") << jan << "7" << QStringList{"1001|现金|0.001|", "|||"}
                                             << lineText(1, bothZero) << false << false << 1 << 4;
}

void tst_vouchersave::checks()
{
    QFETCH(QDate, date);
    QFETCH(QString, number);
    QFETCH(QStringList, lines);
    QFETCH(QString, text);
    const auto refusal = checkVoucher(draftOf(date, number, lines), kPeriod);
    QCOMPARE(refusal.has_value(), !text.isEmpty());
    if (!refusal)
        return;
    QCOMPARE(refusal->text, text);
    QTEST(refusal->notice, "notice");
    QTEST(refusal->clearNumber, "clearNumber");
    QTEST(refusal->line, "line");
    QTEST(refusal->column, "column");
}

void tst_vouchersave::storesOneRowPerLineFromTheChart()
{
    TestDb db;
    seedBooks(db);
    // Codes are trimmed and matched without regard to case; the typed names are not stored.
    const auto draft = draftOf(QDate(2026, 1, 15), " 7", {" 1001 |打错的名称|0.10|", "a2|银行存款|.2|",
                                                          "1001|现金||0.30", "A2|银行存款|1.005|-1.005"});
    std::optional<SaveRefusal> refusal;
    QString error;
    QVERIFY2(saveVoucher(draft, &refusal, &error), qPrintable(error));
    QVERIFY(!refusal);
    QCOMPARE(storedRows(db), QStringList({"2026-01-15|7|1001|XJ|现金|2026年01月|10|0",
                                          "2026-01-15|7|A2|YHCK|银行存款|2026年01月|20|0",
                                          "2026-01-15|7|1001|XJ|现金|2026年01月|0|30",
                                          "2026-01-15|7|A2|YHCK|银行存款|2026年01月|101|-101"}));
    const VoucherTotals totals = totalsOf({draft.lines.begin(), draft.lines.begin() + 3});
    QCOMPARE(totals.debit.toString(), QStringLiteral("0.30"));
    QVERIFY(totals.debit == totals.credit);
}

void tst_vouchersave::periodIsReadAtSave()
{
    TestDb db;
    seedBooks(db);
    // The month was closed while the window stayed open: a January voucher is refused ...
    db.run("update dqkjqj set kjqj='2026年02月'");
    std::optional<SaveRefusal> refusal;
    QString error;
    QVERIFY(!saveVoucher(draftOf(QDate(2026, 1, 15), "1", {"1001|现金|1|"}), &refusal, &error));
    QVERIFY(refusal);
    QCOMPARE(refusal->text, QStringLiteral("当前会计期间为：2026年02月，请选择输入正确的日期！"));
    QCOMPARE(db.count("pzk"), 0);
    // ... and a February one is stamped with February.
    QVERIFY2(saveVoucher(draftOf(QDate(2026, 2, 3), "1", {"1001|现金|1|"}), &refusal, &error), qPrintable(error));
    QCOMPARE(db.scalar("select kjqj from pzk"), QStringLiteral("2026年02月"));
}

void tst_vouchersave::codeNotInChartIsRefusedAtItsLine()
{
    TestDb db;
    seedBooks(db);
    std::optional<SaveRefusal> refusal;
    QString error;
    QVERIFY(!saveVoucher(draftOf(QDate(2026, 1, 15), "1", {"1001|现金|1|", "100|现金||1"}), &refusal, &error));
    QVERIFY(refusal);
    QCOMPARE(refusal->text, kNoAccountFound);
    QCOMPARE(refusal->line, 2);
    QCOMPARE(refusal->column, int(CodeColumn));
    QCOMPARE(db.count("pzk"), 0);
}

void tst_vouchersave::failureStoresNothing_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<int>("failingCall");
    QTest::newRow("period read") << "from dqkjqj" << 1;
    QTest::newRow("third of four lines") << "insert into pzk" << 3;
}

void tst_vouchersave::failureStoresNothing()
{
    QFETCH(QString, statement);
    QFETCH(int, failingCall);
    TestDb db;
    seedBooks(db);
    int calls = 0;
    testsupport::FailingStatements failing(
        [&](const QString &sql) { return sql.contains(statement) && ++calls >= failingCall; });
    std::optional<SaveRefusal> refusal;
    QString error;
    QVERIFY(!saveVoucher(draftOf(QDate(2026, 1, 15), "1", {"1001|现金|1|", "A2|银行存款||1", "1001|现金|2|",
                                                           "A2|银行存款||2"}),
                         &refusal, &error));
    QVERIFY(!refusal);
    QVERIFY(!error.isEmpty());
    QCOMPARE(db.count("pzk"), 0);
}

void tst_vouchersave::amountTexts()
{
    // What the totals row and the cells show while a voucher is typed.
    QCOMPARE(shownAmount("12"), QStringLiteral("12.00"));
    QCOMPARE(shownAmount(" -0.5"), QStringLiteral("-0.50"));
    QCOMPARE(shownAmount(""), QString());
    QCOMPARE(shownAmount("12a"), QStringLiteral("12a"));
    const VoucherTotals t = totalsOf({{"", "", "12a", "-"}, {"", "", "2.345", " 1 "}});
    QCOMPARE(t.debit.toString(), QStringLiteral("2.35"));
    QCOMPARE(t.credit.toString(), QStringLiteral("1.00"));
    QCOMPARE(voucherNumber("+12"), std::optional<qint64>(12));
    QCOMPARE(voucherNumber("12."), std::nullopt);
}

QTEST_MAIN(tst_vouchersave)
#include "tst_vouchersave.moc"
