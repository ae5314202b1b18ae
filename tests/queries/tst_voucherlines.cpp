// Reading voucher lines by scope (current period, one closed period) and filter
// (all, account search, voucher number), and the lists the query windows choose from.
#include "queries/voucherlines.h"
#include "seedlines.h"
#include "testsupport.h"

#include <QtTest>

using queries::LineFilter;
using queries::LineScope;
using testsupport::TestDb;

namespace {

const QString kApril = QStringLiteral("2004年04月");
const QString kMay = QStringLiteral("2004年05月");

// In the order they are written; a line is known in the results as "pz:km_no".
const testsupport::SeedLine kLines[] = {
    {"pzk", "2004年06月", 2, "2004-06-03", "101", "XJ", "现金"},
    {"pzk", "2004年06月", 1, "2004-06-05", "1002", "YHCK", "银行存款"},
    {"pzk", "2004年06月", 1, "2004-06-01", "201", "DQJK", "短期借款"},
    {"pzk", "2004年06月", 10, "2004-06-02", "9%", "DD_'", "代垫\"款项5%"},
    {"pzk", "2004年06月", 2, "2004-06-03", "201", "DQJK", "短期借款"}, // voucher 2 saved a second time
    {"pzkls", "2004年05月", 3, "2004-05-09", "101", "XJ", "现金"},
    {"pzkls", "2004年05月", 1, "2004-05-02", "201", "DQJK", "短期借款"},
    {"pzkls", "2004年05月", 3, "2004-05-09", "1002", "YHCK", "银行存款"},
    {"pzkls", "2004年04月", 1, "2004-04-01", "101", "XJ", "现金"},
};

void writeLines(TestDb &db) { testsupport::writeLines(db, kLines); }

QStringList listed(const RecordsetPtr &rows)
{
    QStringList out;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext())
        out << rows->text(QStringLiteral("pz_no")) + ':' + rows->text(QStringLiteral("km_no"));
    return out;
}

} // namespace

class tst_voucherlines : public QObject {
    Q_OBJECT
private slots:
    void linesByScopeAndFilter_data();
    void linesByScopeAndFilter();
    void listsToChooseFrom();
};

void tst_voucherlines::linesByScopeAndFilter_data()
{
    QTest::addColumn<QString>("period"); // empty: the current period
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    const int all = int(LineFilter::Kind::All), account = int(LineFilter::Kind::Account),
              voucher = int(LineFilter::Kind::Voucher);
    const QStringList everyCurrent{"1:1002", "1:201", "2:101", "2:201", "10:9%"};
    const QStringList everyMay{"1:201", "3:101", "3:1002"};

    QTest::newRow("current, all by number then entry") << "" << all << "" << everyCurrent;
    QTest::newRow("current, blank search: by number then date")
        << "" << account << "   " << QStringList{"1:201", "1:1002", "2:101", "2:201", "10:9%"};
    QTest::newRow("code prefix of two") << "" << account << "1" << QStringList{"1:1002", "2:101"};
    QTest::newRow("initials contain, any case") << "" << account << "qj" << QStringList{"1:201", "2:201"};
    QTest::newRow("name contains") << "" << account << "银行" << QStringList{"1:1002"};
    QTest::newRow("typed blank takes part") << "" << account << " 10" << QStringList{};
    QTest::newRow("double quote as typed") << "" << account << "\"" << QStringList{"10:9%"};
    QTest::newRow("single quote as typed") << "" << account << "'" << QStringList{"10:9%"};
    QTest::newRow("percent as typed") << "" << account << "%" << QStringList{"10:9%"};
    QTest::newRow("underscore as typed") << "" << account << "_" << QStringList{"10:9%"};
    QTest::newRow("injection is text") << "" << account << "') or (1=1 --" << QStringList{};
    QTest::newRow("current, 全部") << "" << voucher << "全部" << everyCurrent;
    QTest::newRow("number shared by two saves") << "" << voucher << "2" << QStringList{"2:101", "2:201"};
    QTest::newRow("number deleted meanwhile") << "" << voucher << "99" << QStringList{};
    QTest::newRow("number with blanks around") << "" << voucher << " 10 " << QStringList{"10:9%"};
    for (const char *typed : {"1 or 1=1", "abc", "-1", ""})
        QTest::newRow(qPrintable(QStringLiteral("no number: '%1'").arg(typed)))
            << "" << voucher << typed << QStringList{"refused"};

    QTest::newRow("closed, all by number then entry") << kMay << all << "" << everyMay;
    QTest::newRow("closed, blank search") << kMay << account << " " << everyMay;
    QTest::newRow("closed, search stays in its period") << kMay << account << "xj" << QStringList{"3:101"};
    QTest::newRow("closed, 全部") << kMay << voucher << "全部" << everyMay;
    QTest::newRow("closed, one voucher of its period") << kMay << voucher << "1" << QStringList{"1:201"};
    QTest::newRow("closed, other period") << kApril << all << "" << QStringList{"1:101"};
    QTest::newRow("period without lines") << "2004年03月" << all << "" << QStringList{};
    QTest::newRow("typed period with a quote") << "2004年05月'" << account << "x" << QStringList{};
}

void tst_voucherlines::linesByScopeAndFilter()
{
    QFETCH(QString, period);
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    TestDb db;
    writeLines(db);

    const LineScope scope = period.isEmpty() ? LineScope::current() : LineScope::closed(period);
    const LineFilter filter{LineFilter::Kind(kind), text};
    QString error;
    const RecordsetPtr rows = queries::readVoucherLines(scope, filter, &error);
    QCOMPARE(rows ? listed(rows) : QStringList{"refused"}, expected);
    if (!rows) {
        QVERIFY2(error.contains(QStringLiteral("【凭证编号】")), qPrintable(error));
        return;
    }
    for (rows->moveFirst(); scope.isClosed && !rows->eof(); rows->moveNext())
        QCOMPARE(rows->text(QStringLiteral("kjqj")), period);
}

void tst_voucherlines::listsToChooseFrom()
{
    TestDb db;
    QString error;
    QCOMPARE(queries::closedPeriods(&error), std::optional<QStringList>(QStringList{}));
    writeLines(db);
    db.run(QStringLiteral("insert into pzkls (kjqj, pz_no) values ('2003年12月', 1)"));
    QCOMPARE(queries::closedPeriods(&error),
             std::optional<QStringList>(QStringList{kMay, kApril, QStringLiteral("2003年12月")}));
    using Numbers = std::optional<QList<qint64>>;
    QCOMPARE(queries::voucherNumbers(LineScope::current(), &error), Numbers({1, 2, 10}));
    QCOMPARE(queries::voucherNumbers(LineScope::closed(kMay), &error), Numbers({1, 3}));
    QCOMPARE(queries::voucherNumbers(LineScope::closed(QStringLiteral("2004年03月")), &error),
             Numbers(QList<qint64>{}));
    // A number the list could not show truly is reported, not listed as 0.
    db.run("insert into pzk (pz_no) values ('x')");
    QVERIFY(!queries::voucherNumbers(LineScope::current(), &error));
    QVERIFY(error.contains(QStringLiteral("“x”")));

    // A failed read is never an empty list.
    testsupport::FailingStatements failing(testsupport::statementsOn("pzkls"));
    error.clear();
    QVERIFY(!queries::readVoucherLines(LineScope::closed(kMay), LineFilter::account("x"), &error));
    QCOMPARE(error, mdlStandard::kBooksBusy);
    error.clear();
    QVERIFY(!queries::closedPeriods(&error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(tst_voucherlines)
#include "tst_voucherlines.moc"
