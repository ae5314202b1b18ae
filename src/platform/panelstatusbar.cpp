#include "platform/panelstatusbar.h"

namespace platform {

void PanelStatusBar::addPanel(const QString &text, int stretch)
{
    auto *label = new QLabel(text, this);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setObjectName(QStringLiteral("panel%1").arg(panels_.size() + 1));
    addPermanentWidget(label, stretch);
    panels_.push_back(label);
}

QString PanelStatusBar::panelText(int index) const
{
    return index >= 1 && index <= panelCount() ? panels_[index - 1]->text() : QString();
}

} // namespace platform
