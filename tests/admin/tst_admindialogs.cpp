// The company record and the password change, driven through their toolbars.
#include "admin/frmdw.h"
#include "admin/frmmmxg.h"
#include "bookstestcase.h"
#include "windowsteps.h"

#include <QClipboard>
#include <QLabel>

using windowsteps::click;

namespace {
bool enabled(DialogFrame &window, const char *key)
{
    return window.Toolbar1()->button(QString::fromLatin1(key))->isEnabled();
}

void retype(QLineEdit *box, const QString &text)
{
    windowsteps::retype(box, text);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
}

// Types the old password, the new one and its confirmation, each after what its box holds.
void typePasswords(frmmmxg &window, const QString &old, const QString &fresh, const QString &confirmed)
{
    QTest::keyClicks(window.textymm(), old);
    QTest::keyClicks(window.textxmm(), fresh);
    QTest::keyClicks(window.textqrmm(), confirmed);
}

void logInAs(const QString &number)
{
    mdlStandard::loginczyno = number;
    mdlStandard::loginczyname = QStringLiteral("系统管理员");
}
} // namespace

class tst_admindialogs : public testsupport::BooksTestCase {
    Q_OBJECT
private slots:
    void companyRecordEditSaveCancelAndExit();
    void refusedOrFailedCompanySaveKeepsEditing_data();
    void refusedOrFailedCompanySaveKeepsEditing();
    void companyBoxesCountCharactersAndKeepStoredText();

    void passwordChangeTakesEffectAtOnce();
    void passwordRefusalsBlanksAndCase();
};

void tst_admindialogs::companyRecordEditSaveCancelAndExit()
{
    db_->run("update dwmc set dw_name='旧名', frdb=null");
    frmdw window;
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("单位基本信息"));
    QCOMPARE(window.txtitem(1)->text(), QStringLiteral("旧名"));
    QCOMPARE(window.txtitem(0)->text(), QString()); // a Null shows as empty
    QVERIFY(!window.txtitem(0)->isEnabled());
    QVERIFY(enabled(window, "button_edit") && !enabled(window, "button_save") && !enabled(window, "button_cancel"));

    click(window, "button_edit");
    QVERIFY(window.txtitem(4)->isEnabled());
    QVERIFY(!enabled(window, "button_edit") && enabled(window, "button_save") && enabled(window, "button_cancel"));
    retype(window.txtitem(1), " 澄川贸易 ");
    retype(window.txtitem(2), "");
    click(window, "button_save");
    QCOMPARE(boxes_->lastText(), QStringLiteral("单位基本信息设置成功！"));
    QCOMPARE(boxes_->shown().back().title, QStringLiteral("友情提示"));
    QVERIFY(!window.txtitem(1)->isEnabled());
    // The emptied boxes store '', not Null.
    QCOMPARE(db_->rows("select dw_name, dw_address, yzbm, ifnull(frdb, 'Null') from dwmc"),
             QStringList{" 澄川贸易 |||"});

    // 撤消 shows the saved value again, not the typed one; 退出 while editing stores nothing.
    click(window, "button_edit");
    retype(window.txtitem(1), "再改");
    click(window, "button_cancel");
    QCOMPARE(window.txtitem(1)->text(), QStringLiteral(" 澄川贸易 "));
    click(window, "button_edit");
    retype(window.txtitem(1), "不存");
    click(window, "button_exit");
    QVERIFY(!window.isVisible());
    QCOMPARE(db_->rows("select dw_name from dwmc"), QStringList{" 澄川贸易 "});

    // A record that cannot be read is told with its cause and cannot be edited.
    testsupport::FailingStatements locked(testsupport::statementsOn("dwmc"));
    frmdw unreadable;
    QCOMPARE(boxes_->lastText(), "无法读取单位基本信息：" + mdlStandard::kBooksBusy);
    QVERIFY(!enabled(unreadable, "button_edit"));
}

void tst_admindialogs::refusedOrFailedCompanySaveKeepsEditing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("writeFails");
    QTest::addColumn<QString>("message"); // the whole message, or how a failure's begins
    QTest::newRow("blank name") << "   " << false
                                << "单位名称不能为空，请设置正确的单位名称！\n(单位名称用于打印报表的表头！)";
    QTest::newRow("failed write") << "新名" << true << "单位基本信息保存失败";
}

void tst_admindialogs::refusedOrFailedCompanySaveKeepsEditing()
{
    QFETCH(QString, name);
    QFETCH(bool, writeFails);
    QFETCH(QString, message);
    db_->run("update dwmc set dw_name='旧名'");
    frmdw window;
    window.show();
    click(window, "button_edit");
    retype(window.txtitem(1), name);
    retype(window.txtitem(2), "新地址");
    {
        std::optional<testsupport::FailingStatements> failing;
        if (writeFails)
            failing.emplace([](const QString &sql) { return sql.startsWith("UPDATE"); });
        click(window, "button_save");
    }
    QCOMPARE(boxes_->count(), 1);
    QVERIFY2(writeFails ? boxes_->lastText().startsWith(message) : boxes_->lastText() == message,
             qPrintable(boxes_->lastText()));
    QVERIFY(window.isEditing() && enabled(window, "button_save"));
    QCOMPARE(window.txtitem(2)->text(), QStringLiteral("新地址"));
    QCOMPARE(db_->rows("select dw_name, ifnull(dw_address, '') from dwmc"), QStringList{"旧名|"});
}

void tst_admindialogs::companyBoxesCountCharactersAndKeepStoredText()
{
    db_->run("update dwmc set dw_name='澄川', frdb='一二三四五六七八'"); // past the name box's limit of 6
    frmdw window;
    window.show();
    QCOMPARE(window.txtitem(0)->text(), QStringLiteral("一二三四五六七八"));
    click(window, "button_edit");
    retype(window.txtitem(3), QStringLiteral("12345😀😀")); // the postcode takes six characters
    // A name pasted with line breaks and a tab is taken as one line.
    QGuiApplication::clipboard()->setText(QStringLiteral("澄川\r\n贸易\t"));
    window.txtitem(1)->selectAll();
    QTest::keyClick(window.txtitem(1), Qt::Key_V, Qt::ControlModifier);
    click(window, "button_save");
    QCOMPARE(boxes_->lastText(), QStringLiteral("单位基本信息设置成功！"));
    QCOMPARE(db_->scalar("select frdb || '|' || dw_name || '|' || yzbm from dwmc"),
             QStringLiteral("一二三四五六七八|澄川 贸易|12345😀"));
}

void tst_admindialogs::passwordChangeTakesEffectAtOnce()
{
    logInAs("759");
    frmmmxg window;
    window.show();
    QApplication::setActiveWindow(&window);
    QCOMPARE(window.Labeldm()->text() + ' ' + window.Labelczy()->text(), QStringLiteral("759 系统管理员"));
    QVERIFY(!window.textymm()->isEnabled());
    click(window, "button_edit");
    QTest::keyClicks(window.textymm(), "40617");
    // Enter moves on, and from the confirmation back to the old password, never saving.
    for (QLineEdit *next : {window.textxmm(), window.textqrmm(), window.textymm()}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    QVERIFY(window.isEditing() && window.isVisible());
    typePasswords(window, "", "Neu 1", "Neu 1");
    click(window, "button_save");
    QCOMPARE(boxes_->count(), 0); // success says nothing
    QVERIFY(!window.isEditing());
    QCOMPARE(window.textxmm()->text(), QStringLiteral("Neu 1")); // kept, masked, until the next edit
    QCOMPARE(db_->scalar("select password from czy where czyno='759'"), QStringLiteral("Neu 1"));
    QVERIFY(windowsteps::logsIn("759", "Neu 1"));
}

void tst_admindialogs::passwordRefusalsBlanksAndCase()
{
    db_->run("insert into czy (czyno, czyname, password) values ('8', '乙', ' Ab ')");
    logInAs("8");
    frmmmxg window;
    window.show();
    auto stored = [this] { return db_->scalar("select password from czy where czyno='8'"); };
    auto boxesText = [&window] {
        return QStringList{window.textymm()->text(), window.textxmm()->text(), window.textqrmm()->text()}.join('|');
    };
    click(window, "button_edit");
    typePasswords(window, "ab", "a", "a");
    click(window, "button_save");
    QCOMPARE(boxes_->lastText(), QStringLiteral("原密码不正确，请重新输入原密码！")); // case counts
    QCOMPARE(boxesText(), QStringLiteral("|a|a"));
    QVERIFY(window.isEditing());

    // A stored password with blanks around it is matched trimmed, as the login matches it.
    QTest::keyClicks(window.textymm(), "Ab");
    window.textqrmm()->setText("b");
    click(window, "button_save");
    QCOMPARE(boxes_->lastText(), QStringLiteral("新密码与确认密码不一致，请重新输入密码！"));
    QCOMPARE(boxesText(), QStringLiteral("Ab||"));
    click(window, "button_cancel");
    QCOMPARE(boxesText(), QStringLiteral("||"));
    QVERIFY(!window.textymm()->isEnabled());
    QCOMPARE(stored(), QStringLiteral(" Ab "));

    // The confirmation is compared trimmed; an empty new password is stored too, silently.
    boxes_->clear();
    click(window, "button_edit");
    typePasswords(window, "Ab", " x ", "x");
    click(window, "button_save");
    QCOMPARE(stored(), QStringLiteral(" x "));
    click(window, "button_edit");
    QTest::keyClicks(window.textymm(), "x");
    click(window, "button_save");
    QCOMPARE(stored(), QString());
    QCOMPARE(boxes_->count(), 0);

    click(window, "button_edit");
    db_->run("delete from czy where czyno='8'");
    click(window, "button_save");
    QCOMPARE(boxes_->lastText(), QStringLiteral("当前操作员已不存在，无法修改密码！"));
    QCOMPARE(db_->count("czy"), 1);
}

QTEST_MAIN(tst_admindialogs)
#include "tst_admindialogs.moc"
