#include "platform/desktop.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QUrl>
#include <QWidget>
#include <QWindow>

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
// Takes Enter away from the watched widgets: moved on as Tab, or dropped.
class EnterFilter : public QObject {
public:
    EnterFilter(QObject *parent, bool asTab) : QObject(parent), asTab_(asTab) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int typed = static_cast<QKeyEvent *>(event)->key();
            if (typed == Qt::Key_Return || typed == Qt::Key_Enter) {
                int key = typed;
                if (asTab_)
                    entertotab(key);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool asTab_;
};

// Puts the chosen entry back into a list-only box that is left with other text typed.
// Its own drop-down list taking the focus is no leaving: a choice may follow.
class ChosenEntryKeeper : public QObject {
public:
    explicit ChosenEntryKeeper(QComboBox *box) : QObject(box), box_(box) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason &&
            box_->currentText() != chosenEntry(box_))
            box_->setEditText(chosenEntry(box_));
        return QObject::eventFilter(watched, event);
    }

private:
    QComboBox *box_;
};

class BlankTitleBar : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The native window is made anew when the window is shown or given a new parent.
        if (event->type() == QEvent::Show || event->type() == QEvent::WinIdChange) {
            auto *window = static_cast<QWidget *>(watched);
            if (window->windowTitle().isEmpty() && window->windowHandle())
                window->windowHandle()->setTitle(QStringLiteral(" "));
        }
        return QObject::eventFilter(watched, event);
    }
};

std::optional<DesktopSeam> &seam()
{
    static std::optional<DesktopSeam> stand_in;
    return stand_in;
}

// The text a desktop tool prints, or nothing when it is missing, fails or hangs.
QString toolOutput(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(3000)) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

// Asks the desktop, as its opener does, for the file's type and the viewer set for it.
bool desktopHasViewer(const QString &path)
{
    if (seam())
        return seam()->hasViewer(path);
    const QString type =
        toolOutput(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("filetype"), path})
            .section(QLatin1Char(';'), 0, 0);
    return !type.isEmpty() &&
           !toolOutput(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type})
                .isEmpty();
}
} // namespace

void installEnterAsTab(QWidget *widget) { widget->installEventFilter(new EnterFilter(widget, true)); }

void chooseFromListOnly(QComboBox *box)
{
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // The keys reach the box, which hands them to its text directly.
    auto *swallow = new EnterFilter(box, false);
    box->installEventFilter(swallow);
    box->lineEdit()->installEventFilter(swallow);
    // Left with the text of an entry, the box would choose that entry as if picked.
    QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, nullptr, nullptr);
    box->installEventFilter(new ChosenEntryKeeper(box));
}

QString chosenEntry(const QComboBox *box)
{
    return box->currentIndex() < 0 ? QString() : box->itemText(box->currentIndex());
}

void keepTitleBarBlank(QWidget *window) { window->installEventFilter(new BlankTitleBar(window)); }

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

void setDesktopSeam(std::optional<DesktopSeam> stand_in) { seam() = std::move(stand_in); }

void shellOpen(const QString &target)
{
    if (seam()) {
        seam()->open(target);
        return;
    }
    const QUrl url = target.startsWith(QStringLiteral("mailto:")) ? QUrl(target) : QUrl::fromLocalFile(target);
    QDesktopServices::openUrl(url);
}

void openDocument(const QString &path, const QString &fallbackViewer)
{
    if (desktopHasViewer(path))
        shellOpen(path);
    else if (seam())
        seam()->start(fallbackViewer, {path});
    else
        QProcess::startDetached(fallbackViewer, {path});
}

} // namespace platform
