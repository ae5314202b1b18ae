// The opening balances: document numbers, the account lookup and picker, the amount
// rule, saving, and the read-only state once initialisation has ended.
#include "accounts/accountsearch.h"
#include "accounts/frmkjkmcxck.h"
#include "accounts/frmzzqcye.h"
#include "accounts/openingbalance.h"
#include "frame/mdimain.h"
#include "gridwin/ingrideditor.h"
#include "platform/desktop.h"
#include "platform/flexgrid.h"
#include "platform/keyedtoolbar.h"
#include "platform/sqlconnection.h"
#include "platform/twips.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using testsupport::MessageBoxes;
using testsupport::TestDb;

namespace {
const QString kNotFound = QStringLiteral("未检索到会计科目，请输入科目编号、拼音简码或会计科目名称的一部分！");
const QString kNotANumber = QStringLiteral("【期初余额】应输入数字，请重新输入！");
const QString kZero = QStringLiteral("【期初余额】不能为零，请重新输入！");

QString today() { return QDate::currentDate().toString("yyyyMMdd"); }

// Books cleared, first period 2026年01月, and a small chart.
void setUpBooks(TestDb &db)
{
    db.run("update qy set bj='1'");
    db.run("update qy set qyqj='2026年01月' where cdxm='qykjqj'");
    db.run("update dqkjqj set kjqj='2026年01月', kjnd='2026年'");
    const char *accounts[][3] = {{"1001", "XJ", "现金"},       {"1002", "YHCK", "银行存款"},
                                 {"1121", "YSPJ", "应收票据"}, {"1101", "DQTZ", "短期投资"},
                                 {"2001", "DQJK", "短期借款"}};
    for (const auto &a : accounts)
        db.run("insert into kmdmk (km_no, km_zjf, km_name) values (?, ?, ?)", {a[0], a[1], a[2]});
}

void addBalance(TestDb &db, const QVariant &djh, const QString &code, qint64 cents, const QString &period = "2026年01月")
{
    db.run("insert into zzqcye (djh, km_no, km_name, qcje, kjqj) values (?, ?, (select km_name from kmdmk where "
           "km_no=?), ?, ?)",
           {djh, code, code, cents, period});
}

void type(QLineEdit *box, const QString &text) { testsupport::typeText(box, text); }
void enter(QLineEdit *box) { QTest::keyClick(box, Qt::Key_Return); }
void press(frmzzqcye &w, const char *key) { w.Toolbar1->click(QString::fromLatin1(key)); }

QStringList row(const MSFlexGrid *g, int r)
{
    QStringList out;
    for (int c = 0; c < 5; ++c)
        out << g->textMatrix(r, c);
    return out;
}

QStringList column(const MSFlexGrid *g, int c)
{
    QStringList out;
    for (int r = 1; r < g->rows(); ++r)
        out << g->textMatrix(r, c);
    return out;
}

// Begins a new row and looks its account up.
void startBalance(frmzzqcye &w, const QString &search)
{
    press(w, "button_append");
    type(w.editor->text1, search);
    enter(w.editor->text1);
}

// Runs steps on the account picker while the lookup waits in it; a picker the steps
// leave open is cancelled, so that the lookup returns.
void whenPickerOpens(QObject *owner, std::function<void(frmkjkmcxck *)> steps)
{
    auto *poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, steps] {
        auto *picker = qobject_cast<frmkjkmcxck *>(QApplication::activeModalWidget());
        if (!picker)
            return;
        poll->stop();
        poll->deleteLater();
        steps(picker);
        if (picker->isVisible())
            picker->reject();
    });
    poll->start(10);
}

QPoint centreOfListRow(const MSFlexGrid *list, int r)
{
    const int rowPx = twips::toPixels(list->rowHeight());
    return {twips::toPixels(list->colWidth(0)) / 2, r * rowPx + rowPx / 2};
}
} // namespace

class tst_openingbalances : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        platform::SqlConnection::setFailureHook({});
        platform::restorePointer();
    }
    void documentNumbersWithinAndAcrossDays();
    void documentNumbersOfTheWindow();
    void amountsAreStrictDecimalsRoundedToTheCent_data();
    void amountsAreStrictDecimalsRoundedToTheCent();
    void lookupFillsOneMatchAndRefusesASecondBalance();
    void saveTakesTheAccountOfTheExactCode();
    void pickerThroughTheLookup();
    void pickerPicksByDoubleClickAndClosesTheMatches();
    void changeCorrectsTheAmountOnly();
    void deleteAndFailedWrites();
    void refusalsBeforeAnAppendAndReadOnly();
    void menuOpensTheWindowAfterTheGate();
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
    addBalance(db, QVariant(), "1002", 100, "2026年02月"); // carried forward: no number
    addBalance(db, "CSH20260105ABCD", "1121", 100);       // not of the form: never given out
    QCOMPARE(ledger::nextOpeningDocumentNumber(day, &why), QStringLiteral("CSH202601050004"));
    QCOMPARE(ledger::nextOpeningDocumentNumber(day.addDays(-1), &why), QStringLiteral("CSH202601040008"));
    QCOMPARE(ledger::nextOpeningDocumentNumber(day.addDays(1), &why), QStringLiteral("CSH202601060001"));

    // The highest number deleted is given again; a gap below it is not filled.
    db.run("delete from zzqcye where djh='CSH202601050003'");
    QCOMPARE(ledger::nextOpeningDocumentNumber(day, &why), QStringLiteral("CSH202601050003"));
    db.run("delete from zzqcye where djh='CSH202601050001'");
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
        startBalance(w, code);
        type(w.editor->text1, "10");
        press(w, "button_save");
    }
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(db.scalar("select group_concat(substr(djh, 12), ',') from (select djh from zzqcye where djh like ? "
                       "order by djh)",
                       {"CSH" + today() + "%"}),
             QStringLiteral("0001,0002,0003"));
    QCOMPARE(db.scalar("select kjqj || kjnd || rq from zzqcye where km_no='1121'"),
             "2026年01月2026年" + QDate::currentDate().toString(Qt::ISODate));

    // A day's sequence ends at 9999; past it the append is refused, not repeated.
    addBalance(db, "CSH" + today() + "9999", "1101", 100);
    press(w, "button_append");
    QVERIFY(boxes.lastText().contains("9999"));
    QVERIFY(!w.editor->isAppending());
    QCOMPARE(w.dataRows(), 4);
    QVERIFY(w.isButtonEnabled("button_append"));
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
    QLineEdit *text1 = w.editor->text1;
    startBalance(w, "1001");
    QCOMPARE(w.MSFlexGrid1->col(), 4);

    type(text1, typed);
    enter(text1);
    if (!refusal.isEmpty()) {
        QCOMPARE(boxes.lastText(), refusal);
        QCOMPARE(w.MSFlexGrid1->col(), 4);
        QCOMPARE(w.MSFlexGrid1->textMatrix(1, 4), QString()); // cleared, to be typed afresh
        // The save applies the same rule to a text that skipped Enter.
        type(text1, typed);
        press(w, "button_save");
        QCOMPARE(boxes.lastText(), refusal);
        QVERIFY(w.editor->isAppending());
        QCOMPARE(db.count("zzqcye"), 0);
        return;
    }
    QCOMPARE(w.MSFlexGrid1->col(), 5);
    QCOMPARE(w.MSFlexGrid1->textMatrix(1, 4), shown);
    press(w, "button_save");
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(db.scalar("select qcje from zzqcye where km_no='1001'").toLongLong(), cents);
    QCOMPARE(w.MSFlexGrid1->textMatrix(1, 4), shown);

    // Saved straight from the amount cell, without Enter, the same amount is stored.
    startBalance(w, "1002");
    type(text1, typed);
    press(w, "button_save");
    QCOMPARE(db.scalar("select qcje from zzqcye where km_no='1002'").toLongLong(), cents);
    QCOMPARE(w.MSFlexGrid1->textMatrix(2, 4), shown);
}

void tst_openingbalances::lookupFillsOneMatchAndRefusesASecondBalance()
{
    TestDb db;
    setUpBooks(db);
    addBalance(db, "CSH202601010001", "1002", 100);
    MessageBoxes boxes;
    frmzzqcye w;
    w.show();
    QLineEdit *text1 = w.editor->text1;

    for (const QString &search : {QStringLiteral("xyz"), QStringLiteral("'\""), QStringLiteral("%")}) {
        startBalance(w, search);
        QCOMPARE(boxes.lastText(), kNotFound);
        QCOMPARE(boxes.shown().back().kind, platform::MsgKind::PlainNotice);
        QCOMPARE(w.MSFlexGrid1->textMatrix(2, 1), QString());
        QCOMPARE(w.MSFlexGrid1->col(), 1);
        press(w, "button_cx");
    }

    startBalance(w, "yhck");
    QCOMPARE(boxes.lastText(), QStringLiteral(" 已存在此会计科目总帐期初余额，请重新输入！"));
    QCOMPARE(w.MSFlexGrid1->textMatrix(2, 1), QString());
    QCOMPARE(w.MSFlexGrid1->col(), 1);

    type(text1, "应收");
    enter(text1);
    QCOMPARE(row(w.MSFlexGrid1, 2), (QStringList{"2", "1121", "YSPJ", "应收票据", ""}));
    QCOMPARE(w.MSFlexGrid1->col(), 4);
    // The new row walks amount, remark, account.
    type(text1, "5");
    enter(text1);
    QCOMPARE(w.MSFlexGrid1->col(), 5);
    type(text1, "备注不存");
    enter(text1);
    QCOMPARE(w.MSFlexGrid1->col(), 1);
    QCOMPARE(w.MSFlexGrid1->row(), 2);
    press(w, "button_save");
    QCOMPARE(db.scalar("select qcje from zzqcye where km_no='1121'"), QStringLiteral("500"));
}

void tst_openingbalances::saveTakesTheAccountOfTheExactCode()
{
    TestDb db;
    setUpBooks(db);
    addBalance(db, "CSH202601010001", "2001", -100);
    MessageBoxes boxes;
    frmzzqcye w;
    w.show();
    QLineEdit *text1 = w.editor->text1;

    press(w, "button_append");
    press(w, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("【会计科目】不能为空，请重新输入！"));
    type(text1, "现");
    press(w, "button_save");
    QCOMPARE(boxes.lastText(), kNotFound); // a search text is not a code
    text1->selectAll(); // a refused save keeps what was typed
    type(text1, "2001");
    press(w, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("会计科目【短期借款】的总帐期初余额已存在，请重新选择会计科目！"));
    QCOMPARE(w.MSFlexGrid1->col(), 1);

    // Looked up as one account, then overtyped with another's code: the other is saved whole.
    text1->selectAll();
    type(text1, "现金");
    enter(text1);
    QCOMPARE(w.MSFlexGrid1->textMatrix(2, 3), QStringLiteral("现金"));
    type(text1, "50");
    enter(text1);
    enter(text1);
    type(text1, "yspj");
    QCOMPARE(w.MSFlexGrid1->textMatrix(2, 1), QStringLiteral("yspj"));
    db.run("update kmdmk set km_no='YSPJ' where km_no='1121'"); // a code written in capitals
    press(w, "button_save");
    QCOMPARE(db.scalar("select km_no || '|' || km_zjf || '|' || km_name || '|' || qcje from zzqcye where djh like ?",
                       {"CSH" + today() + "%"}),
             QStringLiteral("YSPJ|YSPJ|应收票据|5000"));
    QCOMPARE(row(w.MSFlexGrid1, 2), (QStringList{"2", "YSPJ", "YSPJ", "应收票据", "50.00"}));
    QVERIFY(!w.editor->isAppending());
}

void tst_openingbalances::pickerThroughTheLookup()
{
    TestDb db;
    setUpBooks(db);
    addBalance(db, "CSH202601010001", "2001", -100);
    MessageBoxes boxes;
    frmzzqcye w;
    w.show();
    QLineEdit *text1 = w.editor->text1;

    // Cancel leaves the search text where it was.
    QStringList listed;
    whenPickerOpens(&w, [&](frmkjkmcxck *picker) {
        listed = column(picker->MSflexGridsp, 0);
        QCOMPARE(picker->windowTitle(), QStringLiteral("会计科目查询窗口"));
        picker->cmdqx->click();
    });
    startBalance(w, "dq");
    QCOMPARE(listed, (QStringList{"1101", "2001"}));
    QCOMPARE(row(w.MSFlexGrid1, 2), (QStringList{"2", "dq", "", "", ""}));
    QCOMPARE(w.MSFlexGrid1->col(), 1);
    QVERIFY(w.editor->isAppending());

    // An account that has a balance is refused and the picker stays; any key in the list
    // then picks the row that is current, without moving first.
    bool stayedOpen = false;
    whenPickerOpens(&w, [&](frmkjkmcxck *picker) {
        picker->MSflexGridsp->setRow(2);
        picker->cmdqd->click();
        stayedOpen = picker->isVisible() && picker->MSflexGridsp->row() == 2;
        picker->MSflexGridsp->setRow(1);
        QTest::keyClick(picker->MSflexGridsp, Qt::Key_Down);
    });
    enter(text1);
    QVERIFY(stayedOpen);
    QCOMPARE(boxes.lastText(), QStringLiteral(" 已存在此会计科目总帐期初余额，请重新选择！"));
    QCOMPARE(row(w.MSFlexGrid1, 2), (QStringList{"2", "1101", "DQTZ", "短期投资", ""}));
    QCOMPARE(w.MSFlexGrid1->col(), 4);
    type(text1, "-3.5");
    press(w, "button_save");
    QCOMPARE(db.scalar("select qcje from zzqcye where km_no='1101'"), QStringLiteral("-350"));
}

void tst_openingbalances::pickerPicksByDoubleClickAndClosesTheMatches()
{
    TestDb db;
    setUpBooks(db);
    MessageBoxes boxes;
    MSFlexGrid target;
    target.setCols(6);
    target.setRows(3);
    target.setRow(2);
    target.setTextMatrix(2, 1, "1");
    QString status;
    const RecordsetPtr matches = accounts::findAccounts("1", status);
    frmkjkmcxck picker(matches, &target);
    picker.show();
    QVERIFY(!matches->isOpen());
    QCOMPARE(column(picker.MSflexGridsp, 0), (QStringList{"1001", "1002", "1101", "1121"}));
    QCOMPARE(picker.MSflexGridsp->row(), 1);

    QTest::mouseClick(picker.MSflexGridsp->viewport(), Qt::LeftButton, {}, centreOfListRow(picker.MSflexGridsp, 3));
    QTest::mouseDClick(picker.MSflexGridsp->viewport(), Qt::LeftButton, {}, centreOfListRow(picker.MSflexGridsp, 3));
    QCOMPARE(picker.result(), int(QDialog::Accepted));
    QCOMPARE(target.textMatrix(2, 1) + target.textMatrix(2, 2) + target.textMatrix(2, 3),
             QStringLiteral("1101DQTZ短期投资"));
    QCOMPARE(target.col(), 4);
    QCOMPARE(target.row(), 2);
    QCOMPARE(boxes.count(), 0);
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
    QCOMPARE(column(w.MSFlexGrid1, 1), QStringList{"1001"});
    QLineEdit *text2 = w.editor->text2;

    w.MSFlexGrid1->setRow(1);
    press(w, "button_edit");
    QCOMPARE(w.MSFlexGrid1->col(), 4);
    QCOMPARE(text2->text(), QStringLiteral("100.00"));
    type(text2, "0.001");
    enter(text2);
    QCOMPARE(boxes.lastText(), kZero);
    type(text2, "1,5");
    enter(text2);
    QCOMPARE(boxes.lastText(), kNotANumber);
    type(text2, "7.005");
    enter(text2);
    QCOMPARE(w.MSFlexGrid1->col(), 5);
    QCOMPARE(w.MSFlexGrid1->textMatrix(1, 4), QStringLiteral("7.01"));
    enter(text2);
    QCOMPARE(w.MSFlexGrid1->col(), 4);
    press(w, "button_save");
    QCOMPARE(db.scalar("select qcje from zzqcye where km_no='1001'"), QStringLiteral("701"));

    press(w, "button_edit");
    type(text2, "5");
    press(w, "button_cx");
    QCOMPARE(w.MSFlexGrid1->textMatrix(1, 4), QStringLiteral("7.01"));
    QVERIFY(w.isButtonEnabled("button_back") && !w.isButtonEnabled("button_next")); // the only row is the last
    QCOMPARE(db.scalar("select qcje from zzqcye where km_no='1001'"), QStringLiteral("701"));

    // A balance deleted meanwhile: a change to it is reported, not written.
    db.run("delete from zzqcye where km_no='1001'");
    press(w, "button_edit");
    type(text2, "6");
    press(w, "button_save");
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
    addBalance(db, QVariant(), "1002", 900, "2026年02月");
    MessageBoxes boxes;
    frmzzqcye w;
    w.show();

    w.MSFlexGrid1->setRow(2);
    boxes.answer(QMessageBox::No);
    press(w, "button_delete");
    QCOMPARE(boxes.lastText(), QStringLiteral("确定要删除总帐科目【银行存款】的期初余额吗？"));
    QCOMPARE(w.dataRows(), 3);
    press(w, "button_delete");
    QCOMPARE(column(w.MSFlexGrid1, 1), (QStringList{"1001", "1121"}));
    QCOMPARE(column(w.MSFlexGrid1, 0), (QStringList{"1", "2"}));
    QCOMPARE(db.scalar("select count(*) from zzqcye where km_no='1002'"), QStringLiteral("1")); // carried forward

    platform::SqlConnection::setFailureHook(
        [](const QString &sql) { return sql.startsWith("INSERT") || sql.startsWith("delete from zzqcye"); });
    w.MSFlexGrid1->setRow(1);
    press(w, "button_delete");
    QVERIFY(boxes.lastText().startsWith(QStringLiteral("删除总帐期初余额失败")));
    QCOMPARE(column(w.MSFlexGrid1, 1), (QStringList{"1001", "1121"}));

    startBalance(w, "1002");
    type(w.editor->text1, "2");
    press(w, "button_save");
    QVERIFY(boxes.lastText().startsWith(QStringLiteral("总帐期初余额保存失败")));
    QVERIFY(w.editor->isAppending());
    QCOMPARE(db.count("zzqcye"), 3);
}

void tst_openingbalances::refusalsBeforeAnAppendAndReadOnly()
{
    TestDb db;
    setUpBooks(db);
    addBalance(db, "CSH202601010001", "1001", 100);
    MessageBoxes boxes;
    {
        db.run("update qy set bj=null where cdxm='qykjqj'"); // a Null flag is not set
        frmzzqcye w;
        w.show();
        press(w, "button_append");
        QCOMPARE(boxes.lastText(), QStringLiteral("【初次使用会计期间】尚未设置，不能设置总帐科目期初余额！"));
        QVERIFY(!w.editor->isAppending());
        QCOMPARE(w.dataRows(), 1);
        db.run("update qy set bj='1' where cdxm='qykjqj'");
    }

    db.run("update qy set qyqj='js' where cdxm='sjcsh'");
    boxes.clear();
    frmzzqcye w;
    w.show();
    QVERIFY(w.isReadOnly());
    QCOMPARE(column(w.MSFlexGrid1, 1), QStringList{"1001"});
    for (const char *key : {"button_append", "button_edit", "button_delete", "button_cx", "button_save"})
        QVERIFY2(!w.isButtonEnabled(key), key);
    QVERIFY(w.isButtonEnabled("button_next"));
    for (const char *key : {"button_append", "button_edit", "button_delete"})
        w.buttonClick(key);
    QVERIFY(!w.editor->openEditor());
    QCOMPARE(w.dataRows(), 1);
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(db.count("zzqcye"), 1);
}

void tst_openingbalances::menuOpensTheWindowAfterTheGate()
{
    TestDb db;
    setUpBooks(db);
    MDIMain main;
    main.menuItem("menuzzqcye")->trigger();
    main.menuItem("menuzzqcye")->trigger();
    const auto windows = main.mdiArea()->subWindowList();
    QCOMPARE(windows.size(), 1);
    QVERIFY(qobject_cast<frmzzqcye *>(windows.first()->widget()));
}

QTEST_MAIN(tst_openingbalances)
#include "tst_openingbalances.moc"
