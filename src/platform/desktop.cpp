#include "platform/desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QUrl>
#include <QWidget>

namespace platform {

void entertotab(int &keycode)
{
    if (keycode != Qt::Key_Return && keycode != Qt::Key_Enter && keycode != 13)
        return;
    if (QWidget *focus = QApplication::focusWidget()) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(focus, &tab);
    }
    keycode = 0;
}

namespace {
class EnterAsTabFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int typed = static_cast<QKeyEvent *>(event)->key();
            int key = typed;
            entertotab(key);
            if (key != typed)
                return true; // the Enter became a Tab
        }
        return QObject::eventFilter(watched, event);
    }
};

ShellOpenHook &shellHook()
{
    static ShellOpenHook hook;
    return hook;
}
} // namespace

void installEnterAsTab(QWidget *widget) { widget->installEventFilter(new EnterAsTabFilter(widget)); }

void setHourglass()
{
    if (!isHourglass())
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void restorePointer()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

bool isHourglass()
{
    return QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
}

void setShellOpenHook(ShellOpenHook hook) { shellHook() = std::move(hook); }

void shellOpen(const QString &target)
{
    if (shellHook()) {
        shellHook()(target);
        return;
    }
    const QUrl url = target.startsWith(QStringLiteral("mailto:")) ? QUrl(target) : QUrl::fromLocalFile(target);
    QDesktopServices::openUrl(url);
}

} // namespace platform
