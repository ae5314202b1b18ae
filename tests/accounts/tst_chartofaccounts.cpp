// The chart of accounts, driven through its toolbar, editors and search box.
#include "accounts/accountsearch.h"
#include "accounts/frmkjkm.h"
#include "bookstestcase.h"
#include "gridwin/ingrideditor.h"
#include "platform/desktop.h"
#include "platform/flexgrid.h"
#include "previewseam.h"
#include "reportpages.h"
#include "reports/printreport.h"
#include "windowsteps.h"

using testsupport::gridColumn;
using testsupport::TestDb;
using windowsteps::click;
using windowsteps::enter;
using windowsteps::search;

namespace {
// Each account as "code|initials|name", or with "|page" after it.
void addAccounts(TestDb &db, const QStringList &accounts)
{
    for (const QString &a : accounts) {
        const QStringList f = a.split('|');
        db.run("insert into kmdmk (km_no, km_zjf, km_name, km_page) values (?, ?, ?, ?)",
               {f[0], f[1], f[2], f.size() > 3 ? QVariant(f[3]) : QVariant()});
    }
}
} // namespace

class tst_chartofaccounts : public testsupport::BooksTestCase {
    Q_OBJECT
private slots:
    void appendRefusesDuplicatesAndStoresTrimmedTexts();
    void changeWritesOnlyWhatChanged();
    void deleteRulesAndFailedWrites();
    void quickSearchRule();
    void printsItsOwnListingUnderTheCompanyItRead();
    void movingNeverCutsACell_data();
    void movingNeverCutsACell();
};

void tst_chartofaccounts::appendRefusesDuplicatesAndStoresTrimmedTexts()
{
    addAccounts(*db_, {"A1|XJ|现金"});
    Frmkjkm w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1();
    QLineEdit *text1 = w.editor()->text1();
    click(w, "button_append");

    // A code that differs from a stored one only by letter case or blanks is the same code.
    for (const QString &code : {QStringLiteral("a1"), QStringLiteral(" A1 ")}) {
        enter(text1, code);
        QCOMPARE(boxes_->lastText(), QStringLiteral("【会计科目】不能重复，请重新输入！"));
        QCOMPARE(g->textMatrix(2, 1), QString());
        QCOMPARE(g->col(), 1);
    }
    testsupport::typeText(text1, "a1");
    click(w, "button_save"); // without Enter, the save checks it
    QCOMPARE(boxes_->lastText(), QStringLiteral("【科目编号】不能重复，请重新输入！"));

    enter(text1, "10025"); // four characters are taken
    QCOMPARE(g->textMatrix(2, 1), QStringLiteral("1002"));
    enter(text1, "  ");
    enter(text1, " 银行存款 ");
    enter(text1, "");
    QCOMPARE(g->col(), 1); // the cycle stays in the row
    click(w, "button_save");
    QCOMPARE(boxes_->lastText(), QStringLiteral("【拼音简码】不能为空，请重新输入！"));
    QCOMPARE(g->col(), 2);
    testsupport::typeText(text1, "yhck");
    click(w, "button_save");
    QVERIFY(!w.editor()->isAppending());
    QCOMPARE(db_->scalar("select km_zjf || '|' || km_name || '|' || ifnull(km_page, 'unset') from kmdmk where "
                         "km_no='1002'"),
             QStringLiteral("yhck|银行存款|unset"));
    QCOMPARE(testsupport::gridRows(g).last(), QStringLiteral("2|1002|yhck|银行存款|")); // as stored

    click(w, "button_append");
    click(w, "button_save");
    QCOMPARE(boxes_->lastText(), QStringLiteral("【科目编号】不能为空，请重新输入！"));
    click(w, "button_cx");
    QCOMPARE(w.dataRows(), 2);
    QCOMPARE(db_->count("kmdmk"), 2);
}

void tst_chartofaccounts::changeWritesOnlyWhatChanged()
{
    addAccounts(*db_, {"1001|XJ|现金|1", "1002|YHCK|银行存款"});
    Frmkjkm w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1();
    QLineEdit *text2 = w.editor()->text2();

    g->setRow(2);
    click(w, "button_edit");
    QCOMPARE(g->col(), 2);
    enter(text2, " YH ");
    QTest::keyClick(text2, Qt::Key_Return);
    enter(text2, "9");
    QCOMPARE(g->col(), 2); // the code is never opened
    click(w, "button_save");
    QCOMPARE(db_->scalar("select km_zjf || '|' || km_name || '|' || km_page from kmdmk where km_no='1002'"),
             QStringLiteral("YH|银行存款|9"));
    // Each row shows what is stored: the one written trimmed, the one with blanks typed
    // around its unchanged name as it was.
    g->setRow(1);
    click(w, "button_edit");
    enter(text2, "XJ");
    enter(text2, "  现金  ");
    click(w, "button_save");
    QCOMPARE(testsupport::gridRows(g), (QStringList{"1|1001|XJ|现金|1", "2|1002|YH|银行存款|9"}));
    g->setRow(2);

    // Nothing changed: nothing is read or written, so a vanished account goes unnoticed.
    db_->run("delete from kmdmk where km_no='1002'");
    click(w, "button_edit");
    click(w, "button_save");
    QVERIFY(!w.editor()->isChanging());
    QCOMPARE(boxes_->count(), 0);

    // A change to it is reported, not written; cancel puts the row back as it was.
    click(w, "button_edit");
    testsupport::typeText(text2, "XX");
    click(w, "button_save");
    QCOMPARE(boxes_->lastText(), QStringLiteral("该会计科目已不存在，无法保存修改！"));
    QVERIFY(w.editor()->isChanging());
    click(w, "button_cx");
    QCOMPARE(gridColumn(g, 2), (QStringList{"XJ", "YH"}));
    QCOMPARE(db_->count("kmdmk"), 1);
}

void tst_chartofaccounts::deleteRulesAndFailedWrites()
{
    addAccounts(*db_, {"1001|XJ|现金", "1002|YHCK|银行存款", "1121|YSPJ|应收票据"});
    db_->run("insert into pzk (pz_no, km_no, jfje) values (1, '1001', 100)");
    db_->run("insert into zzqcye (djh, km_no, qcje) values ('CSH202601010001', '1121', 500)");
    Frmkjkm w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1();

    g->setRow(1);
    click(w, "button_delete");
    QCOMPARE(boxes_->texts(), QStringList{"会计科目【现金】已经使用，不能删除！"}); // and no question
    // An account that only has an opening balance may go; the balance keeps its copy.
    g->setRow(2);
    boxes_->answer(QMessageBox::No);
    click(w, "button_delete");
    QCOMPARE(boxes_->lastText(), QStringLiteral("确定要删除会计科目【银行存款】吗？"));
    QCOMPARE(db_->count("kmdmk"), 3);
    g->setRow(3);
    click(w, "button_delete");
    QCOMPARE(db_->count("kmdmk"), 2);
    QCOMPARE(db_->count("zzqcye"), 1);

    testsupport::FailingStatements failing(
        [](const QString &sql) { return sql.startsWith("INSERT") || sql.startsWith("delete from kmdmk"); });
    g->setRow(2);
    click(w, "button_delete");
    QVERIFY(boxes_->lastText().startsWith(QStringLiteral("删除会计科目失败")));
    QCOMPARE(boxes_->shown().back().kind, platform::MsgKind::Notice);
    QCOMPARE(gridColumn(g, 1), (QStringList{"1001", "1002"}));

    click(w, "button_append");
    enter(w.editor()->text1(), "2001");
    enter(w.editor()->text1(), "DQJK");
    enter(w.editor()->text1(), "短期借款");
    click(w, "button_save");
    QVERIFY(boxes_->lastText().startsWith(QStringLiteral("会计科目保存失败")));
    QVERIFY(w.editor()->isAppending());
    QCOMPARE(db_->count("kmdmk"), 2);
}

void tst_chartofaccounts::quickSearchRule()
{
    addAccounts(*db_, {"2001|DQJK|短期借款", "1001|XJ|现金", "1101|DQTZ|短期投资", "3001|BL1|100%纯利",
                       "5001|X_Y|下划线", "0010|QT|其他"});
    Frmkjkm w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1();

    // Code prefix, or initials or name containing the text, in code order. Wildcards and
    // quotes are searched as typed; a search that finds nothing changes nothing.
    const QList<std::pair<QString, QStringList>> searches = {{"1", {"1001", "1101", "3001"}},
                                                             {"dq", {"1101", "2001"}},
                                                             {"短期", {"1101", "2001"}},
                                                             {"%", {"3001"}},
                                                             {"_", {"5001"}},
                                                             {"'", {"5001"}},
                                                             {"\"", {"5001"}},
                                                             {"zz", {"5001"}}};
    for (const auto &[text, codes] : searches) {
        search(w, text);
        QCOMPARE(gridColumn(g, 1), codes);
    }
    QCOMPARE(boxes_->count(), 0);

    QString status;
    QCOMPARE(accounts::findAccounts(QString(), &status)->recordCount(), 6); // an empty lookup lists all
    // As long a text as the engine takes finds nothing; a longer one is refused in Chinese.
    const QString longest(49998 / 3, QChar(0x73b0)); // three UTF-8 bytes each, with "%%" 50000
    QCOMPARE(accounts::findAccounts(longest, &status)->recordCount(), 0);
    QVERIFY(!accounts::findAccounts(longest + "_", &status));
    QCOMPARE(status, QStringLiteral("检索内容过长，请缩短后重新输入！"));
}

// The print lists exactly what the grid lists: the rows of the last search, with those
// appended and deleted since, under the company read when the window opened.
void tst_chartofaccounts::printsItsOwnListingUnderTheCompanyItRead()
{
    db_->run("update dwmc set dw_name='澄川商贸'");
    addAccounts(*db_, {"1001|XJ|现金", "1101|DQTZ|短期投资", "2001|DQJK|短期借款|12"});
    MDIMain main;
    auto *w = windowsteps::openFromMenu<Frmkjkm>(main, "menukjkm");
    QVERIFY(w);
    search(*w, "dq");
    search(*w, "zz");
    w->MSFlexGrid1()->setRow(1);
    click(*w, "button_delete"); // answered with the default, Yes
    click(*w, "button_append");
    for (const char *cell : {"3001", "YSZK", "应收账款"})
        enter(w->editor()->text1(), QString::fromUtf8(cell));
    click(*w, "button_save");
    QCOMPARE(gridColumn(w->MSFlexGrid1(), 1), (QStringList{"2001", "3001"}));
    // What later statements leave in the shared variables does not reach this print.
    db_->run("update dwmc set dw_name='别家'");
    mdlStandard::sharedrs = db_->run("select * from czy");

    testsupport::CapturedPrints printed;
    click(*w, "button_print");
    QCOMPARE(printed.documents.size(), 1);
    const platform::report::ReportPage &page = printed.documents.first().pages.first();
    for (int c = 1; c <= 4; ++c)
        QCOMPARE(testsupport::texts(page, QStringLiteral("Text%1").arg(c)), gridColumn(w->MSFlexGrid1(), c));
    QCOMPARE(testsupport::text(page, "Label3"), QStringLiteral("澄川商贸"));
}

// Initials longer than the limit of the code and the page, a name longer than that of the initials.
const QStringList kLongAccount = {"1001", "abcdefghij", QStringLiteral("一二三四五六七八九十一二三四五六七八九十"),
                                  "12"};

void tst_chartofaccounts::movingNeverCutsACell_data()
{
    QTest::addColumn<bool>("append");
    QTest::addColumn<int>("enters"); // once the row is in place
    QTest::newRow("change, walked round") << false << 3;
    QTest::newRow("append, walked round once more") << true << 3;
}

void tst_chartofaccounts::movingNeverCutsACell()
{
    QFETCH(bool, append);
    QFETCH(int, enters);
    const QStringList &row = kLongAccount;
    if (!append)
        addAccounts(*db_, {row.join('|')});
    Frmkjkm w;
    w.show();
    windowsteps::appendOrChange(w, append, append ? row : QStringList(), enters);
    QCOMPARE(testsupport::currentRowCells(w), row);
    click(w, "button_save");
    QCOMPARE(boxes_->count(), 0);
    QCOMPARE(db_->rows("select km_no, km_zjf, km_name, km_page from kmdmk"), QStringList{row.join('|')});
}

QTEST_MAIN(tst_chartofaccounts)
#include "tst_chartofaccounts.moc"
