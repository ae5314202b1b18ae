// The look-ups of the admin and accounts stores: each answers from the books, and a
// read that fails is reported as a failure, never as "none" or "free".
#include "accounts/chart.h"
#include "accounts/openingbalance.h"
#include "admin/company.h"
#include "admin/operators.h"
#include "db/bookheader.h"
#include "testsupport.h"

#include <QtTest>

#include <functional>

namespace {
// Runs one look-up: its answer as text ("yes", "no", a value), or nothing with *error.
using Lookup = std::function<std::optional<QString>(QString *error)>;

std::optional<QString> answer(const std::optional<bool> &taken)
{
    return taken ? std::optional<QString>(*taken ? "yes" : "no") : std::nullopt;
}

// The name of the record found, "none" when there is none; nothing when the read failed.
template <class Record>
std::optional<QString> nameFound(bool read, const std::optional<Record> &found)
{
    if (!read)
        return std::nullopt;
    return found ? found->name : QStringLiteral("none");
}

const std::map<QString, Lookup> &lookups()
{
    static const std::map<QString, Lookup> all = {
        {"numberTaken", [](QString *e) { return answer(admin::numberTaken("759 ", e)); }},
        {"findOperator",
         [](QString *e) {
             std::optional<admin::Operator> found;
             return nameFound(admin::findOperator("759", &found, e), found);
         }},
        {"codeTaken", [](QString *e) { return answer(accounts::codeTaken("1001", e)); }},
        {"findAccount",
         [](QString *e) {
             std::optional<accounts::Account> found;
             return nameFound(accounts::findAccount("1001", &found, e), found);
         }},
        {"accountInUse", [](QString *e) { return answer(accounts::accountInUse("1001", e)); }},
        {"hasOpeningBalance", [](QString *e) { return answer(accounts::hasOpeningBalance("1001", e)); }},
        {"companyName", [](QString *e) { return mdlStandard::companyName(e); }},
        {"nextOpeningDocumentNumber",
         [](QString *e) { return accounts::nextOpeningDocumentNumber(QDate(2026, 1, 2), e); }},
    };
    return all;
}
} // namespace

class tst_lookups : public QObject {
    Q_OBJECT
private slots:
    void answerOrFail_data();
    void answerOrFail();
};

void tst_lookups::answerOrFail_data()
{
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("failure"); // how the error begins when the table cannot be read

    auto row = [](const char *tag, const char *lookup, const char *table, const QString &answer,
                  const QString &failure) { QTest::newRow(tag) << lookup << table << answer << failure; };
    const QString operators = "读取操作员信息失败：", chart = "读取会计科目失败：", balances = "读取总帐期初余额失败：";
    row("operator number", "numberTaken", "czy", "no", operators);
    row("operator", "findOperator", "czy", "系统管理员", operators);
    row("account code", "codeTaken", "kmdmk", "yes", chart);
    row("account", "findAccount", "kmdmk", "现金", chart);
    row("account in use", "accountInUse", "pzk", "yes", "读取会计凭证失败：");
    row("opening balance", "hasOpeningBalance", "zzqcye", "no", balances);
    row("company", "companyName", "dwmc", "澄川", "无法读取单位基本信息：");
    row("document number", "nextOpeningDocumentNumber", "zzqcye", "CSH202601020002", balances);
}

void tst_lookups::answerOrFail()
{
    QFETCH(QString, lookup);
    QFETCH(QString, table);
    QFETCH(QString, answer);
    QFETCH(QString, failure);
    testsupport::TestDb db;
    db.run("update dwmc set dw_name='澄川'");
    db.run("insert into kmdmk (km_no, km_zjf, km_name) values ('1001', 'XJ', '现金')");
    db.run("insert into pzk (km_no, km_name, pz_no, jfje, dfje) values ('1001', '现金', 1, 100, 0)");
    // Another account's balance, entered the same day: the next number follows it.
    db.run("insert into zzqcye (km_no, djh, qcje) values ('1002', 'CSH202601020001', 5)");

    const Lookup &run = lookups().at(lookup);
    QString error;
    QCOMPARE(run(&error), std::optional<QString>(answer));
    {
        testsupport::FailingStatements locked(testsupport::statementsOn(table));
        QVERIFY(!run(&error));
    }
    QVERIFY2(error.startsWith(failure), qPrintable(error));
}

QTEST_MAIN(tst_lookups)
#include "tst_lookups.moc"
