#pragma once
// A status bar of fixed text panels, numbered from 1.

#include <QLabel>
#include <QStatusBar>

#include <vector>

namespace platform {

class PanelStatusBar : public QStatusBar {
    Q_OBJECT
public:
    using QStatusBar::QStatusBar;
    // Adds a sunken panel; a larger stretch makes it wider.
    void addPanel(const QString &text, int stretch = 1);
    QString panelText(int index) const;
    int panelCount() const { return int(panels_.size()); }

private:
    std::vector<QLabel *> panels_;
};

} // namespace platform
