// The set-up of fresh books: the flags, clearing the books, the first period, the end.
#include "accounts/frmqykjqj.h"
#include "accounts/ledgersetup.h"
#include "bookstestcase.h"
#include "frame/mdimain.h"
#include "platform/desktop.h"
#include "platform/keyedtoolbar.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QtTest>

using testsupport::TestDb;

namespace {
const QStringList kClearedTables = {"pzhzk", "pzhzkls", "pzhzktemp", "zzqcye", "pzk", "pzkls", "pzktemp"};

void fillEveryTable(TestDb &db)
{
    db.run("insert into kmdmk (km_no, km_zjf, km_name) values ('1001', 'XJ', '现金')");
    db.run("update dwmc set dw_name='澄川'");
    db.run("update dqkjqj set kjqj='2026年01月', kjnd='2026年'");
    for (const QString &t : kClearedTables)
        db.run("insert into " + t + " default values");
}

// A flag as the books hold it: "set", "not set" or "unreadable".
QString state(std::optional<bool> (*read)(QString *))
{
    QString error;
    const auto flag = read(&error);
    return !flag ? QStringLiteral("unreadable") : *flag ? QStringLiteral("set") : QStringLiteral("not set");
}

bool savePeriod(frmqykjqj &window, const QString &year, const QString &month)
{
    window.Toolbar1()->click("button_edit");
    window.txtitem(0)->setText(year);
    window.txtitem(1)->setText(month);
    window.Toolbar1()->click("button_save");
    return !window.isEditing();
}
} // namespace

class tst_ledgersetup : public testsupport::BooksTestCase {
    Q_OBJECT
private slots:
    void freshBooksRefuseTheLaterSteps();
    void clearingAnsweredNoOrFailedChangesNothing_data();
    void clearingAnsweredNoOrFailedChangesNothing();
    void clearingEmptiesExactlyTheLedger();
    void firstPeriodBoundaries_data();
    void firstPeriodBoundaries();
    void firstPeriodIsWrittenWholeOrNotAtAll();
    void endingInitialisation();
    void unreadableFlagsRefuseEveryStep();
    void unreadableFlagsAtLoadDisableTheSteps();
    void lockedBooksCannotBeRead();
    void noStepSucceedsOnAFailedRead_data();
    void noStepSucceedsOnAFailedRead();
    void stepsTestTheirFlagInsideTheirWork();
};

void tst_ledgersetup::freshBooksRefuseTheLaterSteps()
{
    MDIMain main;
    for (const char *item : {"menucskjqj", "menuzzqcye", "menusjcshz"})
        main.menuItem(item)->trigger();
    QCOMPARE(boxes_->texts(), (QStringList{"数据初始化尚未完成数据清理，不能设置初始会计期间！",
                                           "尚未进行数据初始化，不能设置期初数据！",
                                           "【初次使用会计期间】尚未设置，不能结束数据初始化！"}));
    QCOMPARE(boxes_->shown().back().kind, platform::MsgKind::PlainNotice);

    // A Null flag is not set either: the gates still refuse.
    db_->run("update qy set bj=null");
    main.menuItem("menucskjqj")->trigger();
    QCOMPARE(boxes_->count(), 4);
    QCOMPARE(state(accounts::booksCleared), QStringLiteral("not set"));
}

void tst_ledgersetup::clearingAnsweredNoOrFailedChangesNothing_data()
{
    QTest::addColumn<bool>("writeFails");
    QTest::newRow("answered No") << false;
    QTest::newRow("a write fails") << true;
}

void tst_ledgersetup::clearingAnsweredNoOrFailedChangesNothing()
{
    QFETCH(bool, writeFails);
    fillEveryTable(*db_);
    MDIMain main;
    {
        std::optional<testsupport::FailingStatements> failing;
        if (writeFails)
            failing.emplace([](const QString &sql) { return sql.contains("pzkls"); });
        boxes_->answer(writeFails ? QMessageBox::Yes : QMessageBox::No);
        main.menuItem("menusjcshs")->trigger();
    }
    if (writeFails)
        QVERIFY(boxes_->lastText().startsWith(QStringLiteral("数据清理失败")));
    else
        QCOMPARE(boxes_->shown().back().defaultButton, QMessageBox::No);
    for (const QString &t : kClearedTables)
        QCOMPARE(db_->count(t), 1);
    QCOMPARE(state(accounts::booksCleared), QStringLiteral("not set"));
    QVERIFY(main.menuItem("menusjcshs")->isEnabled());
}

void tst_ledgersetup::clearingEmptiesExactlyTheLedger()
{
    fillEveryTable(*db_);
    {
        MDIMain main;
        boxes_->answer(QMessageBox::Yes);
        main.menuItem("menusjcshs")->trigger();
        QCOMPARE(boxes_->texts(),
                 (QStringList{"数据初始化将清除所有数据且不能回转（保留会计科目信息），开始进行数据初始化吗？",
                              "数据初始化已成功完成数据清理，现在您可以设置初次使用会计期间！"}));
        QVERIFY(!main.menuItem("menusjcshs")->isEnabled());
    }
    for (const QString &t : kClearedTables)
        QVERIFY2(db_->count(t) == 0, qPrintable(t));
    QCOMPARE(db_->rows("select (select count(*) from kmdmk), (select count(*) from czy), dw_name, "
                       "(select kjqj from dqkjqj) from dwmc"),
             QStringList{"1|1|澄川|2026年01月"});
    QCOMPARE(state(accounts::booksCleared) + '|' + state(accounts::firstPeriodSet), QStringLiteral("set|not set"));

    // The next start disables the item from the beginning, and a second clearing is refused.
    MDIMain again;
    QVERIFY(!again.menuItem("menusjcshs")->isEnabled());
    again.menusjcshs_Click();
    QCOMPARE(boxes_->lastText(), QStringLiteral("数据初始化已经完成数据清理，不能再进行初始化操作！"));
}

void tst_ledgersetup::firstPeriodBoundaries_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<QString>("stored");
    const QString badYear = "年份不合法，应输入四位年份（1990-2100），请重新输入！";
    const QString badMonth = "月份不合法，应输入二位月份（1-12），请重新输入！";
    auto row = [](const char *tag, const char *year, const char *month, const QString &message,
                  const char *stored = "") { QTest::newRow(tag) << year << month << message << stored; };
    row("first year", "1990", "1", {}, "1990年01月");
    row("last year", "2100", "12", {}, "2100年12月");
    row("blank and digit", "2004", " 9", {}, "2004年09月");
    row("blanks around the year", " 2025 ", "11", {}, "2025年11月");
    row("before first year", "1989", "1", badYear);
    row("after last year", "2101", "1", badYear);
    row("exponent year", "2E3", "1", badYear);
    row("month zero", "2004", "0", badMonth);
    row("month double zero", "2004", "00", badMonth);
    row("month thirteen", "2004", "13", badMonth);
    row("signed month", "2004", "+5", badMonth);
    row("month with point", "2004", "5.", badMonth);
    row("both empty", " ", "", "启用年份不能为空，请重新输入！");
    row("month empty", "2004", "", "启用月份不能为空，请重新输入！");
}

void tst_ledgersetup::firstPeriodBoundaries()
{
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, message);
    QFETCH(QString, stored);
    frmqykjqj window;
    window.show();
    const bool saved = savePeriod(window, year, month);
    QCOMPARE(saved, message.isEmpty());
    if (saved) {
        QCOMPARE(db_->rows("select kjqj, (select qyqj from qy where cdxm='qykjqj') from dqkjqj"),
                 QStringList{stored + '|' + stored});
        QCOMPARE(window.txtitem(0)->text() + '|' + window.txtitem(1)->text(), stored.left(4) + '|' + stored.mid(5, 2));
    } else {
        QCOMPARE(boxes_->count(), 1);
        QCOMPARE(boxes_->lastText(), message);
        QCOMPARE(db_->scalar("select kjqj from dqkjqj"), QString());
        QCOMPARE(state(accounts::firstPeriodSet), QStringLiteral("not set"));
        // A refused range check empties its own box only.
        if (message.contains("年份不合法"))
            QVERIFY(window.txtitem(0)->text().isEmpty() && window.txtitem(1)->text() == month);
        if (message.contains("月份不合法"))
            QVERIFY(window.txtitem(1)->text().isEmpty() && window.txtitem(0)->text() == year);
    }
}

void tst_ledgersetup::firstPeriodIsWrittenWholeOrNotAtAll()
{
    db_->run("update qy set bj='1' where cdxm='sjcsh'");
    frmqykjqj window;
    QSignalSpy saved(&window, &frmqykjqj::firstPeriodSaved);
    window.show();
    {
        testsupport::FailingStatements failing(
            [](const QString &sql) { return sql.contains("dqkjqj") && sql.startsWith("UPDATE"); });
        QVERIFY(!savePeriod(window, "2004", "5"));
    }
    QVERIFY(boxes_->lastText().startsWith(QStringLiteral("会计期间保存失败")));
    QCOMPARE(db_->scalar("select count(*) from qy where cdxm='qykjqj' and (bj='1' or qyqj<>'')"), QStringLiteral("0"));

    QVERIFY(savePeriod(window, "2004", "5"));
    QCOMPARE(boxes_->lastText(),
             QStringLiteral("会计期间设置成功，系统自2004年05月开始使用，您可以设置会计科目、总帐期初余额！"));
    QCOMPARE(db_->scalar("select kjnd from dqkjqj"), QStringLiteral("2004年"));
    QCOMPARE(db_->scalar("select bj from qy where cdxm='qykjqj'"), QStringLiteral("1"));
    QCOMPARE(saved.count(), 1); // the main window disables its menu item on it
    QVERIFY(!window.txtitem(0)->isEnabled());
    QCOMPARE(window.txtitem(1)->text(), QStringLiteral("05"));

    // While open, the window may correct the period it set itself.
    QVERIFY(savePeriod(window, "2005", "3"));
    QCOMPARE(db_->scalar("select qyqj from qy where cdxm='qykjqj'"), QStringLiteral("2005年03月"));

    // 撤消 after a refused save empties both boxes_->
    window.Toolbar1()->click("button_edit");
    window.txtitem(0)->setText("1800");
    window.Toolbar1()->click("button_save");
    window.Toolbar1()->click("button_cancel");
    QVERIFY(window.txtitem(0)->text().isEmpty() && window.txtitem(1)->text().isEmpty());
    QCOMPARE(db_->scalar("select kjqj from dqkjqj"), QStringLiteral("2005年03月"));
}

void tst_ledgersetup::endingInitialisation()
{
    db_->run("update qy set bj='1'");
    MDIMain main;
    QVERIFY(!main.menuItem("menucskjqj")->isEnabled());
    boxes_->answer(QMessageBox::No);
    main.menuItem("menusjcshz")->trigger();
    QCOMPARE(boxes_->lastText(), QStringLiteral("结束初始化后，总帐期初余额只能查询，不能添加修改，确认结束吗？"));
    QCOMPARE(state(accounts::initialisationEnded), QStringLiteral("not set"));
    QVERIFY(main.menuItem("menusjcshz")->isEnabled());

    boxes_->answer(QMessageBox::Yes);
    main.menuItem("menusjcshz")->trigger();
    QCOMPARE(boxes_->lastText(), QStringLiteral("数据初始化结束！"));
    QCOMPARE(state(accounts::initialisationEnded), QStringLiteral("set"));
    QVERIFY(!main.menuItem("menusjcshz")->isEnabled());
    MDIMain again;
    QVERIFY(!again.menuItem("menusjcshz")->isEnabled());
    QVERIFY(again.menuItem("menuzzqcye")->isEnabled());
}

void tst_ledgersetup::unreadableFlagsRefuseEveryStep()
{
    fillEveryTable(*db_);
    MDIMain main;
    // Books in use, locked by another program after the main window loaded.
    db_->run("update qy set bj='1'");
    db_->run("update qy set qyqj='js' where cdxm='sjcsh'");
    for (const char *item : {"menusjcshs", "menucskjqj", "menuzzqcye", "menusjcshz"}) {
        boxes_->clear();
        {
            testsupport::FailingStatements locked(testsupport::statementsOn("qy"));
            main.menuItem(item)->trigger();
        }
        QCOMPARE(boxes_->count(), 1);
        QCOMPARE(boxes_->shown().back().kind, platform::MsgKind::Notice);
        QVERIFY2(boxes_->lastText().startsWith(QStringLiteral("无法读取账簿数据：")), item);
        QVERIFY(main.mdiArea()->subWindowList().isEmpty());
    }
    for (const QString &t : kClearedTables)
        QCOMPARE(db_->count(t), 1);
    QCOMPARE(db_->scalar("select count(*) from qy where cdxm in ('sjcsh', 'qykjqj') and bj='1'"), QStringLiteral("2"));
}

void tst_ledgersetup::unreadableFlagsAtLoadDisableTheSteps()
{
    std::unique_ptr<MDIMain> main;
    {
        testsupport::FailingStatements locked(testsupport::statementsOn("qy"));
        main = std::make_unique<MDIMain>();
    }
    for (const char *item : {"menusjcshs", "menucskjqj", "menusjcshz"})
        QVERIFY2(!main->menuItem(item)->isEnabled(), item);
    QVERIFY(main->menuItem("menuzzqcye")->isEnabled());
    QCOMPARE(boxes_->count(), 1);
    QVERIFY(boxes_->lastText().startsWith(QStringLiteral("无法读取账簿数据：")));
}

void tst_ledgersetup::lockedBooksCannotBeRead()
{
    testsupport::OtherProgram other(db_->path());
    QVERIFY(other.run({"BEGIN EXCLUSIVE"}));
    QCOMPARE(state(accounts::booksCleared), QStringLiteral("unreadable"));
    QVERIFY(other.letGo());
    QCOMPARE(state(accounts::booksCleared), QStringLiteral("not set"));
}

void tst_ledgersetup::noStepSucceedsOnAFailedRead_data()
{
    QTest::addColumn<int>("step");
    QTest::newRow("clearing the books") << 0;
    QTest::newRow("saving the first period") << 1;
    QTest::newRow("ending initialisation") << 2;
}

// The reads that carry each row's identity fail, as when another program held the books
// a moment: no step then reports success, and none changes the books.
void tst_ledgersetup::noStepSucceedsOnAFailedRead()
{
    QFETCH(int, step);
    fillEveryTable(*db_);
    if (step == 2)
        db_->run("update qy set bj='1'");
    const auto books = [this] {
        return db_->rows("select cdxm, bj, qyqj from qy order by cdxm") + db_->rows("select * from dqkjqj") +
               db_->rows("select count(*) from pzk");
    };
    const QStringList before = books();
    QString error;
    {
        testsupport::FailingStatements failing([](const QString &sql) { return sql.contains("_rowid_"); });
        const bool done = step == 0   ? accounts::clearBooks(&error)
                          : step == 1 ? accounts::saveFirstPeriod("2004年05月", "2004年", {}, &error)
                                      : accounts::endInitialisation(&error);
        QVERIFY(!done);
    }
    QVERIFY(!error.isEmpty());
    QCOMPARE(books(), before);
}

void tst_ledgersetup::stepsTestTheirFlagInsideTheirWork()
{
    fillEveryTable(*db_);
    // Set by another program, or behind a menu read before: both steps refuse untouched.
    db_->run("update qy set bj='1', qyqj='2026年01月'");
    QString error;
    QVERIFY(!accounts::clearBooks(&error));
    QCOMPARE(error, QStringLiteral("数据初始化已经完成数据清理，不能再进行初始化操作！"));
    for (const QString &t : kClearedTables)
        QCOMPARE(db_->count(t), 1);

    frmqykjqj window;
    window.show();
    QVERIFY(!savePeriod(window, "2004", "5"));
    QCOMPARE(boxes_->lastText(),
             QStringLiteral("会计期间保存失败，未作任何修改：初次使用会计期间已设置为2026年01月，不能再次设置！"));
    QCOMPARE(db_->scalar("select kjqj from dqkjqj"), QStringLiteral("2026年01月"));
    QCOMPARE(db_->scalar("select qyqj from qy where cdxm='qykjqj'"), QStringLiteral("2026年01月"));
}

QTEST_MAIN(tst_ledgersetup)
#include "tst_ledgersetup.moc"
