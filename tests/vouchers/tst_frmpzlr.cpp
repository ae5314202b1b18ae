// The voucher entry window driven with keys and toolbar clicks: its states, the Enter
// rhythm of a line, the account lookup and picker, the totals row, adding and removing
// lines, and what the save leaves on screen and in the books.
#include "db/period.h"
#include "frame/mdimain.h"
#include "platform/dtpicker.h"
#include "platform/flexgrid.h"
#include "platform/keyedtoolbar.h"
#include "testsupport.h"
#include "vouchers/accountlookup.h"
#include "vouchers/frmpzlr.h"
#include "vouchers/frmpzlrcxck.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

using testsupport::MessageBoxes;
using testsupport::TestDb;

namespace {
const QStringList kKeys = {"button_append", "button_cx", "button_save", "button_mx", "button_delete", "button_exit"};
const QString kIdleButtons = QStringLiteral("button_append,button_exit");
const QString kEntryButtons = QStringLiteral("button_cx,button_save,button_mx,button_delete,button_exit");

QString todaysPeriod() { return Period{QDate::currentDate().year(), QDate::currentDate().month()}.text(); }

// The current period is this month, so that a voucher dated today belongs to it.
void setUpBooks(TestDb &db)
{
    db.run("update dqkjqj set kjqj=?", {todaysPeriod()});
    db.run("insert into kmdmk (km_no, km_zjf, km_name) values ('1001','XJ','现金'), ('1002','YHCK','银行存款'), "
           "('1121','YSPJ','应收票据'), ('1231','HZZB','坏账准备%'), ('2001','DQJK','短期借款')");
}

QString enabledButtons(const frmpzlr &w)
{
    QStringList on;
    for (const QString &key : kKeys) {
        if (w.Toolbar1->button(key)->isEnabled())
            on << key;
    }
    return on.join(',');
}

void click(frmpzlr &w, const char *key) { w.Toolbar1->click(QString::fromLatin1(key)); }

// Types over the editor's text (all of it is selected when the editor arrives), then Enter.
void enter(QLineEdit *editor, const QString &text = QString())
{
    testsupport::typeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

// Every row of the grid below the header, its cells joined by "|".
QStringList gridRows(const MSFlexGrid *g, int lastColumn = 5)
{
    QStringList out;
    for (int r = 1; r < g->rows(); ++r) {
        QStringList cells;
        for (int c = 0; c <= lastColumn; ++c)
            cells << g->textMatrix(r, c);
        out << cells.join('|');
    }
    return out;
}

QString cellAt(const MSFlexGrid *g) { return QStringLiteral("%1:%2").arg(g->row()).arg(g->col()); }

QString lineText(int line, const QString &what)
{
    return QStringLiteral("第%1行 %2\r如该行不需要，您可以单击选择该记录，然后删除！").arg(line).arg(what);
}

struct Window {
    frmpzlr w;
    MSFlexGrid *g = w.MSFlexGrid1;
    QLineEdit *editor = w.TextSR;
    Window()
    {
        w.show();
        QApplication::setActiveWindow(&w);
    }
};
} // namespace

class tst_frmpzlr : public QObject {
    Q_OBJECT
private slots:
    void statesOfLoadStartAndCancel();
    void accountLookup_data();
    void accountLookup();
    void lineRhythmTotalsAndSave();
    void addAndRemoveLines();
    void refusedSavePointsAtTheFault_data();
    void refusedSavePointsAtTheFault();
    void failedSaveKeepsTheVoucherOnScreen();
    void menuOpensOneWindow();
};

void tst_frmpzlr::statesOfLoadStartAndCancel()
{
    TestDb db;
    setUpBooks(db);
    MessageBoxes boxes;
    Window e;
    QCOMPARE(e.w.windowTitle(), QStringLiteral("会计凭证输入"));
    QStringList toolbar;
    for (int i = 1; i <= e.w.Toolbar1->buttonCount(); ++i) {
        QAction *b = e.w.Toolbar1->button(i);
        toolbar << (!b->isSeparator() ? b->objectName() + ' ' + b->text() + ' ' + b->toolTip() : QStringLiteral("|"));
    }
    QCOMPARE(toolbar, (QStringList{"button_append 新  增 新增会计凭证", "button_cx 撤  消 撤消操作",
                                   "button_save 保  存 保存会计凭证", "|", "button_mx 增明细 添加明细记录",
                                   "button_delete 删明细 删除明细记录", "|", "button_exit 退  出 返回主菜单"}));
    QCOMPARE(enabledButtons(e.w), kIdleButtons);
    for (QWidget *hidden : std::initializer_list<QWidget *>{e.g, e.editor, e.w.DTPicker1, e.w.Textpzhm, e.w.Labelbj})
        QVERIFY(!hidden->isVisible());

    for (int round = 0; round < 2; ++round) {
        click(e.w, "button_append");
        QCOMPARE(enabledButtons(e.w), kEntryButtons);
        QCOMPARE(gridRows(e.g, 6), (QStringList{"1||||||", "|合   计：|||0.00|0.00|"}));
        QCOMPARE(cellAt(e.g), QStringLiteral("1:1"));
        QVERIFY(e.editor->isVisible() && e.g->isVisible() && e.w.Labelbj->isVisible());
        QCOMPARE(e.w.DTPicker1->value(), QDate::currentDate());
        QVERIFY(e.w.Textpzhm->text().isEmpty());
        testsupport::typeText(e.editor, "10");
        testsupport::typeText(e.w.Textpzhm, "5");
        // Abandoned without a question; the next voucher starts from line 1 again.
        click(e.w, "button_cx");
        QCOMPARE(enabledButtons(e.w), kIdleButtons);
        QVERIFY(!e.g->isVisible() && !e.editor->isVisible());
        QCOMPARE(e.g->rows(), 1);
    }
    QCOMPARE(boxes.count(), 0);
}

void tst_frmpzlr::accountLookup_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pick"); // what the picker is told, when it opens
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("line"); // columns 1 to 3 afterwards
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("message");

    const QString none = vouchers::kNoAccountFound;
    const QStringList ones = {"1001", "1002", "1121", "1231"};
    QTest::newRow("code, one match") << "1001" << "" << QStringList{} << "1001|XJ|现金" << 4 << "";
    QTest::newRow("initials, any case") << "yspj" << "" << QStringList{} << "1121|YSPJ|应收票据" << 4 << "";
    QTest::newRow("percent is typed text") << "%" << "" << QStringList{} << "1231|HZZB|坏账准备%" << 4 << "";
    QTest::newRow("quote matches nothing") << "'" << "" << QStringList{} << "||" << 1 << none;
    QTest::newRow("nothing found") << "qq" << "" << QStringList{} << "||" << 1 << none;
    QTest::newRow("several, double-click the third") << "1" << "double-click 3" << ones << "1121|YSPJ|应收票据" << 4
                                                     << "";
    QTest::newRow("several, a key takes the current row") << "10" << "key on 2" << QStringList{"1001", "1002"}
                                                          << "1002|YHCK|银行存款" << 4 << "";
    QTest::newRow("several, OK") << "款" << "ok on 2" << QStringList{"1002", "2001"} << "2001|DQJK|短期借款" << 4
                                 << "";
    QTest::newRow("several, cancel") << "10" << "cancel" << QStringList{"1001", "1002"} << "10||" << 1 << "";
    QTest::newRow("empty lists all") << "" << "cancel" << QStringList{"1001", "1002", "1121", "1231", "2001"} << "||"
                                     << 1 << "";
}

void tst_frmpzlr::accountLookup()
{
    QFETCH(QString, typed);
    QFETCH(QString, pick);
    TestDb db;
    setUpBooks(db);
    MessageBoxes boxes;
    Window e;
    click(e.w, "button_append");
    e.editor->setFocus();

    QStringList listed;
    testsupport::whenDialogOpens<frmpzlrcxck>(&e.w, [&](frmpzlrcxck *picker) {
        MSFlexGrid *list = picker->MSflexGridsp;
        listed = testsupport::gridColumn(list, 0);
        const int row = pick.right(1).toInt();
        if (row > 0)
            list->setRow(row);
        if (pick.startsWith("double-click"))
            emit list->dblClick();
        else if (pick.startsWith("key"))
            QTest::keyClick(list, Qt::Key_Escape); // any key picks, even Escape
        else if (pick.startsWith("ok"))
            picker->cmdqd->click();
        else
            picker->cmdqx->click();
    });
    enter(e.editor, typed);

    QTEST(listed, "listed");
    QStringList line;
    for (int c = 1; c <= 3; ++c)
        line << e.g->textMatrix(1, c);
    QTEST(line.join('|'), "line");
    QTEST(e.g->col(), "col");
    QTEST(boxes.lastText(), "message");
    QCOMPARE(e.editor->text(), e.g->text());
    QCOMPARE(e.w.focusWidget(), e.editor);
}

void tst_frmpzlr::lineRhythmTotalsAndSave()
{
    TestDb db;
    setUpBooks(db);
    MessageBoxes boxes;
    Window e;
    auto debitTotal = [&] { return e.g->textMatrix(e.g->rows() - 1, 4); };
    click(e.w, "button_append");

    // Enter in the date moves on to the number, which must be a whole number.
    QVERIFY(e.w.DTPicker1->hasFocus());
    QTest::keyClick(e.w.DTPicker1, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), e.w.Textpzhm);
    enter(e.w.Textpzhm, "8a");
    QCOMPARE(boxes.lastText(), QStringLiteral("凭证号码应输入数字，请重新输入！"));
    QVERIFY(e.w.Textpzhm->text().isEmpty());
    enter(e.w.Textpzhm, "8");
    QCOMPARE(QApplication::focusWidget(), e.editor);
    boxes.clear();

    // Line 1: account, debit typed key by key under a following total, a refused credit.
    enter(e.editor, "1001");
    testsupport::typeText(e.editor, "0.");
    QCOMPARE(debitTotal(), QStringLiteral("0.00"));
    testsupport::typeText(e.editor, "1");
    QCOMPARE(debitTotal(), QStringLiteral("0.10"));
    QTest::keyClick(e.editor, Qt::Key_Return);
    QCOMPARE(cellAt(e.g), QStringLiteral("1:5"));
    enter(e.editor, "abc");
    QCOMPARE(boxes.texts(), QStringList{"【贷方金额】应输入数字！"});
    QCOMPARE(cellAt(e.g), QStringLiteral("1:5"));
    QVERIFY(e.g->text().isEmpty());
    enter(e.editor);
    QCOMPARE(cellAt(e.g), QStringLiteral("1:6"));
    enter(e.editor);
    QCOMPARE(cellAt(e.g), QStringLiteral("2:1"));

    // Line 2 by the same rhythm; line 3 a credit; the debits add exactly.
    for (const QString &typed : {"2001", "0.2", "", ""})
        enter(e.editor, typed);
    for (const QString &typed : {"1002", "", "0.3"})
        enter(e.editor, typed);
    QCOMPARE(gridRows(e.g), (QStringList{"1|1001|XJ|现金|0.10|", "2|2001|DQJK|短期借款|0.20|",
                                         "3|1002|YHCK|银行存款||0.30", "|合   计：|||0.30|0.30"}));

    // Typing stops at 12 characters in an amount and at 4 in the search column.
    testsupport::typeText(e.editor, "1234567890123");
    QCOMPARE(e.g->text(), QStringLiteral("123456789012"));
    enter(e.editor);
    testsupport::typeText(e.editor, "12345");
    QCOMPARE(e.g->text(), QStringLiteral("1234"));

    // The line without a looked-up account is refused where it stands; removed, the
    // voucher is stored and stays on screen.
    click(e.w, "button_save");
    QCOMPARE(boxes.lastText(), lineText(4, "【会计科目名称】 不能为空！"));
    QCOMPARE(cellAt(e.g), QStringLiteral("4:1"));
    click(e.w, "button_delete");
    click(e.w, "button_save");
    QCOMPARE(boxes.count(), 2);
    const QString day = QDate::currentDate().toString(Qt::ISODate);
    QCOMPARE(db.rows("select pz_no, km_no, km_zjf, km_name, jfje, dfje, kjqj, rq from pzk order by rowid"),
             (QStringList{"8|1001|XJ|现金|10|0|" + todaysPeriod() + '|' + day,
                          "8|2001|DQJK|短期借款|20|0|" + todaysPeriod() + '|' + day,
                          "8|1002|YHCK|银行存款|0|30|" + todaysPeriod() + '|' + day}));
    QCOMPARE(enabledButtons(e.w), kIdleButtons);
    QVERIFY(!e.editor->isVisible());
    QCOMPARE(e.g->rows(), 5);
    QVERIFY(e.g->isVisible());
}

void tst_frmpzlr::addAndRemoveLines()
{
    TestDb db;
    setUpBooks(db);
    MessageBoxes boxes;
    Window e;
    click(e.w, "button_append");
    for (int i = 0; i < 3; ++i)
        click(e.w, "button_mx");
    QCOMPARE(testsupport::gridColumn(e.g, 0), (QStringList{"1", "2", "3", "4", ""}));
    QCOMPARE(cellAt(e.g), QStringLiteral("4:1"));
    QCOMPARE(QApplication::focusWidget(), e.editor);
    for (int r = 1; r <= 4; ++r)
        e.g->setTextMatrix(r, 4, QString::number(r));

    // Up stops at line 1; Down only from a line with an account, never past the last.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(e.editor, Qt::Key_Up);
    QCOMPARE(e.g->row(), 1);
    QTest::keyClick(e.editor, Qt::Key_Down);
    QCOMPARE(e.g->row(), 1);
    e.g->setRow(3);
    e.g->setTextMatrix(3, 1, "x");
    e.g->setTextMatrix(4, 1, "y");
    QTest::keyClick(e.editor, Qt::Key_Down);
    QTest::keyClick(e.editor, Qt::Key_Down);
    QCOMPARE(e.g->row(), 4);

    e.g->setRow(2);
    click(e.w, "button_delete");
    QCOMPARE(gridRows(e.g), (QStringList{"1||||1|", "2|x|||3.00|", "3|y|||4.00|", "|合   计：|||8.00|0.00"}));
    QCOMPARE(cellAt(e.g), QStringLiteral("0:0"));
    QVERIFY(!e.editor->isVisible());
    click(e.w, "button_delete");
    QCOMPARE(boxes.texts(), QStringList{"请先选择一条记录，然后再进行删除！"});

    for (int left = 3; left > 0; --left) {
        e.g->setRow(1);
        click(e.w, "button_delete");
    }
    QCOMPARE(e.g->rows(), 1);
    QCOMPARE(enabledButtons(e.w), QStringLiteral("button_mx,button_exit"));
    e.w.Textpzhm->setFocus();
    click(e.w, "button_mx");
    QCOMPARE(gridRows(e.g), (QStringList{"1|||||", "|合   计：|||0.00|0.00"}));
    QVERIFY(e.editor->isVisible());
    QCOMPARE(QApplication::focusWidget(), e.w.Textpzhm);
    QCOMPARE(enabledButtons(e.w), kEntryButtons);
}

void tst_frmpzlr::refusedSavePointsAtTheFault_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("cell");     // the current cell afterwards
    QTest::addColumn<QString>("focus");    // where the focus is afterwards
    QTest::newRow("date of next month") << "date" << "当前会计期间为：" + todaysPeriod() + "，请选择输入正确的日期！"
                                        << "1:5" << "DTPicker1";
    QTest::newRow("no number") << "number" << "【凭证编号】不能为空，请重新输入！" << "1:5" << "Textpzhm";
    QTest::newRow("both amounts zero") << "amounts" << lineText(1, "【借方金额】与 【贷方金额】不能同时为零！") << "1:4"
                                       << "TextSR";
    QTest::newRow("account gone from the chart") << "chart" << vouchers::kNoAccountFound << "1:1" << "TextSR";
}

void tst_frmpzlr::refusedSavePointsAtTheFault()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    TestDb db;
    setUpBooks(db);
    MessageBoxes boxes;
    Window e;
    click(e.w, "button_append");
    e.w.Textpzhm->setText(fault == "number" ? "" : "3");
    enter(e.editor, "1001");
    enter(e.editor, fault == "amounts" ? "0" : "5");
    if (fault == "date")
        e.w.DTPicker1->setValue(QDate::currentDate().addMonths(1));
    if (fault == "chart")
        db.run("delete from kmdmk where km_no='1001'");
    e.w.DTPicker1->setFocus();

    click(e.w, "button_save");
    QCOMPARE(boxes.texts(), QStringList{message});
    QTEST(cellAt(e.g), "cell");
    QVERIFY(e.w.findChild<QWidget *>(focus)->hasFocus());
    QCOMPARE(enabledButtons(e.w), kEntryButtons);
    QCOMPARE(db.count("pzk"), 0);
}

void tst_frmpzlr::failedSaveKeepsTheVoucherOnScreen()
{
    TestDb db;
    setUpBooks(db);
    MessageBoxes boxes;
    Window e;
    click(e.w, "button_append");
    e.w.Textpzhm->setText("1");
    for (const QString &typed : {"1001", "5", "", "", "2001", "", "5"})
        enter(e.editor, typed);
    const QStringList onScreen = gridRows(e.g);
    {
        testsupport::FailingStatements failing(testsupport::statementsOn("pzk"));
        click(e.w, "button_save");
    }
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.lastText().startsWith(QStringLiteral("凭证未能保存")));
    QCOMPARE(gridRows(e.g), onScreen);
    QCOMPARE(enabledButtons(e.w), kEntryButtons);
    QCOMPARE(db.count("pzk"), 0);
    // Once the books can be written again the same voucher is saved.
    click(e.w, "button_save");
    QCOMPARE(db.count("pzk"), 2);
}

void tst_frmpzlr::menuOpensOneWindow()
{
    TestDb db;
    setUpBooks(db);
    MessageBoxes boxes;
    MDIMain main;
    main.show();
    auto open = [&] {
        main.menuItem("menupzlr")->trigger();
        QMdiSubWindow *sub = main.mdiArea()->activeSubWindow();
        return sub ? qobject_cast<frmpzlr *>(sub->widget()) : nullptr;
    };
    QPointer<frmpzlr> first = open();
    QVERIFY(first);
    click(*first, "button_append");
    QCOMPARE(open(), first.data()); // only brought forward
    QVERIFY(first->isEntering());
    click(*first, "button_exit");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
    frmpzlr *again = open();
    QVERIFY(again && !again->isEntering());
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
}

QTEST_MAIN(tst_frmpzlr)
#include "tst_frmpzlr.moc"
