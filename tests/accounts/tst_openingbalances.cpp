// The opening balances: document numbers, the account lookup and picker, the amount
// rule, saving, and the read-only state once initialisation has ended.
#include "accounts/frmkjkmcxck.h"
#include "accounts/frmzzqcye.h"
#include "accounts/openingbalance.h"
#include "gridwin/ingrideditor.h"
#include "platform/desktop.h"
#include "platform/flexgrid.h"
#include "windowsteps.h"

using testsupport::MessageBoxes;
using testsupport::TestDb;
using windowsteps::enter;
using windowsteps::retype;

namespace {
const QString kNotFound = QStringLiteral("未检索到会计科目，请输入科目编号、拼音简码或会计科目名称的一部分！");
const QString kNotANumber = QStringLiteral("【期初余额】应输入数字，请重新输入！");
const QString kZero = QStringLiteral("【期初余额】不能为零，请重新输入！");
const QString kTooLarge = QStringLiteral("【期初余额】数值过大，整数部分最多13位，请重新输入！");
const QString kUnreadable = QStringLiteral("无法读取账簿数据：");

QString today() { return QDate::currentDate().toString("yyyyMMdd"); }

void addBalance(TestDb &db, const QVariant &djh, const QString &code, qint64 cents)
{
    db.run("insert into zzqcye (djh, km_no, km_name, qcje, kjqj) "
           "values (?, ?, (select km_name from kmdmk where km_no=?), ?, '2026年01月')",
           {djh, code, code, cents});
}

struct Balance {
    QVariant djh; // Null: carried forward from a closed year
    QString code;
    qint64 cents;
};

// Books cleared, first period 2026年01月, a small chart, and the balances given.
struct Books {
    explicit Books(std::initializer_list<Balance> balances = {})
    {
        db.run("update qy set bj='1'");
        db.run("update dqkjqj set kjqj='2026年01月', kjnd='2026年'");
        const char *accounts[][3] = {{"1001", "XJ", "现金"},
                                     {"1002", "YHCK", "银行存款"},
                                     {"1121", "YSPJ", "应收票据"},
                                     {"1101", "DQTZ", "短期投资"},
                                     {"2001", "DQJK", "短期借款"}};
        for (const auto &a : accounts)
            db.run("insert into kmdmk (km_no, km_zjf, km_name) values (?, ?, ?)", {a[0], a[1], a[2]});
        for (const Balance &b : balances)
            addBalance(db, b.djh, b.code, b.cents);
    }
    TestDb db;
};

// The window open on those books.
struct Window : Books {
    explicit Window(std::initializer_list<Balance> balances = {}) : Books(balances) { w.show(); }
    void click(const char *key) { windowsteps::click(w, key); }
    // Account and amount of the row being entered.
    QStringList cells() const { return testsupport::currentRowCells(w).mid(0, 4); }
    MessageBoxes boxes;
    frmzzqcye w;
    MSFlexGrid *g = w.MSFlexGrid1();
    QLineEdit *text1 = w.editor()->text1();
    QLineEdit *text2 = w.editor()->text2();
};
} // namespace

class tst_openingbalances : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { platform::restorePointer(); }
    void documentNumbersWithinAndAcrossDays();
    void documentNumbersOfTheWindow();
    void amountsAreStrictDecimalsRoundedToTheCent_data();
    void amountsAreStrictDecimalsRoundedToTheCent();
    void lookupAndSaveTakeTheAccountOfTheCode();
    void pickerPickRefusalAndCancel();
    void changeCorrectsTheAmountOnly();
    void deleteAndFailedWrites();
    void readOnlyOnceInitialisationEnded();
    void writesAfterInitialisationEndedAreRefused_data();
    void writesAfterInitialisationEndedAreRefused();
    void appendRefusedUntilTheBooksAreReady_data();
    void appendRefusedUntilTheBooksAreReady();
};

void tst_openingbalances::documentNumbersWithinAndAcrossDays()
{
    Books books;
    TestDb &db = books.db;
    const QDate day(2026, 1, 5);
    QString why;
    QCOMPARE(accounts::nextOpeningDocumentNumber(day, &why), QStringLiteral("CSH202601050001"));

    for (const char *djh : {"CSH202601050001", "CSH202601050002", "CSH202601050003", "CSH202601040007"})
        addBalance(db, djh, "1001", 100);
    addBalance(db, QVariant(), "1002", 100);        // carried forward: no number
    addBalance(db, "CSH20260105ABCD", "1121", 100); // not of the form: never given out
    QCOMPARE(accounts::nextOpeningDocumentNumber(day, &why), QStringLiteral("CSH202601050004"));
    QCOMPARE(accounts::nextOpeningDocumentNumber(day.addDays(-1), &why), QStringLiteral("CSH202601040008"));
    QCOMPARE(accounts::nextOpeningDocumentNumber(day.addDays(1), &why), QStringLiteral("CSH202601060001"));

    // The highest number deleted is given again; a gap below it is not filled.
    db.run("delete from zzqcye where djh in ('CSH202601050001', 'CSH202601050003')");
    QCOMPARE(accounts::nextOpeningDocumentNumber(day, &why), QStringLiteral("CSH202601050003"));

    addBalance(db, "CSH202601059999", "1001", 100);
    QCOMPARE(accounts::nextOpeningDocumentNumber(day, &why), std::nullopt);
    QVERIFY(why.contains("9999"));
}

void tst_openingbalances::documentNumbersOfTheWindow()
{
    Window t({{"CSH" + QDate::currentDate().addDays(-1).toString("yyyyMMdd") + "0005", "2001", -100}});
    for (const char *code : {"1001", "1002", "1121"}) {
        t.click("button_append");
        enter(t.text1, code);
        retype(t.text1, "10");
        t.click("button_save");
    }
    QCOMPARE(t.boxes.count(), 0);
    QCOMPARE(t.db.scalar("select group_concat(substr(djh, 12), ',') from "
                         "(select djh from zzqcye where djh like ? order by djh)",
                         {"CSH" + today() + "%"}),
             QStringLiteral("0001,0002,0003"));
    QCOMPARE(t.db.scalar("select kjqj || kjnd || rq from zzqcye where km_no='1121'"),
             "2026年01月2026年" + QDate::currentDate().toString(Qt::ISODate));

    // Past 9999 in one day the append is refused rather than a number repeated.
    addBalance(t.db, "CSH" + today() + "9999", "1101", 100);
    t.click("button_append");
    QVERIFY(t.boxes.lastText().contains("9999"));
    QVERIFY(!t.w.editor()->isAppending());
    QCOMPARE(t.w.dataRows(), 4);
}

void tst_openingbalances::amountsAreStrictDecimalsRoundedToTheCent_data()
{
    // The parsing itself is the amount's own (tested with Money); here the window's use of it.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refusal"); // empty: accepted
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("shown");
    auto row = [](const char *tag, const char *typed, const QString &refusal, qint64 cents, const char *shown) {
        QTest::newRow(tag) << typed << refusal << cents << shown;
    };
    row("rounded up", "12.345", {}, 1235, "12.35");
    row("credit", "-800", {}, -80000, "-800.00");
    row("largest", "-1234567890123.45", {}, -123456789012345, "-1234567890123.45");
    row("leading zeros", "00000000000000012", {}, 1200, "12.00");
    row("too large", "12345678901234", kTooLarge, 0, "");
    row("grouping", "1,000", kNotANumber, 0, "");
    row("empty", "", kNotANumber, 0, "");
    row("zero", "0.00", kZero, 0, "");
    row("zero once rounded", "0.004", kZero, 0, "");
}

void tst_openingbalances::amountsAreStrictDecimalsRoundedToTheCent()
{
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    QFETCH(qint64, cents);
    QFETCH(QString, shown);
    Window t;
    t.click("button_append");
    enter(t.text1, "1001");
    enter(t.text1, typed);
    QCOMPARE(t.g->col(), refusal.isEmpty() ? 1 : 4); // the remark takes no typing
    QCOMPARE(t.g->textMatrix(1, 4), shown);          // a refused amount is cleared, to be typed afresh
    if (!refusal.isEmpty()) {
        QCOMPARE(t.boxes.lastText(), refusal);
        retype(t.text1, typed);
        t.click("button_save"); // the save applies the same rule
        QCOMPARE(t.boxes.texts(), QStringList(2, refusal));
        QVERIFY(t.w.editor()->isAppending());
        QCOMPARE(t.db.count("zzqcye"), 0);
        return;
    }
    t.click("button_save");

    // Saved straight from the amount cell, without Enter, the same amount is stored.
    t.click("button_append");
    enter(t.text1, "1002");
    retype(t.text1, typed);
    t.click("button_save");
    QCOMPARE(t.boxes.count(), 0);
    QCOMPARE(t.db.rows("select qcje from zzqcye order by km_no"), QStringList(2, QString::number(cents)));
    QCOMPARE(t.g->textMatrix(2, 4), shown);
}

void tst_openingbalances::lookupAndSaveTakeTheAccountOfTheCode()
{
    Window t({{"CSH202601010001", "2001", -100}});
    t.click("button_append");
    for (const QString &search : {QStringLiteral("xyz"), QStringLiteral("'\""), QStringLiteral("%")}) {
        enter(t.text1, search);
        QCOMPARE(t.boxes.lastText(), kNotFound);
        QCOMPARE(t.g->textMatrix(2, 1), QString());
    }
    enter(t.text1, "dqjk");
    QCOMPARE(t.boxes.lastText(), QStringLiteral(" 已存在此会计科目总帐期初余额，请重新输入！"));
    QCOMPARE(t.g->textMatrix(2, 1), QString());
    QCOMPARE(t.g->col(), 1);

    // Save refusals on the account: empty, a search text that is no code, a code with a balance.
    t.click("button_save");
    QCOMPARE(t.boxes.lastText(), QStringLiteral("【会计科目】不能为空，请重新输入！"));
    retype(t.text1, "现");
    t.click("button_save");
    QCOMPARE(t.boxes.lastText(), kNotFound);
    retype(t.text1, "2001");
    t.click("button_save");
    QCOMPARE(t.boxes.lastText(), QStringLiteral("会计科目【短期借款】的总帐期初余额已存在，请重新选择会计科目！"));

    // One match fills the row; the row then walks amount and account, never the remark,
    // which nothing stores.
    enter(t.text1, "现金");
    QCOMPARE(t.cells(), (QStringList{"1001", "XJ", "现金", ""}));
    QCOMPARE(t.g->col(), 4);
    enter(t.text1, "50");
    QCOMPARE(t.g->col(), 1);
    QCOMPARE(t.g->textMatrix(t.g->row(), 4), "50.00");
    // Overtyped with another account's code and saved without Enter: that account is saved whole.
    t.db.run("update kmdmk set km_no='YSPJ' where km_no='1121'");
    retype(t.text1, "yspj");
    t.click("button_save");
    QCOMPARE(t.db.scalar("select km_no || '|' || km_zjf || '|' || km_name || '|' || qcje from zzqcye where djh like ?",
                         {"CSH" + today() + "%"}),
             QStringLiteral("YSPJ|YSPJ|应收票据|5000"));
    QCOMPARE(t.cells(), (QStringList{"YSPJ", "YSPJ", "应收票据", "50.00"}));
}

void tst_openingbalances::pickerPickRefusalAndCancel()
{
    Window t({{"CSH202601010001", "2001", -100}});
    t.click("button_append");

    // Cancel leaves the search text where it was.
    QStringList listed;
    testsupport::whenDialogOpens<frmkjkmcxck>(&t.w, [&](frmkjkmcxck *picker) {
        listed = testsupport::gridColumn(picker->MSflexGridsp(), 0);
        picker->cmdqx()->click();
    });
    enter(t.text1, "dq");
    QCOMPARE(listed, (QStringList{"1101", "2001"}));
    QCOMPARE(t.cells(), (QStringList{"dq", "", "", ""}));
    QCOMPARE(t.g->col(), 1);

    // An account that has a balance is refused and the picker stays; any key in the list
    // then picks the row that is current, without moving first.
    bool stayedOpen = false;
    testsupport::whenDialogOpens<frmkjkmcxck>(&t.w, [&](frmkjkmcxck *picker) {
        picker->MSflexGridsp()->setRow(2);
        picker->cmdqd()->click();
        stayedOpen = picker->isVisible();
        picker->MSflexGridsp()->setRow(1);
        QTest::keyClick(picker->MSflexGridsp(), Qt::Key_Down);
    });
    QTest::keyClick(t.text1, Qt::Key_Return);
    QVERIFY(stayedOpen);
    QCOMPARE(t.boxes.lastText(), QStringLiteral(" 已存在此会计科目总帐期初余额，请重新选择！"));
    QCOMPARE(t.cells(), (QStringList{"1101", "DQTZ", "短期投资", ""}));
    QCOMPARE(t.g->col(), 4);
    retype(t.text1, "-3.5");
    t.click("button_save");
    QCOMPARE(t.db.scalar("select qcje from zzqcye where km_no='1101'"), QStringLiteral("-350"));
}

void tst_openingbalances::changeCorrectsTheAmountOnly()
{
    Window t({{"CSH202601010001", "1001", 10000}, {QVariant(), "1002", 700}}); // 1002 carried forward: not listed
    QCOMPARE(testsupport::gridColumn(t.g, 1), QStringList{"1001"});
    auto amount = [&t] { return t.db.scalar("select qcje from zzqcye where km_no='1001'"); };

    t.g->setRow(1);
    t.click("button_edit");
    QCOMPARE(t.g->col(), 4);
    QCOMPARE(t.text2->text(), QStringLiteral("100.00"));
    enter(t.text2, "0.001");
    QCOMPARE(t.boxes.lastText(), kZero);
    enter(t.text2, "7.005");
    QCOMPARE(t.g->textMatrix(1, 4) + '|' + t.text2->text() + '|' + t.text2->selectedText(), "7.01|7.01|7.01");
    QCOMPARE(t.g->col(), 4); // the remark takes no typing
    t.click("button_save");
    QCOMPARE(amount(), QStringLiteral("701"));

    // A balance deleted meanwhile: a change to it is reported, not written.
    t.db.run("delete from zzqcye where km_no='1001'");
    t.click("button_edit");
    retype(t.text2, "6");
    t.click("button_save");
    QCOMPARE(t.boxes.lastText(), QStringLiteral("该科目的总帐期初余额已不存在，无法保存修改！"));
    QVERIFY(t.w.editor()->isChanging());
    QCOMPARE(t.db.count("zzqcye"), 1);
}

void tst_openingbalances::deleteAndFailedWrites()
{
    Window t({{"CSH202601010001", "1001", 100},
              {"CSH202601010002", "1002", 200},
              {"CSH202601010003", "1121", 300},
              {QVariant(), "1002", 900}});
    t.g->setRow(2);
    t.boxes.answer(QMessageBox::No);
    t.click("button_delete");
    QCOMPARE(t.boxes.lastText(), QStringLiteral("确定要删除总帐科目【银行存款】的期初余额吗？"));
    QCOMPARE(t.w.dataRows(), 3);
    t.click("button_delete");
    QCOMPARE(testsupport::gridColumn(t.g, 0) + testsupport::gridColumn(t.g, 1),
             (QStringList{"1", "2", "1001", "1121"}));
    QCOMPARE(t.db.scalar("select count(*) from zzqcye where km_no='1002'"), QStringLiteral("1")); // carried forward

    testsupport::FailingStatements failing(
        [](const QString &sql) { return sql.startsWith("INSERT") || sql.startsWith("delete from zzqcye"); });
    t.g->setRow(1);
    t.click("button_delete");
    QVERIFY(t.boxes.lastText().startsWith(QStringLiteral("删除总帐期初余额失败")));
    QCOMPARE(testsupport::gridColumn(t.g, 1), (QStringList{"1001", "1121"}));

    t.click("button_append");
    enter(t.text1, "1002");
    retype(t.text1, "2");
    t.click("button_save");
    QVERIFY(t.boxes.lastText().startsWith(QStringLiteral("总帐期初余额保存失败")));
    QVERIFY(t.w.editor()->isAppending());
    QCOMPARE(t.db.count("zzqcye"), 3);
}

void tst_openingbalances::readOnlyOnceInitialisationEnded()
{
    Books books({{"CSH202601010001", "1001", 100}});
    books.db.run("update qy set qyqj='js' where cdxm='sjcsh'");
    MessageBoxes boxes;
    frmzzqcye w;
    w.show();
    QCOMPARE(testsupport::gridColumn(w.MSFlexGrid1(), 1), QStringList{"1001"});
    for (const QString &key : {"button_append", "button_edit", "button_delete", "button_cx", "button_save"}) {
        w.buttonClick(key);
        QVERIFY2(!w.isButtonEnabled(key), qPrintable(key));
    }
    QVERIFY(w.isButtonEnabled("button_next"));
    QVERIFY(!w.editor()->openEditor());
    QCOMPARE(w.dataRows(), 1);
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(books.db.count("zzqcye"), 1);
}

void tst_openingbalances::writesAfterInitialisationEndedAreRefused_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("flagReadable");
    QTest::addColumn<QString>("message"); // what the refusal begins with
    const QString readOnly = QStringLiteral("数据初始化已经结束，总帐期初余额只能查询，不能添加修改！");
    QTest::newRow("append") << "append" << true << readOnly;
    QTest::newRow("change") << "change" << true << readOnly;
    QTest::newRow("delete") << "delete" << true << readOnly;
    QTest::newRow("append, flag unreadable") << "append" << false << kUnreadable;
    QTest::newRow("change, flag unreadable") << "change" << false << kUnreadable;
}

void tst_openingbalances::writesAfterInitialisationEndedAreRefused()
{
    QFETCH(QString, action);
    QFETCH(bool, flagReadable);
    QFETCH(QString, message);
    Window t({{"CSH202601010001", "1001", 100}});
    t.g->setRow(1);
    if (action == "append") {
        t.click("button_append");
        enter(t.text1, "1002");
        retype(t.text1, "5");
    } else if (action == "change") {
        t.click("button_edit");
        retype(t.text2, "5");
    }
    // Ended from another window while this one stood open: its buttons stay as they were.
    t.db.run("update qy set qyqj='js' where cdxm='sjcsh'");
    {
        std::optional<testsupport::FailingStatements> locked;
        if (!flagReadable)
            locked.emplace(testsupport::statementsOn("qy"));
        t.click(action == "delete" ? "button_delete" : "button_save");
    }
    QCOMPARE(t.boxes.count(), 1);
    QVERIFY2(t.boxes.lastText().startsWith(message), qPrintable(t.boxes.lastText()));
    QCOMPARE(t.db.scalar("select group_concat(km_no || ':' || qcje) from zzqcye"), QStringLiteral("1001:100"));
    QCOMPARE(t.w.dataRows(), action == "append" ? 2 : 1);
    QVERIFY(t.w.isButtonEnabled(action == "delete" ? "button_append" : "button_cx"));
}

void tst_openingbalances::appendRefusedUntilTheBooksAreReady_data()
{
    QTest::addColumn<QString>("broken");
    QTest::addColumn<QString>("message"); // the whole message, or how an unreadable's begins
    QTest::newRow("first period flag Null") << "flag null"
                                            << "【初次使用会计期间】尚未设置，不能设置总帐科目期初余额！";
    QTest::newRow("flags unreadable at load") << "flags at load" << kUnreadable;
    QTest::newRow("first period flag unreadable") << "flag at append" << kUnreadable;
    QTest::newRow("current period row missing") << "period row" << kUnreadable;
}

void tst_openingbalances::appendRefusedUntilTheBooksAreReady()
{
    QFETCH(QString, broken);
    QFETCH(QString, message);
    Books books({{"CSH202601010001", "1001", 100}});
    if (broken == "period row")
        books.db.run("delete from dqkjqj");
    if (broken == "flag null")
        books.db.run("update qy set bj=null where cdxm='qykjqj'"); // a Null flag is not set
    MessageBoxes boxes;
    std::optional<testsupport::FailingStatements> locked;
    if (broken == "flags at load")
        locked.emplace(testsupport::statementsOn("qy"));
    frmzzqcye w;
    w.show();
    if (broken == "flags at load") {
        // Not known to be editable, so read-only.
        locked.reset();
        QVERIFY(w.isReadOnly());
        QVERIFY(!w.isButtonEnabled("button_append"));
    } else {
        if (broken == "flag at append")
            locked.emplace(testsupport::statementsOn("qy"));
        windowsteps::click(w, "button_append");
        QVERIFY(!w.editor()->isAppending());
    }
    QCOMPARE(boxes.count(), 1);
    QVERIFY2(message == kUnreadable ? boxes.lastText().startsWith(message) : boxes.lastText() == message,
             qPrintable(boxes.lastText()));
    QCOMPARE(w.dataRows(), 1);
}

QTEST_MAIN(tst_openingbalances)
#include "tst_openingbalances.moc"
