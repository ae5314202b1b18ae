#include "frame/mdimain.h"

#include "accounts/frmkjkm.h"
#include "accounts/frmqykjqj.h"
#include "accounts/frmzzqcye.h"
#include "accounts/ledgersetup.h"
#include "admin/company.h"
#include "admin/frmczy.h"
#include "admin/frmdw.h"
#include "admin/frmmmxg.h"
#include "closing/frmkjqjjz.h"
#include "closing/frmkjqjzt.h"
#include "closing/frmpzhz.h"
#include "closing/frmpzhzcx.h"
#include "closing/frmssph.h"
#include "closing/vouchertotals.h"
#include "db/bookheader.h"
#include "db/mdlstandard.h"
#include "frame/frmabout.h"
#include "frame/frmface.h"
#include "platform/desktop.h"
#include "platform/msgbox.h"
#include "platform/panelstatusbar.h"
#include "queries/voucherlinequery.h"
#include "vouchers/frmpzcx.h"
#include "vouchers/frmpzlr.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDialog>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

namespace {
MDIMain *theMainWindow = nullptr;

// Whether the set-up flag reads as a step needs it; false after telling why not: the
// step's refusal (in a plain box where plain), or that the books cannot be read.
bool flagReads(std::optional<bool> (*read)(QString *), bool needed, const QString &refusal, bool plain = false)
{
    QString error;
    const auto flag = read(&error);
    if (!flag)
        platform::notice(error);
    else if (*flag != needed)
        plain ? platform::plainNotice(refusal) : platform::notice(refusal);
    return flag == needed;
}
} // namespace

MDIMain::MDIMain(QWidget *parent) : QMainWindow(parent)
{
    theMainWindow = this;
    setObjectName(QStringLiteral("MDIMain"));
    setWindowTitle(QString::fromUtf8(kCaption));

    area_ = new QMdiArea(this);
    area_->setObjectName(QStringLiteral("MDIClient"));
    QLinearGradient workspace(0, 0, 0, 900);
    workspace.setColorAt(0, QColor(0x7f, 0x9d, 0xc4));
    workspace.setColorAt(1, QColor(0x3d, 0x5f, 0x8f));
    area_->setBackground(workspace);
    setCentralWidget(area_);

    StatusBar1_ = new platform::PanelStatusBar(this);
    StatusBar1_->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1_->addPanel(QStringLiteral("专业财务会计凭证汇总工具"), 3);
    StatusBar1_->addPanel(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")), 1);
    StatusBar1_->addPanel(QStringLiteral("因为专注，所以专业"), 2);
    setStatusBar(StatusBar1_);

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1_, &QTimer::timeout, this, &MDIMain::Timer1_Timer);

    buildMenus();
    MDIForm_Load();
}

MDIMain::~MDIMain()
{
    if (splash_)
        splash_->close();
    if (theMainWindow == this)
        theMainWindow = nullptr;
}

MDIMain *MDIMain::instance() { return theMainWindow; }

QAction *MDIMain::menuItem(const QString &name) const { return findChild<QAction *>(name); }

void MDIMain::buildMenus()
{
    struct Item {
        const char *name;
        const char *caption; // "-" makes a separator
        void (MDIMain::*handler)();
    };
    struct Menu {
        const char *name;
        const char *caption;
        std::vector<Item> items;
    };
    const std::vector<Menu> menus = {
        {"mnuGeneral",
         "基本资料信息(&G)",
         {{"menudw", "单位信息设置", &MDIMain::menudw_Click},
          {"menuczy", "操作员信息设置", &MDIMain::menuczy_Click},
          {"menukjkm", "会计科目信息设置", &MDIMain::menukjkm_Click},
          {"mk11", "-", nullptr},
          {"menusjcshs", "开始数据初始化", &MDIMain::menusjcshs_Click},
          {"menucskjqj", "初次使用会计期间设置", &MDIMain::menucskjqj_Click},
          {"menuzzqcye", "总帐期初余额设置", &MDIMain::menuzzqcye_Click},
          {"menusjcshz", "结束数据初始化", &MDIMain::menusjcshz_Click},
          {"mk12", "-", nullptr},
          {"menummxg", "操作员密码修改", &MDIMain::menummxg_Click},
          {"mk13", "-", nullptr},
          {"menuexit", "退出系统", &MDIMain::menuexit_Click}}},
        {"mnuScore",
         "会计凭证管理(&D)",
         {{"menupzlr", "会计凭证登记", &MDIMain::menupzlr_Click},
          {"menupzcx", "凭证查询修改", &MDIMain::menupzcx_Click},
          {"mk21", "-", nullptr},
          {"menuakjkmcx", "按会计科目查询", &MDIMain::menuakjkmcx_Click},
          {"menuapzbhcx", "按凭证编号查询", &MDIMain::menuapzbhcx_Click},
          {"mk22", "-", nullptr},
          {"menussph", "平衡关系审核", &MDIMain::menussph_Click},
          {"mk23", "-", nullptr},
          {"menupzhz", "会计凭证汇总", &MDIMain::menupzhz_Click}}},
        {"menuzzmcx",
         "历史数据查询(&J)",
         {{"menuapzbhlscx", "按凭证编号查询凭证", &MDIMain::menuapzbhlscx_Click},
          {"menuakjkmlscx", "按会计科目查询凭证", &MDIMain::menuakjkmlscx_Click},
          {"mk31", "-", nullptr},
          {"menupzhzcx", "月份凭证汇总表查询", &MDIMain::menupzhzcx_Click}}},
        {"menudy",
         "会计期间管理(&P)",
         {{"menukjqjzt", "期间状态查询", &MDIMain::menukjqjzt_Click},
          {"mk41", "-", nullptr},
          {"menukjqjjz", "会计期间结转", &MDIMain::menukjqjjz_Click}}},
    };
    for (const Menu &m : menus) {
        QMenu *menu = menuBar()->addMenu(QString::fromUtf8(m.caption));
        menu->setObjectName(QString::fromUtf8(m.name));
        menu->menuAction()->setObjectName(QString::fromUtf8(m.name));
        for (const Item &item : m.items) {
            QAction *action = qstrcmp(item.caption, "-") == 0 ? menu->addSeparator()
                                                              : menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(QString::fromUtf8(item.name));
            if (item.handler)
                connect(action, &QAction::triggered, this, item.handler);
        }
    }
    // The window list: names the open child windows and activates the one chosen.
    ck_ = menuBar()->addMenu(QStringLiteral("窗    口"));
    ck_->setObjectName(QStringLiteral("ck"));
    ck_->menuAction()->setObjectName(QStringLiteral("ck"));
    connect(ck_, &QMenu::aboutToShow, this, &MDIMain::fillWindowList);

    QMenu *help = menuBar()->addMenu(QStringLiteral("系统服务管理(&S)"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->menuAction()->setObjectName(QStringLiteral("mnuHelp"));
    QAction *manual = help->addAction(QStringLiteral("阅读操作手册"));
    manual->setObjectName(QStringLiteral("menuczsc"));
    connect(manual, &QAction::triggered, this, &MDIMain::menuczsc_Click);
}

void MDIMain::fillWindowList()
{
    ck_->clear();
    const auto windows = area_->subWindowList();
    for (QMdiSubWindow *sub : windows) {
        QAction *entry = ck_->addAction(sub->windowTitle());
        entry->setCheckable(true);
        entry->setChecked(sub == area_->activeSubWindow());
        connect(entry, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (sub)
                area_->setActiveSubWindow(sub);
        });
    }
}

void MDIMain::MDIForm_Load()
{
    // A name that cannot be read leaves the caption without one; the books were found
    // readable at start-up, and the flags below tell of any failure.
    QString unread;
    companyName_ = mdlStandard::companyName(&unread).value_or(QString());
    setWindowTitle(windowTitle() + '(' + companyName_ + ')');

    platform::setHourglass();
    splash_ = new frmface;
    splash_->setGeometry(200, 200, 460, 360);
    splash_->show();
    splash_->repaint();

    // A flag that cannot be read disables its item as if its step were done: taken
    // again on books in use, a step would destroy them. The next start reads afresh.
    QString error;
    const std::pair<const char *, std::optional<bool>> steps[] = {
        {"menusjcshs", accounts::booksCleared(&error)},
        {"menucskjqj", accounts::firstPeriodSet(&error)},
        {"menusjcshz", accounts::initialisationEnded(&error)},
    };
    bool unreadable = false;
    for (const auto &[item, done] : steps) {
        if (done.value_or(true))
            menuItem(QString::fromLatin1(item))->setEnabled(false);
        unreadable = unreadable || !done;
    }
    if (unreadable)
        platform::notice(error + QStringLiteral("\n数据初始化的菜单项暂不可用，请稍后重新启动本系统。"));
}

void MDIMain::MDIForm_Activate() { Timer1_->start(5000); }

void MDIMain::Timer1_Timer()
{
    Timer1_->stop();
    if (splash_)
        splash_->close();
    platform::restorePointer();
}

void MDIMain::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        MDIForm_Activate();
    QMainWindow::changeEvent(event);
}

void MDIMain::closeEvent(QCloseEvent *event)
{
    if (!platform::askYesNo(QStringLiteral("确定退出财务澄川账簿系统吗？"))) {
        event->ignore();
        return;
    }
    area_->closeAllSubWindows();
    if (!area_->subWindowList().isEmpty()) {
        // A child window that would lose unsaved work keeps the program open.
        event->ignore();
        return;
    }
    if (splash_)
        splash_->close();
    event->accept();
    emit exitConfirmed();
}

QMdiSubWindow *MDIMain::showChild(const QString &key, const std::function<QWidget *()> &make)
{
    QPointer<QMdiSubWindow> &sub = children_[key];
    if (!sub) {
        QWidget *window = make();
        sub = area_->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowTitle(window->windowTitle());
        connect(window, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
        window->installEventFilter(this); // after the frame's own filter, so it runs first
    }
    sub->showMaximized();
    area_->setActiveSubWindow(sub);
    return sub;
}

bool MDIMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Close || !watched->isWidgetType())
        return QMainWindow::eventFilter(watched, event);
    // A child window closed by its own exit button would otherwise leave its empty frame
    // behind, and the menu would bring back that frame. The window's own close handling
    // decides first, as it may keep the window open.
    auto *window = static_cast<QWidget *>(watched);
    window->removeEventFilter(this);
    QCoreApplication::sendEvent(window, event);
    window->installEventFilter(this);
    if (event->isAccepted())
        closeChildFrame(window);
    return true;
}

void MDIMain::closeChildFrame(QWidget *window)
{
    for (auto it = children_.begin(); it != children_.end(); ++it) {
        if (it.value() && it.value()->widget() == window) {
            QPointer<QMdiSubWindow> sub = it.value();
            children_.erase(it); // the next menu choice makes the window afresh
            sub->close();
            return;
        }
    }
}

int MDIMain::showDialog(QDialog &dialog)
{
    dialog.setParent(this, dialog.windowFlags() | Qt::Dialog);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.adjustSize();
    if (const QScreen *screen = this->screen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    return dialog.exec();
}

void MDIMain::showabout()
{
    frmAbout about;
    showDialog(about);
}

void MDIMain::menuexit_Click() { close(); }

void MDIMain::menuczsc_Click()
{
    // Debian's viewer for compiled help files, for a desktop that has none set.
    platform::openDocument(QCoreApplication::applicationDirPath() + QStringLiteral("/sm.chm"), QStringLiteral("xchm"));
}

void MDIMain::menudw_Click()
{
    frmdw window;
    showDialog(window);
}

void MDIMain::menuczy_Click() { showChild<frmczy>(); }

void MDIMain::menummxg_Click()
{
    frmmmxg window;
    showDialog(window);
}

void MDIMain::menucskjqj_Click()
{
    if (!flagReads(accounts::booksCleared, true, QStringLiteral("数据初始化尚未完成数据清理，不能设置初始会计期间！")))
        return;
    frmqykjqj window;
    connect(&window, &frmqykjqj::firstPeriodSaved, this,
            [this] { menuItem(QStringLiteral("menucskjqj"))->setEnabled(false); });
    showDialog(window);
}

void MDIMain::menuzzqcye_Click()
{
    if (!flagReads(accounts::booksCleared, true, QStringLiteral("尚未进行数据初始化，不能设置期初数据！")))
        return;
    showChild<frmzzqcye>();
}

void MDIMain::menusjcshs_Click()
{
    if (!flagReads(accounts::booksCleared, false, QStringLiteral("数据初始化已经完成数据清理，不能再进行初始化操作！"),
                   true))
        return;
    if (!platform::askYesNo(
            QStringLiteral("数据初始化将清除所有数据且不能回转（保留会计科目信息），开始进行数据初始化吗？")))
        return;
    QString error;
    if (!accounts::clearBooks(&error)) {
        platform::notice(QStringLiteral("数据清理失败，所有数据均保持原样：") + error);
        return;
    }
    platform::notice(QStringLiteral("数据初始化已成功完成数据清理，现在您可以设置初次使用会计期间！"));
    menuItem(QStringLiteral("menusjcshs"))->setEnabled(false);
}

void MDIMain::menusjcshz_Click()
{
    if (!flagReads(accounts::firstPeriodSet, true, QStringLiteral("【初次使用会计期间】尚未设置，不能结束数据初始化！"),
                   true))
        return;
    if (!platform::askYesNo(QStringLiteral("结束初始化后，总帐期初余额只能查询，不能添加修改，确认结束吗？")))
        return;
    QString error;
    if (!accounts::endInitialisation(&error)) {
        platform::notice(QStringLiteral("结束数据初始化失败：") + error);
        return;
    }
    platform::notice(QStringLiteral("数据初始化结束！"));
    menuItem(QStringLiteral("menusjcshz"))->setEnabled(false);
}

void MDIMain::menukjkm_Click() { showChild<Frmkjkm>(); }

void MDIMain::menupzlr_Click() { showChild<frmpzlr>(); }

void MDIMain::menussph_Click() { showChild<frmssph>(); }
void MDIMain::menupzhz_Click() { showChild<frmpzhz>(); }
void MDIMain::menupzhzcx_Click() { showChild<frmpzhzcx>(); }

void MDIMain::menukjqjzt_Click()
{
    frmkjqjzt window;
    if (window.loaded())
        showDialog(window);
}

// The closing gate: a confirmed closing runs only when every voucher balances, or, for a
// month without vouchers, when the user forces it. A month whose vouchers cannot be read
// is never let through.
void MDIMain::menukjqjjz_Click()
{
    if (!platform::askYesNo(QStringLiteral("结转后数据不能回转，确定要进行会计期间结转吗？")))
        return;
    QString error;
    const auto verdict = closing::testBeforeClosing(&error);
    if (!verdict) {
        platform::notice(QStringLiteral("不能进行会计期间结转：") + error);
        return;
    }
    if (*verdict == closing::GateVerdict::Unbalanced) {
        platform::notice(QStringLiteral("尚存在不平衡凭证，无法完成结转！"));
        return;
    }
    if (*verdict == closing::GateVerdict::NoLines &&
        !platform::askYesNo(QStringLiteral("本月尚未发现有凭证数据输入，强制结转吗？")))
        return;
    if (!mayDiscardUnsavedWork())
        return;
    frmkjqjjz window;
    connect(&window, &frmkjqjjz::periodClosed, this, &MDIMain::closeCurrentPeriodWindows);
    showDialog(window);
}

QList<QWidget *> MDIMain::currentPeriodWindows() const
{
    // By object name, so that every window over the current period is covered without
    // this window knowing its class.
    static const QStringList overCurrentPeriod = {QStringLiteral("frmpzlr"),    QStringLiteral("frmpzcx"),
                                                  QStringLiteral("frmssph"),    QStringLiteral("frmpzhz"),
                                                  QStringLiteral("frmakjkmcx"), QStringLiteral("frmapzbhcx")};
    QList<QWidget *> windows;
    for (QMdiSubWindow *sub : area_->subWindowList()) {
        if (sub->widget() && overCurrentPeriod.contains(sub->widget()->objectName()))
            windows << sub->widget();
    }
    return windows;
}

bool MDIMain::mayDiscardUnsavedWork()
{
    // Asked before the closing runs, not after: a window kept open over the month just
    // closed would show lines no longer current, and No leaves the user free to save
    // first and close the month with the work in it.
    QStringList holding;
    for (QWidget *w : currentPeriodWindows()) {
        // The windows that can hold typed work say so through this property.
        if (w->property("unsavedWork").toBool())
            holding << QStringLiteral("【") + w->windowTitle() + QStringLiteral("】");
    }
    return holding.isEmpty() ||
           platform::askYesNo(QStringLiteral("以下窗口中尚有未保存的内容：") + holding.join(QStringLiteral("、")) +
                              QStringLiteral("。结转时这些窗口将被关闭，未保存的内容将丢失。\n"
                                             "确定要继续结转吗？（选择“否”可先保存，再进行结转）"));
}

void MDIMain::closeCurrentPeriodWindows()
{
    for (QWidget *w : currentPeriodWindows())
        w->close();
}

void MDIMain::menupzcx_Click() { showChild<frmpzcx>(); }

// The four detail queries are one window class configured four ways, each its own child.
namespace {
void showQuery(MDIMain &main, const VoucherQueryConfig &config)
{
    main.showChild(config.name, [config] { return new VoucherLineQuery(config); });
}
} // namespace

void MDIMain::menuakjkmcx_Click() { showQuery(*this, queries::frmakjkmcx()); }
void MDIMain::menuakjkmlscx_Click() { showQuery(*this, queries::frmakjkmlscx()); }
void MDIMain::menuapzbhcx_Click() { showQuery(*this, queries::frmapzbhcx()); }
void MDIMain::menuapzbhlscx_Click() { showQuery(*this, queries::frmapzbhlscx()); }
