#pragma once
// A toolbar whose buttons are known by key ("button_save") and by their 1-based index,
// separators counted, and which reports a click by the button's key.

#include <QAction>
#include <QString>
#include <QToolBar>

#include <vector>

namespace platform {

class KeyedToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit KeyedToolBar(QWidget *parent = nullptr);

    // Adds a button; its action and widget both carry the key as object name.
    QAction *addButton(const QString &key, const QString &caption, const QIcon &icon = QIcon());
    void addSeparatorItem();

    QAction *button(const QString &key) const;
    QAction *button(int index) const; // 1-based, separators counted
    int buttonCount() const { return int(items_.size()); }
    int indexOf(const QString &key) const;

    // Clicks a button as a person would: nothing happens while it is disabled.
    void click(const QString &key);

signals:
    void buttonClick(const QString &key);

private:
    std::vector<QAction *> items_;
};

} // namespace platform
