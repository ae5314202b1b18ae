// The company record and the password change, driven through their toolbars.
#include "admin/frmdw.h"
#include "admin/frmmmxg.h"
#include "frame/frmlogin.h"
#include "platform/keyedtoolbar.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using testsupport::MessageBoxes;
using testsupport::TestDb;

namespace {
void press(DialogFrame &window, const char *key) { window.Toolbar1->click(QString::fromLatin1(key)); }

bool enabled(DialogFrame &window, const char *key)
{
    return window.Toolbar1->button(QString::fromLatin1(key))->isEnabled();
}

void retype(QLineEdit *box, const QString &text)
{
    box->selectAll();
    testsupport::typeText(box, text);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
}

void logInAs(const QString &number)
{
    mdlStandard::loginczyno = number;
    mdlStandard::loginczyname = QStringLiteral("系统管理员");
}
} // namespace

class tst_admindialogs : public QObject {
    Q_OBJECT
private slots:
    void companyRecordEditAndSave();
    void blankCompanyNameIsRefused();
    void cancelAndExitLeaveTheRow();
    void failedCompanySaveIsReported();
    void companyBoxesCountCharactersAndKeepStoredText();

    void passwordChangeTakesEffectAtOnce();
    void passwordRefusals();
    void passwordBlanksAndCase();
    void enterInConfirmationGoesBack();
    void vanishedOperatorIsReported();
};

void tst_admindialogs::companyRecordEditAndSave()
{
    TestDb db;
    db.run("update dwmc set dw_name='旧名', frdb=null");
    MessageBoxes boxes;
    frmdw window;
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("单位基本信息"));
    QCOMPARE(window.txtitem(1)->text(), QStringLiteral("旧名"));
    QCOMPARE(window.txtitem(0)->text(), QString()); // a Null shows as empty
    QVERIFY(!window.txtitem(0)->isEnabled());
    QVERIFY(enabled(window, "button_edit") && !enabled(window, "button_save") && !enabled(window, "button_cancel"));

    press(window, "button_edit");
    QVERIFY(window.txtitem(4)->isEnabled());
    QVERIFY(!enabled(window, "button_edit") && enabled(window, "button_save") && enabled(window, "button_cancel"));
    retype(window.txtitem(1), " 澄川贸易 ");
    retype(window.txtitem(2), "");
    retype(window.txtitem(3), "1234567"); // the postcode box takes six characters
    press(window, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("单位基本信息设置成功！"));
    QCOMPARE(boxes.shown().back().title, QStringLiteral("友情提示"));
    QVERIFY(!window.txtitem(1)->isEnabled());
    QCOMPARE(db.scalar("select dw_name from dwmc"), QStringLiteral(" 澄川贸易 "));
    QCOMPARE(db.scalar("select dw_address from dwmc"), QString());
    QCOMPARE(db.scalar("select yzbm from dwmc"), QStringLiteral("123456"));
    QCOMPARE(db.scalar("select frdb from dwmc"), QString()); // the emptied box stores ''
    QCOMPARE(db.scalar("select count(*) from dwmc where frdb is null"), QStringLiteral("0"));
    QCOMPARE(db.count("dwmc"), 1);
}

void tst_admindialogs::blankCompanyNameIsRefused()
{
    TestDb db;
    db.run("update dwmc set dw_name='旧名'");
    MessageBoxes boxes;
    frmdw window;
    window.show();
    press(window, "button_edit");
    retype(window.txtitem(1), "   ");
    retype(window.txtitem(2), "新地址");
    press(window, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("单位名称不能为空，请设置正确的单位名称！\n(单位名称用于打印报表的表头！)"));
    QVERIFY(window.isEditing());
    QCOMPARE(window.txtitem(2)->text(), QStringLiteral("新地址"));
    QVERIFY(enabled(window, "button_save"));
    QCOMPARE(db.scalar("select dw_name from dwmc"), QStringLiteral("旧名"));
}

void tst_admindialogs::cancelAndExitLeaveTheRow()
{
    TestDb db;
    db.run("update dwmc set dw_name='旧名'");
    MessageBoxes boxes;
    frmdw window;
    window.show();
    press(window, "button_edit");
    retype(window.txtitem(1), "新名");
    press(window, "button_save");
    press(window, "button_edit");
    retype(window.txtitem(1), "再改");
    press(window, "button_cancel");
    QCOMPARE(window.txtitem(1)->text(), QStringLiteral("新名")); // the saved value, not the typed one
    press(window, "button_edit");
    retype(window.txtitem(1), "不存");
    press(window, "button_exit");
    QVERIFY(!window.isVisible());
    QCOMPARE(db.scalar("select dw_name from dwmc"), QStringLiteral("新名"));
}

void tst_admindialogs::failedCompanySaveIsReported()
{
    TestDb db;
    MessageBoxes boxes;
    frmdw window;
    window.show();
    press(window, "button_edit");
    retype(window.txtitem(1), "新名");
    {
        testsupport::FailingStatements failing([](const QString &sql) { return sql.startsWith("UPDATE"); });
        press(window, "button_save");
    }
    QVERIFY(boxes.lastText().startsWith(QStringLiteral("单位基本信息保存失败")));
    QVERIFY(!boxes.texts().contains(QStringLiteral("单位基本信息设置成功！")));
    QVERIFY(window.isEditing());
    QCOMPARE(db.scalar("select dw_name from dwmc"), QString());
}

void tst_admindialogs::companyBoxesCountCharactersAndKeepStoredText()
{
    TestDb db;
    db.run("update dwmc set dw_name='澄川', frdb='一二三四五六七八'"); // past the name box's limit of 6
    MessageBoxes boxes;
    frmdw window;
    window.show();
    QCOMPARE(window.txtitem(0)->text(), QStringLiteral("一二三四五六七八"));
    press(window, "button_edit");
    retype(window.txtitem(3), QStringLiteral("12345😀😀")); // the postcode takes six characters
    press(window, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("单位基本信息设置成功！"));
    QCOMPARE(db.scalar("select frdb || '|' || yzbm from dwmc"), QStringLiteral("一二三四五六七八|12345😀"));
}

void tst_admindialogs::passwordChangeTakesEffectAtOnce()
{
    TestDb db;
    logInAs("759");
    MessageBoxes boxes;
    frmmmxg window;
    window.show();
    QCOMPARE(window.Labeldm->text(), QStringLiteral("759"));
    QCOMPARE(window.Labelczy->text(), QStringLiteral("系统管理员"));
    QVERIFY(!window.textymm->isEnabled());
    press(window, "button_edit");
    QTest::keyClicks(window.textymm, "40617");
    QTest::keyClicks(window.textxmm, "Neu 1");
    QTest::keyClicks(window.textqrmm, "Neu 1");
    press(window, "button_save");
    QCOMPARE(boxes.count(), 0); // success says nothing
    QVERIFY(!window.isEditing());
    QCOMPARE(window.textxmm->text(), QStringLiteral("Neu 1")); // kept, masked, until the next edit
    QCOMPARE(db.scalar("select password from czy where czyno='759'"), QStringLiteral("Neu 1"));

    frmlogin login;
    login.show();
    login.txtitem(1)->setText("759");
    login.txtitem(2)->setText("Neu 1");
    QTest::mouseClick(login.findChild<QPushButton *>("Cmdok"), Qt::LeftButton);
    QVERIFY(login.loginok);
}

void tst_admindialogs::passwordRefusals()
{
    TestDb db;
    logInAs("759");
    MessageBoxes boxes;
    frmmmxg window;
    window.show();
    press(window, "button_edit");
    QTest::keyClicks(window.textymm, "40618");
    QTest::keyClicks(window.textxmm, "a");
    QTest::keyClicks(window.textqrmm, "a");
    press(window, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("原密码不正确，请重新输入原密码！"));
    QCOMPARE(window.textymm->text(), QString());
    QCOMPARE(window.textxmm->text(), QStringLiteral("a"));
    QVERIFY(window.isEditing());

    QTest::keyClicks(window.textymm, "40617");
    window.textqrmm->setText("b");
    press(window, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("新密码与确认密码不一致，请重新输入密码！"));
    QCOMPARE(window.textxmm->text(), QString());
    QCOMPARE(window.textqrmm->text(), QString());
    QCOMPARE(window.textymm->text(), QStringLiteral("40617"));

    press(window, "button_cancel");
    QCOMPARE(window.textymm->text(), QString());
    QVERIFY(!window.textymm->isEnabled());
    QCOMPARE(db.scalar("select password from czy where czyno='759'"), QStringLiteral("40617"));
}

void tst_admindialogs::passwordBlanksAndCase()
{
    TestDb db;
    db.run("insert into czy (czyno, czyname, password) values ('8', '乙', ' Ab ')");
    logInAs("8");
    MessageBoxes boxes;
    frmmmxg window;
    window.show();
    press(window, "button_edit");
    QTest::keyClicks(window.textymm, "ab");
    press(window, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("原密码不正确，请重新输入原密码！")); // case counts

    // A stored password with blanks around it is matched trimmed, as the login matches it.
    QTest::keyClicks(window.textymm, "Ab");
    QTest::keyClicks(window.textxmm, " x ");
    QTest::keyClicks(window.textqrmm, "x");
    press(window, "button_save");
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(db.scalar("select password from czy where czyno='8'"), QStringLiteral(" x "));

    // Empty new password with the right old one is stored, silently.
    press(window, "button_edit");
    QTest::keyClicks(window.textymm, "x");
    press(window, "button_save");
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(db.scalar("select password from czy where czyno='8'"), QString());
}

void tst_admindialogs::enterInConfirmationGoesBack()
{
    TestDb db;
    logInAs("759");
    MessageBoxes boxes;
    frmmmxg window;
    window.show();
    QApplication::setActiveWindow(&window);
    press(window, "button_edit");
    QTest::keyClicks(window.textymm, "40617");
    QTest::keyClick(window.textymm, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), window.textxmm);
    QTest::keyClick(window.textxmm, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), window.textqrmm);
    QTest::keyClick(window.textqrmm, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), window.textymm);
    QVERIFY(window.isEditing());
    QVERIFY(window.isVisible());
    QCOMPARE(boxes.count(), 0);
}

void tst_admindialogs::vanishedOperatorIsReported()
{
    TestDb db;
    db.run("insert into czy (czyno, czyname, password) values ('8', '乙', '1')");
    logInAs("8");
    MessageBoxes boxes;
    frmmmxg window;
    window.show();
    press(window, "button_edit");
    db.run("delete from czy where czyno='8'");
    QTest::keyClicks(window.textymm, "1");
    press(window, "button_save");
    QCOMPARE(boxes.lastText(), QStringLiteral("当前操作员已不存在，无法修改密码！"));
    QCOMPARE(db.count("czy"), 1);
}

QTEST_MAIN(tst_admindialogs)
#include "tst_admindialogs.moc"
