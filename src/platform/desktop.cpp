#include "platform/desktop.h"

#include "db/mdlstandard.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QUrl>
#include <QWidget>

namespace platform {

namespace {
class EnterAsTabFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int typed = static_cast<QKeyEvent *>(event)->key();
            int key = typed;
            mdlStandard::entertotab(key);
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
