#include "platform/keyedtoolbar.h"

namespace platform {

KeyedToolBar::KeyedToolBar(QWidget *parent) : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

QAction *KeyedToolBar::addButton(const QString &key, const QString &caption, const QIcon &icon)
{
    QAction *action = addAction(icon, caption);
    action->setObjectName(key);
    if (QWidget *w = widgetForAction(action))
        w->setObjectName(key);
    connect(action, &QAction::triggered, this, [this, key] { emit buttonClick(key); });
    items_.push_back(action);
    return action;
}

void KeyedToolBar::addSeparatorItem() { items_.push_back(addSeparator()); }

QAction *KeyedToolBar::button(const QString &key) const
{
    for (QAction *a : items_) {
        if (!a->isSeparator() && a->objectName() == key)
            return a;
    }
    return nullptr;
}

QAction *KeyedToolBar::button(int index) const
{
    return index >= 1 && index <= buttonCount() ? items_[index - 1] : nullptr;
}

int KeyedToolBar::indexOf(const QString &key) const
{
    for (size_t i = 0; i < items_.size(); ++i) {
        if (!items_[i]->isSeparator() && items_[i]->objectName() == key)
            return int(i) + 1;
    }
    return 0;
}

void KeyedToolBar::click(const QString &key)
{
    if (QAction *a = button(key); a && a->isEnabled() && a->isVisible())
        a->trigger();
}

} // namespace platform
