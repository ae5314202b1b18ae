#pragma once
// Small services of the desktop: Enter-as-Tab on entry boxes, the hourglass pointer,
// and handing a file or link to the desktop's own handler or to a viewer.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QComboBox;
class QWidget;

namespace platform {

// Enter acts as Tab: when the key code is Enter, moves the focus on as a typed Tab
// would and sets the code to 0 (swallowed); any other code is left alone.
void entertotab(int &keycode);
// Makes Enter in the given widget act as Tab, through entertotab.
void installEnterAsTab(QWidget *widget);

// Makes the combo box's text typable while only an entry chosen from its list counts
// (its activated signal): Enter in the text is swallowed, so typing chooses nothing, and
// a box left without a choice shows its chosen entry again.
void chooseFromListOnly(QComboBox *box);
// The entry last chosen in such a box, whatever is typed over it; empty when none is.
QString chosenEntry(const QComboBox *box);

// Shows nothing in the window's title bar while its caption is empty. The toolkit would
// put the program's name into an empty title.
void keepTitleBarBlank(QWidget *window);

void setHourglass();
// Restores the normal pointer, however often the hourglass was set.
void restorePointer();
bool isHourglass();

// Opens a file or a "mailto:" link with the desktop's handler. The result is not
// reported, as a missing viewer is the desktop's matter.
void shellOpen(const QString &target);

// Opens a document with the viewer the desktop has for its type; where the desktop has
// none, starts fallbackViewer (a program on the search path) on it. Nothing is reported:
// a viewer that cannot show the document says so itself.
void openDocument(const QString &path, const QString &fallbackViewer);

// Stands in for the desktop while set (tests): nothing is opened or started, each part
// is asked instead. An empty seam restores the desktop.
struct DesktopSeam {
    std::function<void(const QString &target)> open; // handed to the desktop's handler
    std::function<bool(const QString &path)> hasViewer;
    std::function<void(const QString &program, const QStringList &arguments)> start;
};
void setDesktopSeam(std::optional<DesktopSeam> seam);

} // namespace platform
