#pragma once
// The main window: the menus that lead to every window, the child-window area, the
// splash window, the status bar and the exit confirmation.

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class QDialog;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class frmface;
namespace platform {
class PanelStatusBar;
}

class MDIMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char *kCaption = "财务澄川账簿信息系统";

    // Builds the window and runs its load: caption, splash, flag-driven menu items.
    explicit MDIMain(QWidget *parent = nullptr);
    ~MDIMain() override;
    // The one main window, for windows that change its menu items.
    static MDIMain *instance();

    QMdiArea *mdiArea() const { return area_; }
    QAction *menuItem(const QString &name) const;
    QTimer *Timer1() const { return Timer1_; }
    platform::PanelStatusBar *StatusBar1() const { return StatusBar1_; }

    // Shows the child window known by key inside the main window, maximised. While one
    // is open it is only brought to the front; otherwise make() creates it afresh. A
    // child window that closes itself closes its frame in the main window too.
    QMdiSubWindow *showChild(const QString &key, const std::function<QWidget *()> &make);
    template <class Window>
    QMdiSubWindow *showChild()
    {
        return showChild(QString::fromLatin1(Window::staticMetaObject.className()), [] { return new Window; });
    }
    // Shows a dialog modally, centred on the screen.
    int showDialog(QDialog &dialog);
    void showabout();

    // Menu handlers, one per item.
    void menudw_Click();
    void menuczy_Click();
    void menukjkm_Click();
    void menusjcshs_Click();
    void menucskjqj_Click();
    void menuzzqcye_Click();
    void menusjcshz_Click();
    void menummxg_Click();
    void menuexit_Click();
    void menupzlr_Click();
    void menupzcx_Click();
    void menuakjkmcx_Click();
    void menuapzbhcx_Click();
    void menussph_Click();
    void menupzhz_Click();
    void menuapzbhlscx_Click();
    void menuakjkmlscx_Click();
    void menupzhzcx_Click();
    void menukjqjzt_Click();
    void menukjqjjz_Click();
    void menuczsc_Click();

    void Timer1_Timer();

signals:
    // The exit was confirmed and the window closed: the program ends.
    void exitConfirmed();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void MDIForm_Load();
    void MDIForm_Activate();
    void buildMenus();
    void fillWindowList();
    void closeChildFrame(QWidget *window);
    // The open windows over the current period, which a closing closes.
    QList<QWidget *> currentPeriodWindows() const;
    // Before a closing: true when no such window holds unsaved work, or the user agrees
    // to lose it.
    bool mayDiscardUnsavedWork();
    // After a closing: the windows that show the month now closed go, so that nothing is
    // entered into it or read from it as current.
    void closeCurrentPeriodWindows();

    QMdiArea *area_;
    QMenu *ck_;
    QPointer<frmface> splash_;
    QString companyName_;
    QHash<QString, QPointer<QMdiSubWindow>> children_;

    QTimer *Timer1_;
    platform::PanelStatusBar *StatusBar1_;
};
