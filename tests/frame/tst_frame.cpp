// Start-up: the login window and the main window, driven as an operator would.
#include "bookstestcase.h"
#include "frame/frmabout.h"
#include "frame/frmface.h"
#include "frame/frmlogin.h"
#include "frame/mdimain.h"
#include "frame/startup.h"
#include "gridwin/gridframe.h"
#include "platform/desktop.h"
#include "platform/msgbox.h"
#include "platform/panelstatusbar.h"
#include "windowsteps.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>

using windowsteps::typeLogin;

namespace {
QList<frmface *> splashWindows()
{
    QList<frmface *> found;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *f = qobject_cast<frmface *>(w))
            found << f;
    }
    return found;
}

// Stands in for the desktop while it lives and records what would be opened or started.
class DesktopRecorder {
public:
    explicit DesktopRecorder(bool hasViewer)
    {
        platform::setDesktopSeam(platform::DesktopSeam{
            [this](const QString &target) { launched << "desktop " + target; },
            [hasViewer](const QString &) { return hasViewer; },
            [this](const QString &program, const QStringList &args) { launched << program + ' ' + args.join(' '); }});
    }
    ~DesktopRecorder() { platform::setDesktopSeam(std::nullopt); }
    DesktopRecorder(const DesktopRecorder &) = delete;
    DesktopRecorder &operator=(const DesktopRecorder &) = delete;
    QStringList launched;
};

// What the window menu lists, as it opens.
QStringList windowList(MDIMain &main)
{
    auto *ck = main.findChild<QMenu *>("ck");
    emit ck->aboutToShow();
    QStringList names;
    for (QAction *a : ck->actions())
        names << a->text();
    return names;
}

} // namespace

class tst_frame : public testsupport::BooksTestCase {
    Q_OBJECT
private slots:

    void loginTries_data();
    void loginTries();
    void enterMovesThroughTheLoginBoxes();

    void unreadableBooksEndTheProgram();
    void qtTextsAreChinese();
    void titlesAreTheCaptionsAndTheIconIsOurs();
    void statusBarAndMenus();
    void oneInstancePerChildWindowAndExitAsks();
    void exitButtonClosesTheListWindow_data();
    void exitButtonClosesTheListWindow();
    void splashAndHourglassEndOnTheTimer();
    void helpAndAboutUseTheDesktop_data();
    void helpAndAboutUseTheDesktop();
};

void tst_frame::loginTries_data()
{
    // Each try is "number|password" typed and 确定 pressed, or "cancel".
    QTest::addColumn<QStringList>("tries");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("operatorIn"); // "number name" logged in; empty: none
    QTest::addColumn<QString>("left");       // "number|password" in the boxes while the window stays open
    const QString noUser = "无此用户代码，请重新输入！", badPassword = "输入的密码不正确，请重新输入！";
    auto row = [](const char *tag, const QStringList &tries, const QStringList &messages, const char *operatorIn,
                  const char *left = "") { QTest::newRow(tag) << tries << messages << operatorIn << left; };
    row("password trimmed", {"759| 40617 "}, {}, "759 系统管理员");
    row("empty number left as typed", {"   |x"}, {noUser}, "", "   |x");
    row("wrong password emptied", {"759|wrong"}, {badPassword}, "", "759|");
    row("unknown number emptied", {"7'59|40617"}, {noUser}, "", "|40617");
    row("third failure ends", {"   |x", "759|wrong", "nobody|40617"}, {noUser, badPassword, noUser}, "");
    row("two failures, then in", {"|", "759|4061", "759|40617"}, {noUser, badPassword}, "759 系统管理员");
    // The number matches without regard to letter case; the password does not.
    row("letter case", {"AB'1|pw", "AB'1|Pw"}, {badPassword}, "ab'1 乙");
    row("cancel", {"cancel"}, {}, "");
}

void tst_frame::loginTries()
{
    QFETCH(QStringList, tries);
    QFETCH(QStringList, messages);
    QFETCH(QString, operatorIn);
    QFETCH(QString, left);
    db_->run("insert into czy (czyno, czyname, password) values ('ab''1', '乙', 'Pw')");
    frmlogin login;
    login.show();
    for (const QString &t : tries) {
        if (t == "cancel")
            QTest::mouseClick(login.findChild<QPushButton *>("Cmdcancel"), Qt::LeftButton);
        else
            typeLogin(login, t.section('|', 0, 0), t.section('|', 1));
    }
    QCOMPARE(boxes_->texts(), messages);
    for (const auto &box : boxes_->shown())
        QVERIFY(box.title == QStringLiteral("友情提示！") && box.icon == QMessageBox::Warning);
    QCOMPARE(login.loginok(), !operatorIn.isEmpty());
    if (login.loginok())
        QCOMPARE(mdlStandard::loginczyno.toString() + ' ' + mdlStandard::loginczyname.toString(), operatorIn);
    QCOMPARE(login.isVisible(), !left.isEmpty());
    if (!left.isEmpty())
        QCOMPARE(login.txtitem1()->text() + '|' + login.txtitem2()->text(), left);
    QCOMPARE(login.tries(), int(tries.filter("|").size()));
}

void tst_frame::enterMovesThroughTheLoginBoxes()
{
    frmlogin login;
    login.show();
    QApplication::setActiveWindow(&login);
    login.txtitem1()->setFocus();
    QTest::keyClicks(login.txtitem1(), "759");
    QTest::keyClick(login.txtitem1(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), "40617");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), login.findChild<QPushButton *>("Cmdok"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(login.loginok());
}

void tst_frame::unreadableBooksEndTheProgram()
{
    QTemporaryDir dir;
    testsupport::BooksAt missing(dir.filePath("kelopz.mdb"));
    QCOMPARE(Main(), 1);
    QCOMPARE(boxes_->count(), 1);
    QVERIFY(boxes_->lastText().contains(dir.filePath("kelopz.mdb")));
    QVERIFY(boxes_->lastText().contains(QStringLiteral("找不到账簿文件")));
    QVERIFY(!QFile::exists(dir.filePath("kelopz.mdb")));
}

void tst_frame::qtTextsAreChinese()
{
    loadQtTranslations();
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("是(&Y)"));
}

void tst_frame::titlesAreTheCaptionsAndTheIconIsOurs()
{
    setUpApplication();
    // Once a display name is set the toolkit appends it to every title on the desktop;
    // a set name no longer follows the application's name.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("probe");
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
    QCoreApplication::setApplicationName(name);

    db_->run("update dwmc set dw_name=?", {"澄川贸易"});
    frmlogin login;
    login.show();
    QCOMPARE(login.windowTitle(), QString());
    QCOMPARE(login.windowHandle()->title(), QStringLiteral(" ")); // not the program's name
    MDIMain main;
    main.show();
    QCOMPARE(main.windowHandle()->title(), QStringLiteral("财务澄川账簿信息系统(澄川贸易)"));

    const QImage ours = QImage(":/kelopz.png").convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QVERIFY(!ours.isNull());
    for (QWidget *w : {static_cast<QWidget *>(&login), static_cast<QWidget *>(&main)})
        QCOMPARE(w->windowIcon().pixmap(ours.size()).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 ours);

    // A box with a short text is wide enough for its whole title: a desktop's title bar
    // draws it bold at about 11 points, beside some 100 pixels of icon and buttons.
    const platform::MsgBoxHandler answered = platform::setMsgBoxHandler({});
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    titleFont.setPointSize(11);
    for (const platform::MsgKind kind : {platform::MsgKind::PlainNotice, platform::MsgKind::Notice}) {
        int shortOf = 0;
        QTimer::singleShot(0, [&] {
            QWidget *box = QApplication::activeModalWidget();
            shortOf = QFontMetrics(titleFont).horizontalAdvance(box->windowTitle()) + 100 - box->width();
            box->close();
        });
        platform::showMessage(kind, QStringLiteral("好"));
        QVERIFY2(shortOf <= 0, qPrintable(QString::number(shortOf)));
    }
    platform::setMsgBoxHandler(answered);
}

void tst_frame::statusBarAndMenus()
{
    // Only "1" and "js" set a flag: other values leave every item enabled, and so does a Null.
    db_->run("update qy set bj='11', qyqj='JS' where cdxm='sjcsh'");
    db_->run("update qy set bj=null where cdxm='qykjqj'");
    MDIMain main;
    QCOMPARE(main.StatusBar1()->panelCount(), 3);
    QCOMPARE(main.StatusBar1()->panelText(1) + '|' + main.StatusBar1()->panelText(3),
             QStringLiteral("专业财务会计凭证汇总工具|因为专注，所以专业"));
    QStringList top;
    for (QAction *a : main.menuBar()->actions())
        top << a->text();
    QCOMPARE(top, QStringList({"基本资料信息(&G)", "会计凭证管理(&D)", "历史数据查询(&J)", "会计期间管理(&P)",
                               "窗    口", "系统服务管理(&S)"}));
    QCOMPARE(main.menuItem("menukjqjjz")->text(), QStringLiteral("会计期间结转"));
    for (QAction *a : main.findChildren<QAction *>())
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
}

void tst_frame::oneInstancePerChildWindowAndExitAsks()
{
    MDIMain main;
    main.show();
    int made = 0;
    auto make = [&] {
        ++made;
        return new QLabel("operators");
    };
    QMdiSubWindow *first = main.showChild("frmczy", make);
    QCOMPARE(main.showChild("frmczy", make), first);
    QCOMPARE(made, 1);
    // Two windows sharing a caption are still two windows.
    const auto queryWindow = [] {
        auto *l = new QLabel;
        l->setWindowTitle("按会计科目查询");
        return l;
    };
    main.showChild("frmakjkmcx", queryWindow);
    main.showChild("frmakjkmlscx", queryWindow);
    QCOMPARE(main.mdiArea()->subWindowList().size(), 3);
    QVERIFY(main.mdiArea()->subWindowList().back()->isMaximized());

    // The window list names every open child and activates the chosen one.
    QCOMPARE(windowList(main).size(), 3);
    main.findChild<QMenu *>("ck")->actions().first()->trigger();
    QCOMPARE(main.mdiArea()->activeSubWindow(), first);

    QSignalSpy exits(&main, &MDIMain::exitConfirmed);
    boxes_->answer(QMessageBox::No);
    main.menuItem("menuexit")->trigger();
    QCOMPARE(boxes_->lastText(), QStringLiteral("确定退出财务澄川账簿系统吗？"));
    const platform::MsgBoxRequest &asked = boxes_->shown().back();
    QVERIFY(asked.defaultButton == QMessageBox::No && asked.icon == QMessageBox::Question);
    QVERIFY(main.isVisible() && main.mdiArea()->subWindowList().size() == 3 && exits.isEmpty());
    // The close box asks the same question; Yes closes the children and ends the program.
    boxes_->answer(QMessageBox::Yes);
    main.close();
    QVERIFY(boxes_->count() == 2 && !main.isVisible() && exits.count() == 1);
}

void tst_frame::exitButtonClosesTheListWindow_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("addRow"); // a row added while the window is open
    auto row = [](const char *tag, const char *item, const char *caption, const char *addRow) {
        QTest::newRow(tag) << item << caption << addRow;
    };
    row("operators", "menuczy", "操作员信息设置", "insert into czy (czyno, czyname, password) values ('8', '乙', '1')");
    row("chart", "menukjkm", "会计科目信息设置",
        "insert into kmdmk (km_no, km_zjf, km_name) values ('1002', 'YHCK', '银行存款')");
    row("opening balances", "menuzzqcye", "总帐期初余额设置",
        "insert into zzqcye (djh, km_no, km_name, qcje, kjqj) values ('CSH202601010002', '1001', '现金', 5, "
        "'2026年01月')");
}

void tst_frame::exitButtonClosesTheListWindow()
{
    QFETCH(QString, item);
    QFETCH(QString, caption);
    QFETCH(QString, addRow);
    db_->run("update qy set bj='1'");
    db_->run("update dqkjqj set kjqj='2026年01月', kjnd='2026年'");
    db_->run("insert into kmdmk (km_no, km_zjf, km_name) values ('1001', 'XJ', '现金')");
    db_->run("insert into zzqcye (djh, km_no, km_name, qcje, kjqj) values ('CSH202601010001', '1001', '现金', 5, "
             "'2026年01月')");
    MDIMain main;
    main.show();
    auto openList = [&] { return windowsteps::openFromMenu<GridFrame>(main, qPrintable(item)); };

    QPointer<GridFrame> first = openList();
    QVERIFY(first && first->dataRows() == 1);
    db_->run(addRow);
    first->Toolbar1()->click("button_exit");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
    QVERIFY(main.mdiArea()->subWindowList().isEmpty());
    QCOMPARE(windowList(main), QStringList());

    GridFrame *again = openList();
    QVERIFY(again && again->isVisible());
    QCOMPARE(again->dataRows(), 2); // read afresh
    QCOMPARE(windowList(main), QStringList{caption});
    QCOMPARE(boxes_->count(), 0);
}

void tst_frame::splashAndHourglassEndOnTheTimer()
{
    MDIMain main;
    const auto splash = splashWindows();
    QCOMPARE(splash.size(), 1);
    QVERIFY(splash.first()->isVisible() && (splash.first()->windowFlags() & Qt::WindowStaysOnTopHint));
    QCOMPARE(splash.first()->geometry(), QRect(200, 200, 460, 360));
    QVERIFY(platform::isHourglass());

    main.show();
    QApplication::setActiveWindow(&main);
    QTRY_VERIFY(main.Timer1()->isActive());
    QCOMPARE(main.Timer1()->interval(), 5000);
    main.Timer1_Timer();
    QVERIFY(!main.Timer1()->isActive());
    QVERIFY(!platform::isHourglass());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(splashWindows().isEmpty());
    main.Timer1_Timer(); // later ticks only reset the pointer
}

void tst_frame::helpAndAboutUseTheDesktop_data()
{
    QTest::addColumn<bool>("desktopHasViewer");
    QTest::addColumn<QString>("helpOpenedBy");
    QTest::newRow("desktop's viewer") << true << "desktop";
    QTest::newRow("no viewer set") << false << "xchm";
}

void tst_frame::helpAndAboutUseTheDesktop()
{
    QFETCH(bool, desktopHasViewer);
    QFETCH(QString, helpOpenedBy);
    DesktopRecorder desktop(desktopHasViewer);
    MDIMain main;
    main.menuItem("menuczsc")->trigger();
    QCOMPARE(desktop.launched, QStringList(helpOpenedBy + ' ' + QCoreApplication::applicationDirPath() + "/sm.chm"));

    frmAbout about;
    about.show();
    QTest::mouseClick(about.findChild<QLabel *>("lblContact"), Qt::LeftButton);
    QCOMPARE(desktop.launched.last(), "desktop mailto:" + frmAbout::contactAddress());
    QVERIFY(about.isVisible());
    QTest::mouseClick(about.findChild<QLabel *>("lblTitle"), Qt::LeftButton);
    QVERIFY(!about.isVisible());
}

QTEST_MAIN(tst_frame)
#include "tst_frame.moc"
