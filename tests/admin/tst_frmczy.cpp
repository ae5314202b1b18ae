// The operators window: adding, changing, deleting and searching operators.
#include "admin/frmczy.h"
#include "bookstestcase.h"
#include "gridwin/ingrideditor.h"
#include "platform/flexgrid.h"
#include "windowsteps.h"

using testsupport::TestDb;
using testsupport::typeText;
using windowsteps::appendOrChange;
using windowsteps::click;
using windowsteps::enter;

namespace {
void addOperator(TestDb &db, const QString &number, const QString &name, const QVariant &phone = {})
{
    db.run("insert into czy (czyno, czyname, lxdh, password) values (?, ?, ?, '1')", {number, name, phone});
}
} // namespace

class tst_frmczy : public testsupport::BooksTestCase {
    Q_OBJECT
private slots:
    void appendChecksTheNumberAndTheNewOperatorLogsIn();
    void emptyListAndTheHeaderRow();
    void changeWritesOnlyWhatChanged();
    void deleteRulesRenumberingAndFailure();
    void searchIsRefusedWhileEditing();
    void movingNeverCutsACell_data();
    void movingNeverCutsACell();
    void limitsCountCharacters();
    void committedSaveIsDoneWhenTheReadBackFails_data();
    void committedSaveIsDoneWhenTheReadBackFails();
};

void tst_frmczy::appendChecksTheNumberAndTheNewOperatorLogsIn()
{
    for (const char *number : {"1", "2", "3", "4", "5", "ab"})
        addOperator(*db_, number, "x");
    frmczy w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1();
    QLineEdit *text1 = w.editor()->text1();
    click(w, "button_append");
    QCOMPARE(QList<int>({g->rows(), g->row(), g->col()}), QList<int>({9, 8, 1}));
    QCOMPARE(g->textMatrix(8, 0), QStringLiteral("8"));
    QVERIFY(!w.isButtonEnabled("button_append") && w.isButtonEnabled("button_save"));

    enter(text1, "AB"); // the same number in other letters
    QCOMPARE(boxes_->lastText(), QStringLiteral("【操作员编号】不能重复，请重新输入！"));
    QCOMPARE(boxes_->shown().back().kind, platform::MsgKind::PlainNotice);
    QCOMPARE(text1->text() + g->textMatrix(8, 1), QString());
    QCOMPARE(g->col(), 1);
    QTest::keyClick(text1, Qt::Key_Return); // an empty number passes Enter
    QCOMPARE(g->col(), 2);
    click(w, "button_save");
    QCOMPARE(boxes_->lastText(), QStringLiteral("【操作员编号】不能为空，请重新输入！"));
    QCOMPARE(g->col(), 1);
    typeText(text1, " o'\"% ");
    click(w, "button_save");
    QCOMPARE(boxes_->lastText(), QStringLiteral("【操作员姓名】不能为空，请重新输入！"));
    QCOMPARE(g->col(), 2);
    enter(text1, "张三");
    QCOMPARE(g->col(), 3);
    QTest::keyClick(text1, Qt::Key_Return);              // no telephone
    QCOMPARE(QPoint(g->col(), g->rows()), QPoint(1, 9)); // back to the number, never a new row

    addOperator(*db_, "o'\"%", "y");
    click(w, "button_save"); // taken meanwhile: refused at save too
    QCOMPARE(boxes_->lastText(), QStringLiteral("【操作员编号】不能重复，请重新输入！"));
    db_->run("delete from czy where czyno=?", {"o'\"%"});
    boxes_->clear();
    click(w, "button_save");
    QCOMPARE(boxes_->count(), 0);
    QVERIFY(!text1->isVisible());
    QVERIFY(w.isButtonEnabled("button_append") && !w.isButtonEnabled("button_save"));
    QCOMPARE(g->textMatrix(8, 1), QStringLiteral("o'\"%")); // as stored
    QCOMPARE(db_->rows("select czyno, czyname, password, ifnull(lxdh, 'Null') from czy where czyname='张三'"),
             QStringList{"o'\"%|张三|40617|Null"});
    QVERIFY(windowsteps::logsIn("o'\"%", "40617"));
}

void tst_frmczy::emptyListAndTheHeaderRow()
{
    db_->run("delete from czy");
    frmczy w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1();
    QCOMPARE(g->rows(), 1);
    for (const char *key : {"button_edit", "button_delete", "button_print", "button_first", "button_next"})
        QVERIFY2(!w.isButtonEnabled(key), key);
    // The header row is never treated as a record.
    w.editrecord();
    w.deleterecord();
    QVERIFY(!w.editor()->text2()->isVisible());
    QCOMPARE(g->textMatrix(0, 2), QStringLiteral("操  作  员  姓  名"));
    QCOMPARE(boxes_->count(), 0);

    click(w, "button_append");
    QCOMPARE(g->textMatrix(1, 0), QStringLiteral("1"));
    click(w, "button_cx");
    QCOMPARE(g->rows(), 1);
    QVERIFY(!w.isButtonEnabled("button_edit"));
}

void tst_frmczy::changeWritesOnlyWhatChanged()
{
    addOperator(*db_, "1", "甲", "123");
    frmczy w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1();
    QLineEdit *text2 = w.editor()->text2();
    auto change = [&](const QString &name) {
        g->setRow(1);
        click(w, "button_edit");
        enter(text2, name);
    };
    change(" 甲 "); // blanks around an unchanged name are no change
    // Meanwhile somebody else changes the row; an unchanged edit must not overwrite it.
    db_->run("update czy set lxdh='999' where czyno='1'");
    click(w, "button_save");
    QCOMPARE(db_->rows("select czyname, lxdh from czy where czyno='1'"), QStringList{"甲|999"});
    QCOMPARE(testsupport::currentRowCells(w).mid(0, 3), (QStringList{"1", "甲", "123"})); // as listed
    QVERIFY(!w.isButtonEnabled("button_next")); // left off after a save, as the change began

    change("乙");
    text2->selectAll();
    QTest::keyClick(text2, Qt::Key_Delete); // the telephone emptied
    click(w, "button_save");
    QCOMPARE(db_->rows("select czyname, lxdh from czy where czyno='1'"), QStringList{"乙| < 无 >"});
    QCOMPARE(testsupport::currentRowCells(w).mid(0, 3), (QStringList{"1", "乙", " < 无 >"})); // as stored

    // A row deleted meanwhile is reported, not written.
    change("丙");
    db_->run("delete from czy where czyno='1'");
    click(w, "button_save");
    QCOMPARE(boxes_->lastText(), QStringLiteral("该操作员已不存在，无法保存修改！"));
    QVERIFY(text2->isVisible());
    QCOMPARE(db_->count("czy"), 1);
}

void tst_frmczy::deleteRulesRenumberingAndFailure()
{
    for (int i = 1; i <= 4; ++i)
        addOperator(*db_, QString::number(i), QStringLiteral("员%1").arg(i));
    frmczy w;
    w.show();
    MSFlexGrid *g = w.MSFlexGrid1();
    g->setRow(5); // 759 sorts last
    g->setTextMatrix(5, 1, " 759 ");
    click(w, "button_delete");
    QCOMPARE(boxes_->texts(), QStringList{"【管理员】帐号，不能删除，可以修改密码！"});

    g->setRow(3);
    boxes_->answer(QMessageBox::No);
    click(w, "button_delete");
    QCOMPARE(boxes_->lastText(), QStringLiteral("确定要删除操作员【员3】吗？"));
    QCOMPARE(boxes_->shown().back().defaultButton, QMessageBox::Yes);
    QCOMPARE(db_->count("czy"), 5);
    click(w, "button_delete"); // answered with the default, Yes
    QCOMPARE(db_->count("czy"), 4);
    QCOMPARE(testsupport::gridColumn(g, 0) + testsupport::gridColumn(g, 1),
             (QStringList{"1", "2", "3", "4", "1", "2", "4", " 759 "}));

    {
        testsupport::FailingStatements failing([](const QString &sql) { return sql.startsWith("delete"); });
        g->setRow(1);
        click(w, "button_delete");
    }
    QVERIFY(boxes_->lastText().startsWith(QStringLiteral("删除操作员失败")));
    QCOMPARE(testsupport::gridColumn(g, 1), (QStringList{"1", "2", "4", " 759 "}));
    QCOMPARE(db_->count("czy"), 4);

    db_->run("delete from czy where czyno <> '1'");
    click(w, "button_exit");
    frmczy single;
    single.show();
    single.MSFlexGrid1()->setRow(1);
    click(single, "button_delete");
    QCOMPARE(single.MSFlexGrid1()->rows(), 1);
    QCOMPARE(db_->count("czy"), 0);
    QVERIFY(!single.isButtonEnabled("button_delete") && !single.isButtonEnabled("button_print"));
}

void tst_frmczy::searchIsRefusedWhileEditing()
{
    addOperator(*db_, "15", "一号");
    addOperator(*db_, "2", "十一");
    frmczy w;
    w.show();
    windowsteps::search(w, "1");
    QCOMPARE(w.dataRows(), 1); // numbers beginning with 1 ...
    windowsteps::search(w, QStringLiteral("一"));
    QCOMPARE(w.dataRows(), 2); // ... or names containing the text
    windowsteps::search(w, "   ");
    QCOMPARE(w.dataRows(), 3);

    click(w, "button_append");
    windowsteps::search(w, "15");
    QCOMPARE(w.dataRows(), 4); // the row being entered is still there
    QVERIFY(w.editor()->text1()->isVisible());
}

void tst_frmczy::movingNeverCutsACell_data()
{
    // The telephone is longer than the limit of the columns beside it.
    QTest::addColumn<bool>("append");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("enters"); // once the row is in place
    QTest::newRow("change, Enter once") << false << QStringLiteral("一二三四五六") << 1;
    QTest::newRow("change, a name past its limit, walked round twice")
        << false << QStringLiteral("一二三四五六七八") << 4;
    QTest::newRow("append, walked round once more") << true << QStringLiteral("一二三四五六") << 3;
}

void tst_frmczy::movingNeverCutsACell()
{
    QFETCH(bool, append);
    QFETCH(QString, name);
    QFETCH(int, enters);
    const QStringList row = {"123456", name, "13800138000"};
    if (!append)
        addOperator(*db_, row[0], row[1], row[2]);
    frmczy w;
    w.show();
    appendOrChange(w, append, append ? row : QStringList(), enters);
    QCOMPARE(testsupport::currentRowCells(w).mid(0, 3), row);
    click(w, "button_save");
    QCOMPARE(boxes_->count(), 0);
    QCOMPARE(db_->scalar("select czyname || '|' || lxdh from czy where czyno=?", {row[0]}), row[1] + '|' + row[2]);
}

void tst_frmczy::limitsCountCharacters()
{
    // Typed into the number (6), name (6) and telephone (20) columns of new rows: a wide
    // character in the last place is kept whole, and one past the limit is not typed at all.
    frmczy w;
    w.show();
    const QString smile = QStringLiteral("😀"), five = QStringLiteral("一二三四五");
    for (const QStringList &typed :
         {QStringList{"12345" + smile, five + smile, "1234567890123456789" + smile},
          QStringList{"123456" + smile, smile.repeated(7), "12345678901234567890" + smile}}) {
        click(w, "button_append");
        for (const QString &text : typed)
            enter(w.editor()->text1(), text);
        click(w, "button_save");
    }
    QCOMPARE(boxes_->texts(), QStringList());
    QCOMPARE(db_->rows("select czyno, czyname, lxdh from czy where czyno like '12345%' order by czyno"),
             (QStringList{"123456|" + smile.repeated(6) + "|12345678901234567890",
                          "12345" + smile + '|' + five + smile + "|1234567890123456789" + smile}));
}

void tst_frmczy::committedSaveIsDoneWhenTheReadBackFails_data()
{
    // The write's own read-back goes unnoticed; a failed read of the row to show is told.
    QTest::addColumn<bool>("append");
    QTest::addColumn<bool>("rowToShow");
    QTest::newRow("append") << true << false;
    QTest::newRow("change") << false << false;
    QTest::newRow("append, the row to show") << true << true;
    QTest::newRow("change, the row to show") << false << true;
}

void tst_frmczy::committedSaveIsDoneWhenTheReadBackFails()
{
    QFETCH(bool, append);
    QFETCH(bool, rowToShow);
    addOperator(*db_, "1", "甲");
    frmczy w;
    w.show();
    QLineEdit *editor = appendOrChange(w, append, append ? QStringList{"2"} : QStringList());
    typeText(editor, QStringLiteral("乙"));
    bool written = false;
    testsupport::FailingStatements readBack([&](const QString &sql) {
        written = written || sql.startsWith("INSERT") || sql.startsWith("UPDATE");
        return rowToShow ? written && sql.endsWith("* from czy where czyno=?") : testsupport::isReadBack(sql);
    });
    click(w, "button_save");
    QCOMPARE(boxes_->count(), rowToShow ? 1 : 0);
    QVERIFY(boxes_->lastText().startsWith(rowToShow ? mdlStandard::kSavedUnread : QString()));
    QVERIFY(!editor->isVisible());
    QCOMPARE(db_->scalar("select czyname from czy where czyno=?", {append ? "2" : "1"}), QStringLiteral("乙"));
}

QTEST_MAIN(tst_frmczy)
#include "tst_frmczy.moc"
