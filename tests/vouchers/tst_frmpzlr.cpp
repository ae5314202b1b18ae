// The voucher entry window driven with keys and toolbar clicks: its states, the Enter
// rhythm of a line, the account lookup and picker, the totals row, adding and removing
// lines, and what the save leaves on screen and in the books.
#include "accounts/accountsearch.h"
#include "db/period.h"
#include "platform/dtpicker.h"
#include "platform/flexgrid.h"
#include "platform/twips.h"
#include "vouchers/frmpzlr.h"
#include "vouchers/frmpzlrcxck.h"
#include "windowsteps.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace testsupport;

namespace {
const QString kIdle = QStringLiteral("button_append,button_exit");
const QString kEntry = QStringLiteral("button_cx,button_save,button_mx,button_delete,button_exit");

QString todaysPeriod() { return Period{QDate::currentDate().year(), QDate::currentDate().month()}.text(); }

QString lineText(int line, const QString &what)
{
    return QStringLiteral("第%1行 %2\r如该行不需要，您可以单击选择该记录，然后删除！").arg(line).arg(what);
}

// The current period is this month, so that a voucher dated today belongs to it.
struct Books : TestDb {
    Books()
    {
        run("update dqkjqj set kjqj=?", {todaysPeriod()});
        run("insert into kmdmk (km_no, km_zjf, km_name) values ('1001','XJ','现金'), ('1002','YHCK','银行存款'), "
            "('1121','YSPJ','应收票据'), ('1231','HZZB','坏账准备%'), ('2001','DQJK','短期借款')");
    }
};

// The window shown and active over its books, a voucher started unless told otherwise.
struct Entry {
    Books db;
    MessageBoxes boxes;
    frmpzlr w;
    MSFlexGrid *g = w.MSFlexGrid1();
    QLineEdit *editor = w.TextSR();

    explicit Entry(bool start = true)
    {
        w.show();
        QApplication::setActiveWindow(&w);
        if (start)
            click("button_append");
    }
    void click(const char *key) { w.Toolbar1()->click(QString::fromLatin1(key)); }
    QString cell() const { return QStringLiteral("%1:%2").arg(g->row()).arg(g->col()); }
    QString buttons() const
    {
        QStringList on;
        for (QAction *a : w.Toolbar1()->actions())
            if (!a->isSeparator() && a->isEnabled())
                on << a->objectName();
        return on.join(',');
    }
    // Types each text over the editor (all of it is selected when the editor arrives)
    // and presses Enter; returns the cells the editor stood at after each.
    QString enter(const QStringList &typed)
    {
        QStringList at;
        for (const QString &text : typed) {
            typeText(editor, text);
            QTest::keyClick(editor, Qt::Key_Return);
            at << cell();
        }
        return at.join(' ');
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
    void longVoucherKeepsLineTotalsAndEditorTogether_data();
    void longVoucherKeepsLineTotalsAndEditorTogether();
    void widestAmountsShowWhole();
    void unsavedVoucherPointsAtTheFault_data();
    void unsavedVoucherPointsAtTheFault();
    void typedDateIsTheStoredDate_data();
    void typedDateIsTheStoredDate();
    void savedVoucherShowsAsStoredAndTakesNoTyping_data();
    void savedVoucherShowsAsStoredAndTakesNoTyping();
    void menuOpensOneWindow();
};

void tst_frmpzlr::statesOfLoadStartAndCancel()
{
    Entry e(false);
    QCOMPARE(e.buttons(), kIdle);
    for (QWidget *hidden :
         std::initializer_list<QWidget *>{e.g, e.editor, e.w.DTPicker1(), e.w.Textpzhm(), e.w.Labelbj()})
        QVERIFY(!hidden->isVisible());
    for (int round = 0; round < 2; ++round) {
        e.click("button_append");
        QCOMPARE(e.buttons(), kEntry);
        QCOMPARE(gridRows(e.g), (QStringList{"1||||||", "|合   计：|||0.00|0.00|"}));
        QCOMPARE(e.cell(), "1:1");
        QVERIFY(e.editor->isVisible() && e.g->isVisible() && e.w.Labelbj()->isVisible());
        QCOMPARE(e.w.DTPicker1()->value(), QDate::currentDate());
        QVERIFY(e.w.Textpzhm()->text().isEmpty());
        typeText(e.editor, "10");
        typeText(e.w.Textpzhm(), "5");
        // Abandoned without a question; the next voucher starts from line 1 again.
        e.click("button_cx");
        QCOMPARE(e.buttons(), kIdle);
        QVERIFY(!e.g->isVisible() && !e.editor->isVisible());
        QCOMPARE(e.g->rows(), 1);
    }
    QCOMPARE(e.boxes.count(), 0);
}

void tst_frmpzlr::accountLookup_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pick"); // what the picker is told, when it opens
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("line"); // columns 1 to 3 afterwards
    QTest::addColumn<QString>("message");
    auto row = [](const char *tag, const QString &typed, const QString &pick, const QStringList &listed,
                  const QString &line,
                  const QString &message = {}) { QTest::newRow(tag) << typed << pick << listed << line << message; };
    const QStringList tens = {"1001", "1002"};
    row("code, one match", "1001", {}, {}, "1001|XJ|现金");
    row("initials, any case", "yspj", {}, {}, "1121|YSPJ|应收票据");
    row("percent is typed text", "%", {}, {}, "1231|HZZB|坏账准备%");
    row("quote matches nothing", "'", {}, {}, "||", accounts::kNoAccountFound);
    row("several, double-click the third", "1", "double-click 3", {"1001", "1002", "1121", "1231"},
        "1121|YSPJ|应收票据");
    row("several, a key takes the current row", "10", "key on 2", tens, "1002|YHCK|银行存款");
    row("several, OK", "款", "ok on 2", {"1002", "2001"}, "2001|DQJK|短期借款");
    row("several, cancel", "10", "cancel", tens, "10||");
    row("empty lists all", "", "cancel", {"1001", "1002", "1121", "1231", "2001"}, "||");
}

void tst_frmpzlr::accountLookup()
{
    QFETCH(QString, typed);
    QFETCH(QString, pick);
    QFETCH(QString, line);
    Entry e;
    e.editor->setFocus();
    QStringList listed;
    whenDialogOpens<frmpzlrcxck>(&e.w, [&](frmpzlrcxck *picker) {
        MSFlexGrid *list = picker->MSflexGridsp();
        listed = gridColumn(list, 0);
        if (const int row = pick.right(1).toInt(); row > 0)
            list->setRow(row);
        if (pick.startsWith("double-click"))
            emit list->dblClick();
        else if (pick.startsWith("key"))
            QTest::keyClick(list, Qt::Key_Escape); // any key picks, even Escape
        else
            (pick.startsWith("ok") ? picker->cmdqd() : picker->cmdqx())->click();
    });
    e.enter({typed});

    QTEST(listed, "listed");
    QCOMPARE(gridRows(e.g, 3).first().section('|', 1), line);
    QCOMPARE(e.g->col(), line.endsWith('|') ? 1 : 4); // a found account moves on to the debit
    QTEST(e.boxes.lastText(), "message");
    QCOMPARE(e.editor->text(), e.g->text());
    QCOMPARE(e.w.focusWidget(), e.editor);
}

void tst_frmpzlr::lineRhythmTotalsAndSave()
{
    Entry e;
    auto debitTotal = [&] { return e.g->textMatrix(e.g->rows() - 1, 4); };

    // Enter in the date moves on to the number, which must be a whole number.
    QVERIFY(e.w.DTPicker1()->hasFocus());
    QTest::keyClick(e.w.DTPicker1(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), e.w.Textpzhm());
    for (const QString &number : {"8a", "12345678901234", "8"}) {
        QCOMPARE(QApplication::focusWidget(), e.w.Textpzhm()); // a refused number is emptied
        typeText(e.w.Textpzhm(), number);
        QTest::keyClick(e.w.Textpzhm(), Qt::Key_Return);
    }
    QCOMPARE(e.boxes.texts(),
             (QStringList{"凭证号码应输入数字，请重新输入！", "凭证号码数值过大，整数部分最多13位，请重新输入！"}));
    QCOMPARE(QApplication::focusWidget(), e.editor);
    e.boxes.clear();

    // Line 1: account, debit typed key by key under a following total, a refused credit.
    QCOMPARE(e.enter({"1001"}), "1:4");
    typeText(e.editor, "0.");
    QCOMPARE(debitTotal(), "0.00");
    typeText(e.editor, "1");
    QCOMPARE(debitTotal(), "0.10");
    QCOMPARE(e.enter({"", "abc", "", ""}), "1:5 1:5 1:6 2:1");
    QCOMPARE(e.boxes.texts(), QStringList{"【贷方金额】应输入数字！"});

    // Line 2 by the same rhythm; line 3 a credit; the debits add exactly.
    QCOMPARE(e.enter({"2001", "0.2", "", "", "1002", "", "0.3"}), "2:4 2:5 2:6 3:1 3:4 3:5 3:6");
    QCOMPARE(gridRows(e.g, 5), (QStringList{"1|1001|XJ|现金|0.10|", "2|2001|DQJK|短期借款|0.20|",
                                            "3|1002|YHCK|银行存款||0.30", "|合   计：|||0.30|0.30"}));

    // Typing stops at 12 characters in an amount and at 4 in the search column, the
    // latter from the moment the editor arrives there from an amount.
    typeText(e.editor, "1234567890123");
    QCOMPARE(e.g->text(), "123456789012");
    e.enter({""});
    typeText(e.editor, "12345678");
    QCOMPARE(e.g->text(), "1234");

    // The line without a looked-up account is refused where it stands; removed, the
    // voucher is stored and stays on screen.
    e.click("button_save");
    QCOMPARE(e.boxes.lastText(), lineText(4, "【会计科目名称】 不能为空！"));
    QCOMPARE(e.cell(), "4:1");
    e.click("button_delete");
    e.click("button_save");
    QCOMPARE(e.boxes.count(), 2);
    const QString stored = '|' + todaysPeriod() + '|' + QDate::currentDate().toString(Qt::ISODate);
    QCOMPARE(e.db.rows("select pz_no, km_no, km_zjf, km_name, jfje, dfje, kjqj, rq from pzk order by rowid"),
             (QStringList{"8|1001|XJ|现金|10|0" + stored, "8|2001|DQJK|短期借款|20|0" + stored,
                          "8|1002|YHCK|银行存款|0|30" + stored}));
    QCOMPARE(e.buttons(), kIdle);
    QVERIFY(!e.editor->isVisible() && e.g->isVisible());
    QCOMPARE(e.g->rows(), 5);
}

void tst_frmpzlr::addAndRemoveLines()
{
    Entry e;
    for (int i = 0; i < 3; ++i)
        e.click("button_mx");
    QCOMPARE(gridColumn(e.g, 0), (QStringList{"1", "2", "3", "4", ""}));
    QCOMPARE(e.cell(), "4:1");
    QCOMPARE(QApplication::focusWidget(), e.editor);
    for (int r = 1; r <= 4; ++r)
        e.g->setTextMatrix(r, 4, QString::number(r));

    // Up stops at line 1; Down only from a line with an account, never past the last.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(e.editor, Qt::Key_Up);
    QTest::keyClick(e.editor, Qt::Key_Down);
    QCOMPARE(e.g->row(), 1);
    e.g->setRow(3);
    e.g->setTextMatrix(3, 1, "x");
    e.g->setTextMatrix(4, 1, "y");
    QTest::keyClick(e.editor, Qt::Key_Down);
    QTest::keyClick(e.editor, Qt::Key_Down);
    QCOMPARE(e.g->row(), 4);

    e.g->setRow(2);
    e.click("button_delete");
    QCOMPARE(gridRows(e.g, 5), (QStringList{"1||||1|", "2|x|||3.00|", "3|y|||4.00|", "|合   计：|||8.00|0.00"}));
    QCOMPARE(e.cell(), "0:0");
    QVERIFY(!e.editor->isVisible());
    e.click("button_delete");
    QCOMPARE(e.boxes.texts(), QStringList{"请先选择一条记录，然后再进行删除！"});

    for (int left = 3; left > 0; --left) {
        e.g->setRow(1);
        e.click("button_delete");
    }
    QCOMPARE(e.g->rows(), 1);
    QCOMPARE(e.buttons(), "button_mx,button_exit");
    e.w.Textpzhm()->setFocus();
    e.click("button_mx");
    QCOMPARE(gridRows(e.g, 5), (QStringList{"1|||||", "|合   计：|||0.00|0.00"}));
    QVERIFY(e.editor->isVisible());
    QCOMPARE(QApplication::focusWidget(), e.w.Textpzhm());
    QCOMPARE(e.buttons(), kEntry);
}

void tst_frmpzlr::longVoucherKeepsLineTotalsAndEditorTogether_data()
{
    QTest::addColumn<QString>("scroll");
    QTest::newRow("wheel, three notches up") << "wheel";
    QTest::newRow("bar, one step up") << "step";
    QTest::newRow("bar, to the top") << "top";
}

// More lines than the grid shows: the current line and the totals row stay wholly in
// view, and the editor stands over the current line however the grid is scrolled, or
// over no line while that one is out of view.
void tst_frmpzlr::longVoucherKeepsLineTotalsAndEditorTogether()
{
    QFETCH(QString, scroll);
    Entry e;
    for (int line = 2; line <= 20; ++line)
        e.click("button_mx");
    auto inView = [&](int r) { return r >= e.g->topRow() && r < e.g->topRow() + e.g->visibleRows(); };
    auto editorOverItsCell = [&] {
        const QRect cell = twips::toPixels(e.g->currentCellOnView());
        return cell.isEmpty() ? e.editor->size().isEmpty() : e.editor->geometry() == cell.translated(e.g->pos());
    };
    QCOMPARE(e.cell(), "20:1");
    QVERIFY(e.g->visibleRows() < 20);
    QVERIFY(inView(20) && inView(21) && editorOverItsCell());

    QCoreApplication::processEvents(); // the bars follow the grid's shape on the next turn
    const int top = e.g->topRow();
    QScrollBar *bar = e.g->verticalScrollBar();
    if (scroll == "wheel") {
        const QPointF at(e.g->viewport()->rect().center());
        QWheelEvent wheel(at, e.g->viewport()->mapToGlobal(at), {}, {0, 3 * 120}, Qt::NoButton, {}, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(e.g->viewport(), &wheel);
    } else if (scroll == "step") {
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    } else {
        bar->setValue(bar->minimum());
    }
    QVERIFY(e.g->topRow() < top);
    QVERIFY(editorOverItsCell());
    QCOMPARE(e.editor->hasFocus(), true);

    // Typing goes into the current line, which comes back into view under the editor.
    typeText(e.editor, "7");
    QCOMPARE(e.g->textMatrix(20, 1), "7");
    QVERIFY(inView(20) && inView(21) && editorOverItsCell());
}

// The widest amount a cell takes, and a total of two, are drawn whole: nothing of them
// is cut at the left edge of the space for text in their cells.
void tst_frmpzlr::widestAmountsShowWhole()
{
    Entry e;
    e.enter({"1001", "999999999999", "", "", "1002", "999999999999"});
    QCOMPARE(gridRows(e.g).last(), "|合   计：|||1999999999998.00|0.00|");
    const QImage shot = e.g->grab().toImage();
    for (int r = 1; r <= 3; ++r) {
        e.g->setRow(r);
        e.g->setCol(4);
        const QRect cell = twips::toPixels(e.g->currentCellOnView());
        QCOMPARE(e.g->text().size(), r == 3 ? 16 : 15);
        const QRgb back = shot.pixel(cell.left() + 1, cell.top() + 1);
        for (int y = cell.top() + 1; y < cell.bottom() - 1; ++y)
            QVERIFY2(shot.pixel(cell.left() + 2, y) == back, qPrintable(QString("row %1 cut").arg(r)));
    }
}

void tst_frmpzlr::unsavedVoucherPointsAtTheFault_data()
{
    // The checks themselves are the store's; here where the window leaves the user.
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("cell");  // the current cell afterwards
    QTest::addColumn<QString>("focus"); // where the focus is afterwards
    auto row = [](const char *tag, const char *fault, const QString &message, const char *cell, const char *focus) {
        QTest::newRow(tag) << fault << message << cell << focus;
    };
    row("date of next month", "date", "当前会计期间为：" + todaysPeriod() + "，请选择输入正确的日期！", "1:5",
        "DTPicker1");
    row("no number", "number", "【凭证编号】不能为空，请重新输入！", "1:5", "Textpzhm");
    row("both amounts zero", "amounts", lineText(1, "【借方金额】与 【贷方金额】不能同时为零！"), "1:4", "TextSR");
    // Another account's code typed over, and the cell left: look it up again with Enter.
    row("code typed over, no lookup", "typed over",
        lineText(1, "【科目编号】、【拼音简码】与【会计科目名称】不是会计科目中的同一科目，"
                    "请在该行【科目检索】栏按回车键重新检索会计科目！"),
        "1:1", "TextSR");
    row("books locked", "locked", "凭证未能保存，已全部撤销：" + mdlStandard::kBooksBusy, "1:5", "DTPicker1");
}

void tst_frmpzlr::unsavedVoucherPointsAtTheFault()
{
    QFETCH(QString, fault);
    QFETCH(QString, focus);
    Entry e;
    e.w.Textpzhm()->setText(fault == "number" ? "" : "3");
    e.enter({"1001", fault == "amounts" ? "0" : "5"});
    if (fault == "date")
        e.w.DTPicker1()->setValue(QDate::currentDate().addMonths(1));
    if (fault == "typed over") {
        e.g->setCol(1);
        emit e.g->click();
        typeText(e.editor, "2001");
        e.g->setCol(3);
        emit e.g->click();
    }
    e.w.DTPicker1()->setFocus();
    const QStringList onScreen = gridRows(e.g);
    {
        std::optional<FailingStatements> locked;
        if (fault == "locked")
            locked.emplace(statementsOn("pzk"));
        e.click("button_save");
    }
    QTEST(e.boxes.texts().join('\n'), "message");
    QTEST(e.cell(), "cell");
    QVERIFY(e.w.findChild<QWidget *>(focus)->hasFocus());
    QCOMPARE(gridRows(e.g), onScreen);
    QCOMPARE(e.buttons(), kEntry);
    QCOMPARE(e.db.count("pzk"), 0);
    if (fault == "locked" || fault == "typed over") {
        // Once the books can be written again, or the account is looked up again, the
        // voucher is stored as the screen shows it.
        const QString account = fault == "locked" ? "1001|XJ|现金" : "2001|DQJK|短期借款";
        if (fault == "typed over")
            QTest::keyClick(e.editor, Qt::Key_Return);
        e.click("button_save");
        QCOMPARE(gridRows(e.g, 4).first(), "1|" + account + "|5.00");
        QCOMPARE(e.db.rows("select pz_no, km_no, km_zjf, km_name, jfje from pzk"),
                 QStringList{"3|" + account + "|500"});
    }
}

void tst_frmpzlr::typedDateIsTheStoredDate_data()
{
    // A day of this month other than today, typed after 新增 with the focus brought to the
    // date as told; "-" stores nothing. The forms a date may take are the date box's own.
    const QDate today = QDate::currentDate();
    const QDate day(today.year(), today.month(), today.day() == 3 ? 4 : 3);
    QTest::addColumn<QString>("arrive");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    const QString iso = day.toString(Qt::ISODate);
    QTest::newRow("as it comes, with dashes") << "" << iso << iso;
    QTest::newRow("Shift+Tab from the number, 年月日")
        << "backtab" << QStringLiteral("%1年%2月%3日").arg(day.year()).arg(day.month()).arg(day.day()) << iso;
    QTest::newRow("no date") << "" << QString("%1-02-30").arg(today.year()) << "-";
}

void tst_frmpzlr::typedDateIsTheStoredDate()
{
    QFETCH(QString, arrive);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Entry e;
    e.w.Textpzhm()->setText("3");
    e.enter({"1001", "5"});
    if (arrive == "backtab") {
        e.w.Textpzhm()->setFocus();
        QTest::keyClick(e.w.Textpzhm(), Qt::Key_Backtab, Qt::ShiftModifier);
    } else {
        e.w.DTPicker1()->setFocus();
    }
    QVERIFY(e.w.DTPicker1()->hasFocus());
    typeText(e.w.DTPicker1(), typed);
    QTest::keyClick(e.w.DTPicker1(), Qt::Key_Return);
    // Taken, the date shows in the box's form and Enter moves on; refused, it is told and stays.
    QCOMPARE(e.w.DTPicker1()->text(), stored == "-" ? typed : stored);
    QCOMPARE(e.w.DTPicker1()->hasFocus(), stored == "-");
    e.click("button_save");
    QCOMPARE(e.boxes.count(), stored == "-" ? 2 : 0);
    QCOMPARE(e.db.rows("select rq from pzk"), stored == "-" ? QStringList() : QStringList{stored});
}

void tst_frmpzlr::savedVoucherShowsAsStoredAndTakesNoTyping_data()
{
    // Typed before 保存 is clicked, the date with the focus still in its box.
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QStringList>("amounts"); // the debit and the credit typed on line 1
    QString wide = QDate::currentDate().toString(Qt::ISODate).replace('-', QChar(0xFF0E));
    for (QChar &ch : wide)
        ch = ch.isDigit() ? QChar(0xFF10 + ch.digitValue()) : ch;
    QTest::newRow("number with blanks, sign and zeros") << " +007"
                                                        << "" << QStringList{"5", ""};
    QTest::newRow("full-width date") << "3" << wide << QStringList{"0.125", "0"};
}

void tst_frmpzlr::savedVoucherShowsAsStoredAndTakesNoTyping()
{
    QFETCH(QString, number);
    QFETCH(QString, date);
    QFETCH(QStringList, amounts);
    Entry e;
    typeText(e.w.Textpzhm(), number);
    e.enter(QStringList{"1001"} + amounts);
    if (!date.isEmpty()) {
        e.w.DTPicker1()->setFocus();
        typeText(e.w.DTPicker1(), date);
    }
    e.click("button_save");
    QCOMPARE(e.boxes.count(), 0);
    // Number, date and line 1 as shown, and as stored, amounts of 0 as empty cells.
    QStringList stored = e.db.rows("select pz_no, rq, km_no, km_zjf, km_name, jfje, dfje from pzk");
    QCOMPARE(stored.size(), 1);
    QStringList fields = stored.first().split('|');
    for (int c : {5, 6})
        fields[c] = fields[c] == "0" ? QString() : Money::fromCents(fields[c].toLongLong()).toString();
    QCOMPARE(e.w.Textpzhm()->text() + '|' + e.w.DTPicker1()->text() + gridRows(e.g, 5).first().mid(1),
             fields.join('|'));

    // Until the next voucher is started neither box takes typing, nor the date a day
    // picked in its calendar.
    const QString head = e.w.Textpzhm()->text() + e.w.DTPicker1()->text();
    typeText(e.w.DTPicker1(), "2026-01-02");
    QTest::keyClick(e.w.DTPicker1(), Qt::Key_F4);
    QVERIFY(!e.w.DTPicker1()->calendarWidget()->isVisible());
    typeText(e.w.Textpzhm(), "99");
    QCOMPARE(e.w.Textpzhm()->text() + e.w.DTPicker1()->text(), head);
    e.click("button_append");
    typeText(e.w.Textpzhm(), "8");
    QCOMPARE(e.w.Textpzhm()->text(), "8");
}

void tst_frmpzlr::menuOpensOneWindow()
{
    Books db;
    MessageBoxes boxes;
    MDIMain main;
    main.show();
    auto open = [&] { return windowsteps::openFromMenu<frmpzlr>(main, "menupzlr"); };
    QPointer<frmpzlr> first = open();
    QVERIFY(first);
    first->Toolbar1()->click("button_append");
    QCOMPARE(open(), first.data()); // only brought forward
    QVERIFY(first->isEntering());
    first->Toolbar1()->click("button_exit");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
    frmpzlr *again = open();
    QVERIFY(again && !again->isEntering());
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
}

QTEST_MAIN(tst_frmpzlr)
#include "tst_frmpzlr.moc"
