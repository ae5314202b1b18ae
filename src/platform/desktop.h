#pragma once
// Small services of the desktop: Enter-as-Tab on entry boxes, the hourglass pointer,
// and handing a file or link to the desktop's own handler.

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace platform {

// Enter acts as Tab: when the key code is Enter, moves the focus on as a typed Tab
// would and sets the code to 0 (swallowed); any other code is left alone.
void entertotab(int &keycode);
// Makes Enter in the given widget act as Tab, through entertotab.
void installEnterAsTab(QWidget *widget);

void setHourglass();
// Restores the normal pointer, however often the hourglass was set.
void restorePointer();
bool isHourglass();

// Opens a file or a "mailto:" link with the desktop's handler. The result is not
// reported, as a missing viewer is the desktop's matter. Tests install a hook instead.
void shellOpen(const QString &target);
using ShellOpenHook = std::function<void(const QString &target)>;
void setShellOpenHook(ShellOpenHook hook);

} // namespace platform
