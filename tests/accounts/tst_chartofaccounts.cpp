// The chart of accounts, driven through its toolbar, editors and search box.
#include "accounts/accountsearch.h"
#include "accounts/frmkjkm.h"
#include "frame/mdimain.h"
#include "gridwin/ingrideditor.h"
#include "platform/desktop.h"
#include "platform/flexgrid.h"
#include "platform/keyedtoolbar.h"
#include "platform/report/reportlayout.h"
#include "platform/sqlconnection.h"
#include "reports/printreport.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

using testsupport::MessageBoxes;
using testsupport::TestDb;

namespace {
void addAccount(TestDb &db, const QString &code, const QString &initials, const QString &name,
                const QVariant &page = {})
{
    db.run("insert into kmdmk (km_no, km_zjf, km_name, km_page) values (?, ?, ?, ?)", {code, initials, name, page});
}

QStringList column(const MSFlexGrid *g, int c)
{
    QStringList out;
    for (int r = 1; r < g->rows(); ++r)
        out << g->textMatrix(r, c);
    return out;
}

void type(QLineEdit *box, const QString &text) { testsupport::typeText(box, text); }
void enter(QLineEdit *box) { QTest::keyClick(box, Qt::Key_Return); }
void press(Frmkjkm &w, const char *key) { w.Toolbar1->click(QString::fromLatin1(key)); }

void search(Frmkjkm &w, const QString &text)
{
    w.Textjs->setText(text);
    QTest::keyClick(w.Textjs, Qt::Key_Return);
}

bool onlyOn(Frmkjkm &w, const QStringList &on)
{
    const QStringList keys = {"button_append", "button_edit",  "button_delete", "button_cx",  "button_save",
                              "button_print",  "button_first", "button_back",   "button_next", "button_last"};
    for (const QString &k : keys) {
        if (w.isButtonEnabled(k) != on.contains(k)) {
            qWarning("button %s is %s", qPrintable(k), w.isButtonEnabled(k) ? "on" : "off");
            return false;
        }
    }
    return true;
}

const QString kDuplicateOnEnter = QStringLiteral("【会计科目】不能重复，请重新输入！");
} // namespace

class tst_chartofaccounts : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        platform::SqlConnection::setFailureHook({});
        reports::setPreviewHandler({});
        platform::restorePointer();
    }
    void appendRefusesDuplicatesAndStoresTrimmedTexts();
    void changeWritesOnlyWhatChanged();
    void deleteRefusedWhileAVoucherUsesTheAccount();
    void failedWritesAreReportedAndLeaveTheGrid();
    void headerRowIsNeverARecord();
    void quickSearchRule();
    void printsItsOwnListingUnderTheCompanyItRead();
    void menuOpensOneWindow();
};

void tst_chartofaccounts::appendRefusesDuplicatesAndStoresTrimmedTexts()
{
    TestDb db;
    addAccount(db, "A1", "XJ", "现金");
    MessageBoxes boxes;
    Frmkjkm w;
    w.show();
    QCOMPARE(w.windowTitle(), QStringLiteral("会计科目信息设置"));
    QVERIFY(onlyOn(w, {"button_append", "button_edit", "button_delete", "button_print", "button_next", "button_last"}));

    press(w, "button_append");
    QLineEdit *text1 = w.editor->text1;
    QCOMPARE(w.MSFlexGrid1->row(), 2);
    QCOMPARE(w.MSFlexGrid1->textMatrix(2, 0), QStringLiteral("2"));
    QVERIFY(onlyOn(w, {"button_cx", "button_save", "button_print"}));

    // A code that differs from a stored one only by letter case or blanks is the same code.
    for (const QString &code : {QStringLiteral("a1"), QStringLiteral(" A1 ")}) {
        type(text1, code);
        enter(text1);
        QCOMPARE(boxes.lastText(), kDuplicateOnEnter);
        QCOMPARE(boxes.shown().back().kind, platform::MsgKind::PlainNotice);
        QCOMPARE(w.MSFlexGrid1->textMatrix(2, 1), QString());
        QCOMPARE(w.MSFlexGrid1->col(), 1);
    }
    // Typed straight to the save, without Enter, it is refused there.
    type(text1, "a1");
    press(w, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("【科目编号】不能重复，请重新输入！"));
    QVERIFY(w.editor->isAppending());

    text1->selectAll();
    type(text1, "10025"); // the code takes four characters
    QCOMPARE(w.MSFlexGrid1->textMatrix(2, 1), QStringLiteral("1002"));
    enter(text1);
    QCOMPARE(w.MSFlexGrid1->col(), 2);
    type(text1, "  ");
    enter(text1);
    type(text1, " 银行存款 ");
    enter(text1);
    enter(text1); // no ledger page
    QCOMPARE(w.MSFlexGrid1->col(), 1); // the cycle stays in the row

    press(w, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("【拼音简码】不能为空，请重新输入！"));
    QCOMPARE(w.MSFlexGrid1->col(), 2);
    type(text1, "yhck");
    press(w, "button_save");
    QVERIFY(!w.editor->isAppending());
    QCOMPARE(w.MSFlexGrid1->col(), 0);
    QVERIFY(onlyOn(w, {"button_append", "button_edit", "button_delete", "button_print", "button_first",
                       "button_back"}));
    QCOMPARE(db.scalar("select km_zjf || '|' || km_name from kmdmk where km_no='1002'"), QStringLiteral("yhck|银行存款"));
    QCOMPARE(db.scalar("select count(*) from kmdmk where km_no='1002' and km_page is null"), QStringLiteral("1"));
    QCOMPARE(column(w.MSFlexGrid1, 3), (QStringList{"现金", " 银行存款 "})); // as typed, until listed again

    press(w, "button_append");
    press(w, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("【科目编号】不能为空，请重新输入！"));
    press(w, "button_cx");
    QCOMPARE(w.dataRows(), 2);
    QCOMPARE(db.count("kmdmk"), 2);
}

void tst_chartofaccounts::changeWritesOnlyWhatChanged()
{
    TestDb db;
    addAccount(db, "1001", "XJ", "现金", "1");
    addAccount(db, "1002", "YHCK", "银行存款");
    MessageBoxes boxes;
    Frmkjkm w;
    w.show();
    QLineEdit *text2 = w.editor->text2;

    w.MSFlexGrid1->setRow(2);
    press(w, "button_edit");
    QCOMPARE(w.MSFlexGrid1->col(), 2);
    QCOMPARE(text2->text(), QStringLiteral("YHCK"));
    type(text2, "YH");
    enter(text2);
    enter(text2);
    type(text2, "9");
    enter(text2);
    QCOMPARE(w.MSFlexGrid1->col(), 2); // the code is never opened
    press(w, "button_save");
    QCOMPARE(db.scalar("select km_zjf || '|' || km_name || '|' || km_page from kmdmk where km_no='1002'"),
             QStringLiteral("YH|银行存款|9"));

    // Nothing changed: nothing is read or written, so a vanished account goes unnoticed.
    db.run("delete from kmdmk where km_no='1002'");
    press(w, "button_edit");
    press(w, "button_save");
    QVERIFY(!w.editor->isChanging());
    QCOMPARE(boxes.count(), 0);

    // A change to it is reported, not written, and cancel puts the row back as it was.
    press(w, "button_edit");
    type(text2, "XX");
    press(w, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("该会计科目已不存在，无法保存修改！"));
    QVERIFY(w.editor->isChanging());
    QCOMPARE(db.count("kmdmk"), 1);
    press(w, "button_cx");
    QCOMPARE(w.MSFlexGrid1->textMatrix(2, 2), QStringLiteral("YH"));
    QCOMPARE(w.MSFlexGrid1->textMatrix(2, 4), QStringLiteral("9"));
    QVERIFY(!w.isButtonEnabled("button_next") && w.isButtonEnabled("button_back")); // the last row
}

void tst_chartofaccounts::deleteRefusedWhileAVoucherUsesTheAccount()
{
    TestDb db;
    addAccount(db, "1001", "XJ", "现金");
    addAccount(db, "1002", "YHCK", "银行存款");
    addAccount(db, "1121", "YSPJ", "应收票据");
    db.run("insert into pzk (pz_no, km_no, jfje) values (1, '1001', 100)");
    db.run("insert into zzqcye (djh, km_no, qcje) values ('CSH202601010001', '1121', 500)");
    MessageBoxes boxes;
    Frmkjkm w;
    w.show();

    w.MSFlexGrid1->setRow(1);
    press(w, "button_delete");
    QCOMPARE(boxes.texts(), QStringList{"会计科目【现金】已经使用，不能删除！"});
    QCOMPARE(db.count("kmdmk"), 3);

    // An account that only has an opening balance may go; the balance keeps its copy.
    w.MSFlexGrid1->setRow(3);
    boxes.answer(QMessageBox::No);
    press(w, "button_delete");
    QCOMPARE(boxes.lastText(), QStringLiteral("确定要删除会计科目【应收票据】吗？"));
    QCOMPARE(boxes.shown().back().defaultButton, QMessageBox::Yes);
    QCOMPARE(db.count("kmdmk"), 3);
    press(w, "button_delete");
    QCOMPARE(db.count("kmdmk"), 2);
    QCOMPARE(db.count("zzqcye"), 1);

    w.MSFlexGrid1->setRow(2);
    press(w, "button_delete");
    QCOMPARE(column(w.MSFlexGrid1, 1), QStringList{"1001"});
    QCOMPARE(column(w.MSFlexGrid1, 0), QStringList{"1"});
}

void tst_chartofaccounts::failedWritesAreReportedAndLeaveTheGrid()
{
    TestDb db;
    addAccount(db, "1001", "XJ", "现金");
    MessageBoxes boxes;
    Frmkjkm w;
    w.show();
    platform::SqlConnection::setFailureHook(
        [](const QString &sql) { return sql.startsWith("INSERT") || sql.startsWith("delete from kmdmk"); });

    press(w, "button_append");
    QLineEdit *text1 = w.editor->text1;
    type(text1, "1002");
    enter(text1);
    type(text1, "YHCK");
    enter(text1);
    type(text1, "银行存款");
    press(w, "button_save");
    QVERIFY(boxes.lastText().startsWith(QStringLiteral("会计科目保存失败")));
    QCOMPARE(boxes.shown().back().kind, platform::MsgKind::Notice);
    QVERIFY(w.editor->isAppending());
    QCOMPARE(column(w.MSFlexGrid1, 1), (QStringList{"1001", "1002"}));
    press(w, "button_cx");

    w.MSFlexGrid1->setRow(1);
    press(w, "button_delete");
    QVERIFY(boxes.lastText().startsWith(QStringLiteral("删除会计科目失败")));
    QCOMPARE(column(w.MSFlexGrid1, 1), QStringList{"1001"});
    QVERIFY(w.isButtonEnabled("button_edit"));
    QCOMPARE(db.count("kmdmk"), 1);
}

void tst_chartofaccounts::headerRowIsNeverARecord()
{
    TestDb db;
    MessageBoxes boxes;
    Frmkjkm w;
    w.show();
    QVERIFY(onlyOn(w, {"button_append"}));

    press(w, "button_append");
    QCOMPARE(w.MSFlexGrid1->textMatrix(1, 0), QStringLiteral("1"));
    QLineEdit *text1 = w.editor->text1;
    type(text1, "1001");
    enter(text1);
    type(text1, "XJ");
    enter(text1);
    type(text1, "现金");
    press(w, "button_save");
    QCOMPARE(db.count("kmdmk"), 1);

    // The header row is still an ordinary row here and can be made current.
    w.MSFlexGrid1->setRow(0);
    press(w, "button_edit");
    QVERIFY(!w.editor->isChanging());
    press(w, "button_delete");
    QCOMPARE(boxes.count(), 0);

    w.MSFlexGrid1->setRow(1);
    press(w, "button_edit");
    QVERIFY(w.editor->isChanging());
    QCOMPARE(w.editor->text2->text(), QStringLiteral("XJ"));
    press(w, "button_cx");

    press(w, "button_delete");
    QCOMPARE(db.count("kmdmk"), 0);
    QCOMPARE(w.dataRows(), 0);
    QVERIFY(onlyOn(w, {"button_append"}));
}

void tst_chartofaccounts::quickSearchRule()
{
    TestDb db;
    addAccount(db, "2001", "DQJK", "短期借款");
    addAccount(db, "1001", "XJ", "现金");
    addAccount(db, "1101", "DQTZ", "短期投资");
    addAccount(db, "3001", "BL1", "100%纯利");
    addAccount(db, "5001", "X_Y", "下划线");
    addAccount(db, "0010", "QT", "其他");
    MessageBoxes boxes;
    Frmkjkm w;
    w.show();

    // Code prefix, or initials or name containing the text, in code order.
    search(w, "1");
    QCOMPARE(column(w.MSFlexGrid1, 1), (QStringList{"1001", "1101", "3001"}));
    QCOMPARE(column(w.MSFlexGrid1, 0), (QStringList{"1", "2", "3"}));
    search(w, "dq");
    QCOMPARE(column(w.MSFlexGrid1, 1), (QStringList{"1101", "2001"}));
    search(w, "短期");
    QCOMPARE(column(w.MSFlexGrid1, 1), (QStringList{"1101", "2001"}));
    // The wildcard characters are searched as typed.
    search(w, "%");
    QCOMPARE(column(w.MSFlexGrid1, 1), QStringList{"3001"});
    search(w, "_");
    QCOMPARE(column(w.MSFlexGrid1, 1), QStringList{"5001"});

    // Quotes break nothing; a search that finds nothing leaves the grid as it was.
    for (const QString &text : {QStringLiteral("'"), QStringLiteral("\""), QStringLiteral("zz")}) {
        search(w, text);
        QCOMPARE(column(w.MSFlexGrid1, 1), QStringList{"5001"});
    }
    QCOMPARE(boxes.count(), 0);

    search(w, "   ");
    QCOMPARE(column(w.MSFlexGrid1, 1), (QStringList{"0010", "1001", "1101", "2001", "3001", "5001"}));
    QString status;
    QCOMPARE(accounts::findAccounts(QString(), status)->recordCount(), 6); // an empty lookup lists all

    // No search while a row is being entered: it would strand the row.
    press(w, "button_append");
    search(w, "dq");
    QVERIFY(w.editor->isAppending());
    QCOMPARE(w.dataRows(), 7);
}

void tst_chartofaccounts::printsItsOwnListingUnderTheCompanyItRead()
{
    TestDb db;
    db.run("update dwmc set dw_name='澄川商贸'");
    addAccount(db, "1001", "XJ", "现金");
    addAccount(db, "1101", "DQTZ", "短期投资");
    addAccount(db, "2001", "DQJK", "短期借款", "12");
    MessageBoxes boxes;
    Frmkjkm w;
    w.show();
    search(w, "dq");
    search(w, "zz");
    // What other windows leave in the shared variables does not reach this print.
    db.run("update dwmc set dw_name='别家'");
    mdlStandard::sharedrs = mdlStandard::runsql("select * from czy");
    mdlStandard::unitname = QStringLiteral("别家");

    QList<platform::report::ReportDocument> printed;
    QWidget *owner = nullptr;
    reports::setPreviewHandler([&](const platform::report::Report &report, QWidget *parent) {
        printed << platform::report::layoutReport(report);
        owner = parent;
    });
    press(w, "button_print");
    QCOMPARE(printed.size(), 1);
    QCOMPARE(owner, &w);
    const platform::report::ReportPage &page = printed.first().pages.first();
    QStringList codes;
    for (const auto *item : page.findAll(QStringLiteral("Text1")))
        codes << item->text;
    QCOMPARE(codes, (QStringList{"1101", "2001"}));
    QCOMPARE(page.find(QStringLiteral("Label3"))->text, QStringLiteral("澄川商贸"));
}

void tst_chartofaccounts::menuOpensOneWindow()
{
    TestDb db;
    MDIMain main;
    main.menuItem("menukjkm")->trigger();
    main.menuItem("menukjkm")->trigger();
    const auto windows = main.mdiArea()->subWindowList();
    QCOMPARE(windows.size(), 1);
    QVERIFY(qobject_cast<Frmkjkm *>(windows.first()->widget()));
}

QTEST_MAIN(tst_chartofaccounts)
#include "tst_chartofaccounts.moc"
