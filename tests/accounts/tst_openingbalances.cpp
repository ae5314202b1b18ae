// The opening balances: document numbers, the account lookup and picker, the amount
// rule, saving, and the read-only state once initialisation has ended.
#include "accounts/frmkjkmcxck.h"
#include "accounts/frmzzqcye.h"
#include "accounts/openingbalance.h"
#include "frame/mdimain.h"
#include "gridwin/ingrideditor.h"
#include "platform/desktop.h"
#include "platform/flexgrid.h"
#include "platform/keyedtoolbar.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>


using testsupport::MessageBoxes;
using testsupport::TestDb;

namespace {
const QString kNotFound = QStringLiteral("未检索到会计科目，请输入科目编号、拼音简码或会计科目名称的一部分！");
const QString kNotANumber = QStringLiteral("【期初余额】应输入数字，请重新输入！");
const QString kZero = QStringLiteral("【期初余额】不能为零，请重新输入！");
const QString kTooLarge = QStringLiteral("【期初余额】数值过大，整数部分最多13位，请重新输入！");
const QString kUnreadable = QStringLiteral("无法读取账簿数据：");

QString today() { return QDate::currentDate().toString("yyyyMMdd"); }

// Books cleared, first period 2026年01月, and a small chart.
void setUpBooks(TestDb &db)
{
    db.run("update qy set bj='1'");
    db.run("update dqkjqj set kjqj='2026年01月', kjnd='2026年'");
    const char *accounts[][3] = {{"1001", "XJ", "现金"},       {"1002", "YHCK", "银行存款"},
                                 {"1121", "YSPJ", "应收票据"}, {"1101", "DQTZ", "短期投资"},
                                 {"2001", "DQJK", "短期借款"}};
    for (const auto &a : accounts)
        db.run("insert into kmdmk (km_no, km_zjf, km_name) values (?, ?, ?)", {a[0], a[1], a[2]});
}

void addBalance(TestDb &db, const QVariant &djh, const QString &code, qint64 cents)
{
    db.run("insert into zzqcye (djh, km_no, km_name, qcje, kjqj) "
           "values (?, ?, (select km_name from kmdmk where km_no=?), ?, '2026年01月')",
           {djh, code, code, cents});
}

void click(frmzzqcye &w, const char *key) { w.Toolbar1->click(QString::fromLatin1(key)); }

// Types over the editor's text, then presses Enter.
void enter(QLineEdit *editor, const QString &text)
{
    editor->selectAll();
    testsupport::typeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

void retype(QLineEdit *editor, const QString &text)
{
    editor->selectAll();
    testsupport::typeText(editor, text);
}

QStringList cells(const MSFlexGrid *g, int r)
{
    QStringList out;
    for (int c = 1; c < 5; ++c)
        out << g->textMatrix(r, c);
    return out;
}

} // namespace

class tst_openingbalances : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        platform::restorePointer();
    }
    void documentNumbersWithinAndAcrossDays();
    void documentNumbersOfTheWindow();
    void amountsAreStrictDecimalsRoundedToTheCent_data();
    void amountsAreStrictDecimalsRoundedToTheCent();
    void lookupAndSaveTakeTheAccountOfTheCode();
    void pickerPickRefusalAndCancel();
    void changeCorrectsTheAmountOnly();
    void deleteAndFailedWrites();
    void refusedAppendAndReadOnly();
    void writesAfterInitialisationEndedAreRefused_data();
    void writesAfterInitialisationEndedAreRefused();
    void unreadableBooksAreToldAsSuch_data();
    void unreadableBooksAreToldAsSuch();
    void committedSaveIsDoneWhenTheReadBackFails_data();
    void committedSaveIsDoneWhenTheReadBackFails();
};

void tst_openingbalances::documentNumbersWithinAndAcrossDays()
{
    TestDb db;
    setUpBooks(db);
    const QDate day(2026, 1, 5);
    QString why;
    QCOMPARE(ledger::nextOpeningDocumentNumber(day, &why), QStringLiteral("CSH202601050001"));

    for (const char *djh : {"CSH202601050001", "CSH202601050002", "CSH202601050003", "CSH202601040007"})
        addBalance(db, djh, "1001", 100);
    addBalance(db, QVariant(), "1002", 100);        // carried forward: no number
    addBalance(db, "CSH20260105ABCD", "1121", 100); // not of the form: never given out
    QCOMPARE(ledger::nextOpeningDocumentNumber(day, &why), QStringLiteral("CSH202601050004"));
    QCOMPARE(ledger::nextOpeningDocumentNumber(day.addDays(-1), &why), QStringLiteral("CSH202601040008"));
    QCOMPARE(ledger::nextOpeningDocumentNumber(day.addDays(1), &why), QStringLiteral("CSH202601060001"));

    // The highest number deleted is given again; a gap below it is not filled.
    db.run("delete from zzqcye where djh in ('CSH202601050001', 'CSH202601050003')");
    QCOMPARE(ledger::nextOpeningDocumentNumber(day, &why), QStringLiteral("CSH202601050003"));

    addBalance(db, "CSH202601059999", "1001", 100);
    QCOMPARE(ledger::nextOpeningDocumentNumber(day, &why), std::nullopt);
    QVERIFY(why.contains("9999"));
}

void tst_openingbalances::documentNumbersOfTheWindow()
{
    TestDb db;
    setUpBooks(db);
    addBalance(db, "CSH" + QDate::currentDate().addDays(-1).toString("yyyyMMdd") + "0005", "2001", -100);
    MessageBoxes boxes;
    frmzzqcye w;
    w.show();
    for (const char *code : {"1001", "1002", "1121"}) {
        click(w, "button_append");
        enter(w.editor->text1, code);
        retype(w.editor->text1, "10");
        click(w, "button_save");
    }
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(db.scalar("select group_concat(substr(djh, 12), ',') from "
                       "(select djh from zzqcye where djh like ? order by djh)",
                       {"CSH" + today() + "%"}),
             QStringLiteral("0001,0002,0003"));
    QCOMPARE(db.scalar("select kjqj || kjnd || rq from zzqcye where km_no='1121'"),
             "2026年01月2026年" + QDate::currentDate().toString(Qt::ISODate));

    // Past 9999 in one day the append is refused rather than a number repeated.
    addBalance(db, "CSH" + today() + "9999", "1101", 100);
    click(w, "button_append");
    QVERIFY(boxes.lastText().contains("9999"));
    QVERIFY(!w.editor->isAppending());
    QCOMPARE(w.dataRows(), 4);
}

void tst_openingbalances::amountsAreStrictDecimalsRoundedToTheCent_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refusal"); // empty: accepted
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("shown");
    QTest::newRow("rounded up") << "12.345" << "" << qint64(1235) << "12.35";
    QTest::newRow("credit") << "-800" << "" << qint64(-80000) << "-800.00";
    QTest::newRow("blanks around") << " 5 " << "" << qint64(500) << "5.00";
    QTest::newRow("half cent away from zero") << "-0.005" << "" << qint64(-1) << "-0.01";
    QTest::newRow("largest") << "-1234567890123.45" << "" << qint64(-123456789012345) << "-1234567890123.45";
    QTest::newRow("leading zeros") << "00000000000000012" << "" << qint64(1200) << "12.00";
    QTest::newRow("too large") << "12345678901234" << kTooLarge << qint64(0) << "";
    QTest::newRow("grouping") << "1,000" << kNotANumber << qint64(0) << "";
    QTest::newRow("exponent") << "2E3" << kNotANumber << qint64(0) << "";
    QTest::newRow("letters") << "abc" << kNotANumber << qint64(0) << "";
    QTest::newRow("empty") << "" << kNotANumber << qint64(0) << "";
    QTest::newRow("zero") << "0.00" << kZero << qint64(0) << "";
    QTest::newRow("zero once rounded") << "0.004" << kZero << qint64(0) << "";
}

void tst_openingbalances::amountsAreStrictDecimalsRoundedToTheCent()
{
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    QFETCH(qint64, cents);
    QFETCH(QString, shown);
    TestDb db;
    setUpBooks(db);
    MessageBoxes boxes;
    frmzzqcye w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1;
    QLineEdit *text1 = w.editor->text1;
    click(w, "button_append");
    enter(text1, "1001");
    QCOMPARE(g->col(), 4);

    enter(text1, typed);
    if (!refusal.isEmpty()) {
        QCOMPARE(boxes.lastText(), refusal);
        QCOMPARE(g->col(), 4);
        QCOMPARE(g->textMatrix(1, 4), QString()); // cleared, to be typed afresh
        retype(text1, typed);
        click(w, "button_save"); // the save applies the same rule
        QCOMPARE(boxes.lastText(), refusal);
        QVERIFY(w.editor->isAppending());
        QCOMPARE(db.count("zzqcye"), 0);
        return;
    }
    QCOMPARE(g->col(), 5);
    QCOMPARE(g->textMatrix(1, 4), shown);
    click(w, "button_save");
    QCOMPARE(db.scalar("select qcje from zzqcye where km_no='1001'").toLongLong(), cents);

    // Saved straight from the amount cell, without Enter, the same amount is stored.
    click(w, "button_append");
    enter(text1, "1002");
    retype(text1, typed);
    click(w, "button_save");
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(db.scalar("select qcje from zzqcye where km_no='1002'").toLongLong(), cents);
    QCOMPARE(g->textMatrix(2, 4), shown);
}

void tst_openingbalances::lookupAndSaveTakeTheAccountOfTheCode()
{
    TestDb db;
    setUpBooks(db);
    addBalance(db, "CSH202601010001", "2001", -100);
    MessageBoxes boxes;
    frmzzqcye w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1;
    QLineEdit *text1 = w.editor->text1;
    click(w, "button_append");

    for (const QString &search : {QStringLiteral("xyz"), QStringLiteral("'\""), QStringLiteral("%")}) {
        enter(text1, search);
        QCOMPARE(boxes.lastText(), kNotFound);
        QCOMPARE(g->textMatrix(2, 1), QString());
    }
    enter(text1, "dqjk");
    QCOMPARE(boxes.lastText(), QStringLiteral(" 已存在此会计科目总帐期初余额，请重新输入！"));
    QCOMPARE(g->textMatrix(2, 1), QString());
    QCOMPARE(g->col(), 1);

    // Save refusals on the account: empty, a search text that is no code, a code with a balance.
    click(w, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("【会计科目】不能为空，请重新输入！"));
    retype(text1, "现");
    click(w, "button_save");
    QCOMPARE(boxes.lastText(), kNotFound);
    retype(text1, "2001");
    click(w, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("会计科目【短期借款】的总帐期初余额已存在，请重新选择会计科目！"));

    // One match fills the row; the row then walks amount, remark, account.
    enter(text1, "现金");
    QCOMPARE(cells(g, 2), (QStringList{"1001", "XJ", "现金", ""}));
    QCOMPARE(g->col(), 4);
    enter(text1, "50");
    enter(text1, "备注不存");
    QCOMPARE(g->col(), 1);
    // Overtyped with another account's code and saved without Enter: that account is saved whole.
    db.run("update kmdmk set km_no='YSPJ' where km_no='1121'");
    retype(text1, "yspj");
    click(w, "button_save");
    QCOMPARE(db.scalar("select km_no || '|' || km_zjf || '|' || km_name || '|' || qcje from zzqcye where djh like ?",
                       {"CSH" + today() + "%"}),
             QStringLiteral("YSPJ|YSPJ|应收票据|5000"));
    QCOMPARE(cells(g, 2), (QStringList{"YSPJ", "YSPJ", "应收票据", "50.00"}));
}

void tst_openingbalances::pickerPickRefusalAndCancel()
{
    TestDb db;
    setUpBooks(db);
    addBalance(db, "CSH202601010001", "2001", -100);
    MessageBoxes boxes;
    frmzzqcye w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1;
    QLineEdit *text1 = w.editor->text1;
    click(w, "button_append");

    // Cancel leaves the search text where it was.
    QStringList listed;
    testsupport::whenDialogOpens<frmkjkmcxck>(&w, [&](frmkjkmcxck *picker) {
        listed = testsupport::gridColumn(picker->MSflexGridsp, 0);
        picker->cmdqx->click();
    });
    enter(text1, "dq");
    QCOMPARE(listed, (QStringList{"1101", "2001"}));
    QCOMPARE(cells(g, 2), (QStringList{"dq", "", "", ""}));
    QCOMPARE(g->col(), 1);

    // An account that has a balance is refused and the picker stays; any key in the list
    // then picks the row that is current, without moving first.
    bool stayedOpen = false;
    testsupport::whenDialogOpens<frmkjkmcxck>(&w, [&](frmkjkmcxck *picker) {
        picker->MSflexGridsp->setRow(2);
        picker->cmdqd->click();
        stayedOpen = picker->isVisible();
        picker->MSflexGridsp->setRow(1);
        QTest::keyClick(picker->MSflexGridsp, Qt::Key_Down);
    });
    QTest::keyClick(text1, Qt::Key_Return);
    QVERIFY(stayedOpen);
    QCOMPARE(boxes.lastText(), QStringLiteral(" 已存在此会计科目总帐期初余额，请重新选择！"));
    QCOMPARE(cells(g, 2), (QStringList{"1101", "DQTZ", "短期投资", ""}));
    QCOMPARE(g->col(), 4);
    retype(text1, "-3.5");
    click(w, "button_save");
    QCOMPARE(db.scalar("select qcje from zzqcye where km_no='1101'"), QStringLiteral("-350"));
}

void tst_openingbalances::changeCorrectsTheAmountOnly()
{
    TestDb db;
    setUpBooks(db);
    addBalance(db, "CSH202601010001", "1001", 10000);
    addBalance(db, QVariant(), "1002", 700); // carried forward: not this window's
    MessageBoxes boxes;
    frmzzqcye w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1;
    QLineEdit *text2 = w.editor->text2;
    QCOMPARE(testsupport::gridColumn(g, 1), QStringList{"1001"});

    g->setRow(1);
    click(w, "button_edit");
    QCOMPARE(g->col(), 4);
    QCOMPARE(text2->text(), QStringLiteral("100.00"));
    enter(text2, "0.001");
    QCOMPARE(boxes.lastText(), kZero);
    enter(text2, "1,5");
    QCOMPARE(boxes.lastText(), kNotANumber);
    enter(text2, "7.005");
    QCOMPARE(g->textMatrix(1, 4), QStringLiteral("7.01"));
    QTest::keyClick(text2, Qt::Key_Return);
    QCOMPARE(g->col(), 4); // amount and remark, in turn
    click(w, "button_save");
    QCOMPARE(db.scalar("select qcje from zzqcye where km_no='1001'"), QStringLiteral("701"));

    click(w, "button_edit");
    retype(text2, "5");
    click(w, "button_cx");
    QCOMPARE(g->textMatrix(1, 4), QStringLiteral("7.01"));

    // A balance deleted meanwhile: a change to it is reported, not written.
    db.run("delete from zzqcye where km_no='1001'");
    click(w, "button_edit");
    retype(text2, "6");
    click(w, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("该科目的总帐期初余额已不存在，无法保存修改！"));
    QVERIFY(w.editor->isChanging());
    QCOMPARE(db.count("zzqcye"), 1);
}

void tst_openingbalances::deleteAndFailedWrites()
{
    TestDb db;
    setUpBooks(db);
    addBalance(db, "CSH202601010001", "1001", 100);
    addBalance(db, "CSH202601010002", "1002", 200);
    addBalance(db, "CSH202601010003", "1121", 300);
    addBalance(db, QVariant(), "1002", 900);
    MessageBoxes boxes;
    frmzzqcye w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1;

    g->setRow(2);
    boxes.answer(QMessageBox::No);
    click(w, "button_delete");
    QCOMPARE(boxes.lastText(), QStringLiteral("确定要删除总帐科目【银行存款】的期初余额吗？"));
    QCOMPARE(w.dataRows(), 3);
    click(w, "button_delete");
    QCOMPARE(testsupport::gridColumn(g, 1), (QStringList{"1001", "1121"}));
    QCOMPARE(testsupport::gridColumn(g, 0), (QStringList{"1", "2"}));
    QCOMPARE(db.scalar("select count(*) from zzqcye where km_no='1002'"), QStringLiteral("1")); // carried forward

    testsupport::FailingStatements failing(
        [](const QString &sql) { return sql.startsWith("INSERT") || sql.startsWith("delete from zzqcye"); });
    g->setRow(1);
    click(w, "button_delete");
    QVERIFY(boxes.lastText().startsWith(QStringLiteral("删除总帐期初余额失败")));
    QCOMPARE(testsupport::gridColumn(g, 1), (QStringList{"1001", "1121"}));

    click(w, "button_append");
    enter(w.editor->text1, "1002");
    retype(w.editor->text1, "2");
    click(w, "button_save");
    QVERIFY(boxes.lastText().startsWith(QStringLiteral("总帐期初余额保存失败")));
    QVERIFY(w.editor->isAppending());
    QCOMPARE(db.count("zzqcye"), 3);
}

void tst_openingbalances::refusedAppendAndReadOnly()
{
    TestDb db;
    setUpBooks(db);
    addBalance(db, "CSH202601010001", "1001", 100);
    MessageBoxes boxes;
    MDIMain main;
    db.run("update qy set bj=null where cdxm='qykjqj'"); // a Null flag is not set
    main.menuItem("menuzzqcye")->trigger();
    main.menuItem("menuzzqcye")->trigger();
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
    auto *open = qobject_cast<frmzzqcye *>(main.mdiArea()->subWindowList().first()->widget());
    QVERIFY(open);
    click(*open, "button_append");
    QCOMPARE(boxes.lastText(), QStringLiteral("【初次使用会计期间】尚未设置，不能设置总帐科目期初余额！"));
    QVERIFY(!open->editor->isAppending());
    QCOMPARE(open->dataRows(), 1);

    db.run("update qy set qyqj='js' where cdxm='sjcsh'");
    boxes.clear();
    frmzzqcye w;
    w.show();
    QCOMPARE(testsupport::gridColumn(w.MSFlexGrid1, 1), QStringList{"1001"});
    const QStringList recordKeys = {"button_append", "button_edit", "button_delete", "button_cx", "button_save"};
    for (const QString &key : recordKeys)
        w.buttonClick(key);
    for (const QString &key : recordKeys)
        QVERIFY2(!w.isButtonEnabled(key), qPrintable(key));
    QVERIFY(w.isButtonEnabled("button_next"));
    QVERIFY(!w.editor->openEditor());
    QCOMPARE(w.dataRows(), 1);
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(db.count("zzqcye"), 1);
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
    TestDb db;
    setUpBooks(db);
    addBalance(db, "CSH202601010001", "1001", 100);
    MessageBoxes boxes;
    frmzzqcye w;
    w.show();
    w.MSFlexGrid1->setRow(1);
    if (action == "append") {
        click(w, "button_append");
        enter(w.editor->text1, "1002");
        retype(w.editor->text1, "5");
    } else if (action == "change") {
        click(w, "button_edit");
        retype(w.editor->text2, "5");
    }
    // Ended from another window while this one stood open: its buttons stay as they were.
    db.run("update qy set qyqj='js' where cdxm='sjcsh'");
    {
        std::optional<testsupport::FailingStatements> locked;
        if (!flagReadable)
            locked.emplace(testsupport::statementsOn("qy"));
        click(w, action == "delete" ? "button_delete" : "button_save");
    }
    QCOMPARE(boxes.count(), 1);
    QVERIFY2(boxes.lastText().startsWith(message), qPrintable(boxes.lastText()));
    QCOMPARE(db.scalar("select group_concat(km_no || ':' || qcje) from zzqcye"), QStringLiteral("1001:100"));
    QCOMPARE(w.dataRows(), action == "append" ? 2 : 1);
    QVERIFY(w.isButtonEnabled(action == "delete" ? "button_append" : "button_cx"));
}

void tst_openingbalances::unreadableBooksAreToldAsSuch_data()
{
    QTest::addColumn<QString>("broken");
    QTest::newRow("flags at load") << "flags at load";
    QTest::newRow("first period flag at append") << "flag at append";
    QTest::newRow("current period row") << "period row";
}

void tst_openingbalances::unreadableBooksAreToldAsSuch()
{
    QFETCH(QString, broken);
    TestDb db;
    setUpBooks(db);
    if (broken == "period row")
        db.run("delete from dqkjqj");
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
        click(w, "button_append");
        QVERIFY(!w.editor->isAppending());
    }
    QCOMPARE(boxes.count(), 1);
    QVERIFY2(boxes.lastText().startsWith(kUnreadable), qPrintable(boxes.lastText()));
}

void tst_openingbalances::committedSaveIsDoneWhenTheReadBackFails_data() { testsupport::appendOrChangeRows(); }

void tst_openingbalances::committedSaveIsDoneWhenTheReadBackFails()
{
    QFETCH(bool, append);
    TestDb db;
    setUpBooks(db);
    if (!append)
        addBalance(db, "CSH202601010001", "1001", 10000);
    MessageBoxes boxes;
    frmzzqcye w;
    w.show();
    QLineEdit *editor = testsupport::appendOrChange(w, append, append ? QStringList{"1001"} : QStringList());
    retype(editor, "25");
    testsupport::FailingStatements readBack(testsupport::isReadBack);
    click(w, "button_save");
    QCOMPARE(boxes.texts(), QStringList());
    QVERIFY(!editor->isVisible());
    QCOMPARE(db.scalar("select qcje from zzqcye where km_no='1001'"), QStringLiteral("2500"));
    QCOMPARE(w.MSFlexGrid1->textMatrix(1, 4), QStringLiteral("25.00"));
}

QTEST_MAIN(tst_openingbalances)
#include "tst_openingbalances.moc"
