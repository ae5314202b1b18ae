#pragma once
// The steps a person takes in a window, shared by the window tests: a toolbar key,
// typing over an editor's text, a quick search, a row appended or changed in a list
// window's grid, a login, a window opened from its menu.
#include "frame/frmlogin.h"
#include "frame/mdimain.h"
#include "gridwin/ingrideditor.h"
#include "gridwin/recordwindow.h"
#include "platform/flexgrid.h"
#include "platform/keyedtoolbar.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

namespace windowsteps {

template <class Window>
void click(Window &window, const char *key)
{
    window.Toolbar1()->click(QString::fromLatin1(key));
}

// Types over the editor's text (selected whole first); enter() then presses Enter.
inline void retype(QLineEdit *editor, const QString &text)
{
    editor->selectAll();
    testsupport::typeText(editor, text);
}
inline void enter(QLineEdit *editor, const QString &text)
{
    retype(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

template <class Window>
void search(Window &window, const QString &text)
{
    window.Textjs()->setText(text);
    QTest::keyClick(window.Textjs(), Qt::Key_Return);
}

// Appends a row, typing `typed` into its cells with Enter after each, or changes row 1;
// then presses Enter `enters` times more. Returns the open editor; the grid keeps the row
// as it is then.
inline QLineEdit *appendOrChange(RecordWindow &w, bool append, const QStringList &typed = {}, int enters = 0)
{
    QLineEdit *editor = append ? w.editor()->text1() : w.editor()->text2();
    if (!append)
        w.MSFlexGrid1()->setRow(1);
    click(w, append ? "button_append" : "button_edit");
    for (const QString &text : typed)
        enter(editor, text);
    for (int i = 0; i < enters; ++i)
        QTest::keyClick(editor, Qt::Key_Return);
    return editor;
}

// Types a number and a password into the login window and presses 确定.
inline void typeLogin(frmlogin &login, const QString &number, const QString &password)
{
    login.txtitem1()->setText(number);
    login.txtitem2()->setText(password);
    QTest::mouseClick(login.findChild<QPushButton *>("Cmdok"), Qt::LeftButton);
}

// Whether a fresh login window lets the operator in.
inline bool logsIn(const QString &number, const QString &password)
{
    frmlogin login;
    login.show();
    typeLogin(login, number, password);
    return login.loginok();
}

// Opens a window from its menu item, as the user does: the child window then active, or
// nullptr when none is.
template <class Window>
Window *openFromMenu(MDIMain &main, const char *item)
{
    main.menuItem(QString::fromLatin1(item))->trigger();
    QMdiSubWindow *sub = main.mdiArea()->activeSubWindow();
    return sub ? qobject_cast<Window *>(sub->widget()) : nullptr;
}

} // namespace windowsteps
