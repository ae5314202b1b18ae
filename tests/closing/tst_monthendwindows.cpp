// The month-end windows as the operator uses them: the balance check, the summary, the
// period status, the closing behind its gate, and the summaries of closed periods.
#include "closing/frmkjqjjz.h"
#include "closing/frmkjqjzt.h"
#include "closing/frmpzhz.h"
#include "closing/frmpzhzcx.h"
#include "closing/frmssph.h"
#include "frame/mdimain.h"
#include "monthendbooks.h"
#include "platform/flexgrid.h"
#include "platform/keyedtoolbar.h"
#include "previewseam.h"
#include "reportpages.h"
#include "testsupport.h"
#include "vouchers/frmpzcx.h"
#include "vouchers/frmpzlr.h"
#include "windowsteps.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace testsupport;

namespace {
using Opener = std::function<ReadOnlyList *()>;
const std::map<QString, Opener> kLists = {
    {"frmssph", [] { return new frmssph; }},
    {"frmpzhz", [] { return new frmpzhz; }},
    {"frmpzhzcx", [] { return new frmpzhzcx; }},
};

std::unique_ptr<ReadOnlyList> open(const QString &name) { return std::unique_ptr<ReadOnlyList>(kLists.at(name)()); }

QStringList gridRows(const GridFrame &w) { return testsupport::gridRows(w.MSFlexGrid1()); }

// First, back, next, last and print, as enabled or not.
QString buttons(const GridFrame &w)
{
    QString out;
    for (const char *key : {"button_first", "button_back", "button_next", "button_last", "button_print"})
        out += w.isButtonEnabled(QString::fromLatin1(key)) ? '1' : '0';
    return out;
}

// What the three list windows list: March's vouchers and opening balances, and three
// closed months, saved out of order.
void writeListBooks(TestDb &db)
{
    startMonth(db);
    addOpening(db, "1001", 50000);
    addOpening(db, "2001", -12345); // a credit opening balance
    addOpening(db, "3001", 700);    // opening only
    addLine(db, 10, "1001", 10, 0); // 0.10 + 0.20 against 0.30 balances to the cent
    addLine(db, 10, "1002", 20, 0);
    addLine(db, 10, "2001", 0, 30);
    addLine(db, 9, "2001", 0, 1000); // credit only: fails
    addLine(db, 2, "1001", 500, 0);  // both totals 0 once corrected: balances
    addLine(db, 2, "1001", -500, 0);
    for (const QString period : {"2004年01月", "2004年12月", "2004年02月"})
        db.run("insert into pzhzkls (km_no, km_zjf, km_name, kjqj, qcje, jfje, dfje, qmje, bz) values "
               "('2001', 'ZJ2001', '科目2001', ?1, -100, 0, 300, -400, '已结转'), "
               "('1001', 'ZJ1001', '科目1001', ?1, 100, 300, 0, 400, '已结转')",
               {period});
}

// Runs the closing gate; a closing window that comes up is closed once it has finished,
// and what it said is returned ("" when none came up).
QString runGate(MDIMain &main)
{
    QString said;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *w = qobject_cast<frmkjqjjz *>(QApplication::activeModalWidget());
        if (w && w->finished()) {
            said = w->Label1()->text();
            w->close();
        }
    });
    poll.start(5);
    main.menukjqjjz_Click();
    return said;
}

QStringList openWindowNames(MDIMain &main)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList names;
    for (QMdiSubWindow *sub : main.mdiArea()->subWindowList())
        names << sub->widget()->objectName();
    names.sort();
    return names;
}
} // namespace

class tst_monthendwindows : public QObject {
    Q_OBJECT
private slots:
    void listsAndPrintsWhatItShows_data();
    void listsAndPrintsWhatItShows();
    void totalsRowExactOrOverflow_data();
    void totalsRowExactOrOverflow();
    void historyChoosesAClosedPeriod();
    void periodStatusCountsAndDate();
    void closingFromTheMenu_data();
    void closingFromTheMenu();
};

void tst_monthendwindows::listsAndPrintsWhatItShows_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("rows"); // the grid's, the totals row last
    QTest::addColumn<QString>("period");
    const QString pass = "借贷平衡，审核通过！", fail = "借贷不平衡，未通过审核！";
    QTest::newRow("balance check") << "frmssph"
                                   << QStringList{"1|2|||" + pass, "2|9||10.00|" + fail, "3|10|0.30|0.30|" + pass,
                                                  "|  合    计|0.30|10.30|"}
                                   << kMarch;
    QTest::newRow("summary") << "frmpzhz"
                             << QStringList{"1|1001|科目1001|500.00|0.10||500.10|", "2|1002|科目1002||0.20||0.20|",
                                            "3|2001|科目2001|-123.45||10.30|-133.75|", "4|3001|科目3001|7.00|||7.00|",
                                            "|合    计||383.55|0.30|10.30|373.55|"}
                             << kMarch;
    // Opening and closing balances of closed periods are not totalled on screen.
    QTest::newRow("history, newest period first")
        << "frmpzhzcx"
        << QStringList{"1|1001|科目1001|1.00|3.00||4.00|", "2|2001|科目2001|-1.00||3.00|-4.00|",
                       "|  合    计|||3.00|3.00||"}
        << "2004年12月";
    // An empty list still prints: its headers and zero totals.
    for (const auto &[name, opener] : kLists)
        QTest::newRow(qPrintable("empty " + name)) << name << QStringList() << QString();
}

// Each list window lists its rows over a totals row and prints exactly those, with the
// company and period it was opened with, whatever other windows and the books do later.
void tst_monthendwindows::listsAndPrintsWhatItShows()
{
    QFETCH(QString, window);
    QFETCH(QStringList, rows);
    QFETCH(QString, period);
    TestDb db;
    db.run("update dwmc set dw_name='澄川商行'");
    if (!rows.isEmpty())
        writeListBooks(db);
    CapturedPrints prints;
    auto w = open(window);
    QCOMPARE(gridRows(*w), rows);
    QCOMPARE(w->periodText(), period);
    QCOMPARE(buttons(*w), rows.isEmpty() ? "00001" : "00111");
    // What the first column lists, the totals row's caption left out.
    const QStringList firstColumn = gridColumn(w->MSFlexGrid1(), 1).first(std::max<qsizetype>(rows.size() - 1, 0));

    db.run("update dwmc set dw_name='别家'");
    for (const auto &[name, opener] : kLists)
        open(name);
    w->Toolbar1()->click("button_print");
    QCOMPARE(prints.documents.size(), 1);
    const auto &page = prints.documents.first().pages.first();
    QCOMPARE(text(page, "label3"), "澄川商行");
    QCOMPARE(text(page, "label5"), period);
    QCOMPARE(texts(page, "Text1"), firstColumn);
    if (!rows.isEmpty()) { // the totals row is the last row
        w->Toolbar1()->click("button_last");
        QCOMPARE(w->MSFlexGrid1()->row(), rows.size());
        QCOMPARE(buttons(*w), "11001");
    }
}

void tst_monthendwindows::totalsRowExactOrOverflow_data()
{
    QTest::addColumn<qint64>("opening"); // of 1001 and of 3001
    QTest::addColumn<QString>("totals");
    QTest::newRow("past the digits an amount is typed with")
        << 300'000'000'000'000'000LL << "|合    计||6000000000000000.00|0.00|0.00|6000000000000000.00|";
    QTest::newRow("past integer cents") << 5'000'000'000'000'000'000LL << "|合    计||溢出|0.00|0.00|溢出|";
}

// The totals row adds up the listed amounts exactly, however large, or says it cannot.
void tst_monthendwindows::totalsRowExactOrOverflow()
{
    QFETCH(qint64, opening);
    TestDb db;
    startMonth(db);
    addOpening(db, "1001", opening);
    addOpening(db, "3001", opening);
    frmpzhz w;
    QTEST(gridRows(w).last(), "totals");
}

void tst_monthendwindows::historyChoosesAClosedPeriod()
{
    TestDb db;
    writeListBooks(db);
    db.run("update pzhzkls set jfje = 900 where kjqj='2004年12月' and km_no='1001'");
    frmpzhzcx w;
    w.show();
    QApplication::setActiveWindow(&w);
    QStringList listed;
    for (int i = 0; i < w.Combo1()->count(); ++i)
        listed << w.Combo1()->itemText(i);
    QCOMPARE(listed, QStringList({"2004年12月", "2004年02月", "2004年01月"}));
    const QStringList december = gridRows(w);
    w.Combo1()->setCurrentIndex(2);
    w.Combo1_Click();
    const QStringList january = gridRows(w);
    w.Combo1_Click(); // the same choice twice: the same rows
    QCOMPARE(gridRows(w), january);
    QVERIFY(january != december);
    QCOMPARE(w.periodText(), "2004年01月");
    // A period typed into the box runs nothing, with Enter or when the box is left, which
    // then shows the period listed again; a read that fails is told and leaves the list,
    // the box and the period to print as they were.
    MessageBoxes boxes;
    w.Combo1()->setFocus();
    windowsteps::enter(w.Combo1()->lineEdit(), "2004年12月");
    QTest::keyClick(w.Combo1(), Qt::Key_Return);
    emit w.Combo1()->lineEdit()->editingFinished();
    QCOMPARE(gridRows(w), january);
    QTest::keyClick(w.Combo1(), Qt::Key_Tab);
    QVERIFY(!w.Combo1()->hasFocus());
    QCOMPARE(w.Combo1()->currentText(), "2004年01月");
    {
        FailingStatements failing(statementsOn("pzhzkls"));
        w.Combo1()->setCurrentIndex(0);
        emit w.Combo1()->activated(0);
    }
    QVERIFY(boxes.lastText().startsWith("读取数据失败："));
    QCOMPARE(gridRows(w), january);
    QCOMPARE(w.Combo1()->currentText() + w.periodText(), "2004年01月2004年01月");
    db.run("delete from pzhzkls where kjqj='2004年02月'");
    w.Combo1()->setCurrentIndex(1);
    emit w.Combo1()->activated(1);
    QCOMPARE(w.dataRows(), 0);
    QCOMPARE(buttons(w), "00001");
}

void tst_monthendwindows::periodStatusCountsAndDate()
{
    TestDb db;
    startMonth(db);
    addLine(db, 1, "1001", 100, 0);
    addLine(db, 1, "2001", 0, 100);
    addLine(db, 2, "1001", 100, 0);
    addLine(db, 2, "2001", 0, 99); // a cent short
    {
        frmkjqjzt w(nullptr, QDate(2026, 3, 5));
        QVERIFY(w.loaded());
        const QStringList shown = {w.valueLabel(1)->text(), w.valueLabel(2)->text(), w.valueLabel(3)->text(),
                                   w.valueLabel(4)->text()};
        QCOMPARE(shown, QStringList({kMarch, "2", "1", "2026年3月5日"}));
    }
    MessageBoxes boxes;
    FailingStatements failing(statementsOn("pzktemp"));
    frmkjqjzt w;
    QVERIFY(!w.loaded());
    QVERIFY(boxes.lastText().startsWith("读取会计期间状态失败："));
}

void tst_monthendwindows::closingFromTheMenu_data()
{
    QTest::addColumn<qint64>("credit");   // the credit line of the month's one voucher; -1: no lines
    QTest::addColumn<QString>("failing"); // a table the closing cannot reach
    QTest::addColumn<QString>("work");    // typed and not saved: "voucher", "correction" or none
    QTest::addColumn<QList<QMessageBox::StandardButton>>("answers");
    QTest::addColumn<QStringList>("told");
    QTest::addColumn<QString>("said"); // by the closing window; "": none came up
    using B = QMessageBox::StandardButton;
    const QString sure = "结转后数据不能回转，确定要进行会计期间结转吗？", done = "结转成功，已结转至:" + kApril;
    const QList<B> yes{B::Yes};
    auto unsaved = [](const QString &window) {
        return "以下窗口中尚有未保存的内容：【" + window +
               "】。结转时这些窗口将被关闭，未保存的内容将丢失。\n确定要继续结转吗？（选择“否”可先保存，再进行结转）";
    };
    auto row = [](const char *tag, qint64 credit, const char *failing, const char *work, const QList<B> &answers,
                  const QStringList &told,
                  const QString &said) { QTest::newRow(tag) << credit << failing << work << answers << told << said; };
    const QString busy = mdlStandard::kBooksBusy;
    row("balanced month", 250, "", "", yes, {sure}, done);
    // Typed work is lost only when the user agrees; No keeps the month and the work.
    row("typed voucher kept", 250, "", "voucher", {B::Yes, B::No}, {sure, unsaved("会计凭证输入")}, "");
    row("typed voucher given up", 250, "", "voucher", {B::Yes, B::Yes}, {sure, unsaved("会计凭证输入")}, done);
    row("open correction kept", 250, "", "correction", {B::Yes, B::No}, {sure, unsaved("会计凭证查询修改")}, "");
    row("forced empty month", -1, "", "", {B::Yes, B::Yes}, {sure, "本月尚未发现有凭证数据输入，强制结转吗？"}, done);
    row("not confirmed", 250, "", "voucher", {B::No}, {sure}, "");
    row("unbalanced voucher", 240, "", "", yes, {sure, "尚存在不平衡凭证，无法完成结转！"}, "");
    row("lines unreadable", 250, "pzktemp", "", yes, {sure, "不能进行会计期间结转：" + busy}, "");
    row("closing fails", 250, "pzhzkls", "", yes, {sure, "会计期间结转失败，所有数据均保持原样：" + busy},
        "会计期间结转未能完成，所有数据均保持原样。");
}

// The gate behind the menu item: what it asks and tells, and that only a closing that
// went through advances the books and closes the windows over the month.
void tst_monthendwindows::closingFromTheMenu()
{
    QFETCH(qint64, credit);
    QFETCH(QString, failing);
    QFETCH(QString, work);
    QFETCH(QList<QMessageBox::StandardButton>, answers);
    QFETCH(QString, said);
    TestDb db;
    startMonth(db);
    addOpening(db, "1001", 1000);
    if (credit >= 0) {
        addLine(db, 1, "1001", 250, 0);
        addLine(db, 1, "2001", 0, credit);
    }
    MessageBoxes boxes;
    for (auto answer : answers)
        boxes.answer(answer);
    MDIMain main;
    main.show();
    for (const char *item : {"menussph", "menupzhz", "menupzhzcx"})
        main.menuItem(item)->trigger();
    // A voucher started, and a number typed or not; a correction opened on the first
    // line, and typed into, or not opened.
    QPointer<frmpzlr> entry = windowsteps::openFromMenu<frmpzlr>(main, "menupzlr");
    entry->Toolbar1()->click("button_append");
    if (work == "voucher")
        entry->Textpzhm()->setText("12");
    QPointer<frmpzcx> correction = windowsteps::openFromMenu<frmpzcx>(main, "menupzcx");
    if (work == "correction") {
        correction->MSFlexGrid1()->setRow(1);
        correction->Toolbar1()->click("button_edit");
        correction->editor()->text2()->setText("3");
    }
    const QStringList windows = {"frmpzcx", "frmpzhz", "frmpzhzcx", "frmpzlr", "frmssph"};
    QCOMPARE(openWindowNames(main), windows);
    const QStringList before = snapshot(db, false); // the summary window has rebuilt pzhzk
    {
        std::optional<FailingStatements> fail;
        if (!failing.isEmpty())
            fail.emplace(statementsOn(failing));
        QCOMPARE(runGate(main), said);
    }
    QTEST(boxes.texts(), "told");
    const bool closed = said == "结转成功，已结转至:" + kApril;
    QCOMPARE(db.scalar("select kjqj || kjnd from dqkjqj"), closed ? kApril + "2026" : kMarch + "2026年");
    QCOMPARE(openWindowNames(main), closed ? QStringList("frmpzhzcx") : windows);
    if (!closed) {
        QCOMPARE(snapshot(db, false), before);
        QCOMPARE(entry->Textpzhm()->text(), work == "voucher" ? "12" : "");
        QCOMPARE(correction->hasUnsavedWork(), work == "correction");
    }
}

QTEST_MAIN(tst_monthendwindows)
#include "tst_monthendwindows.moc"
