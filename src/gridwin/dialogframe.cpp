#include "gridwin/dialogframe.h"

#include "platform/desktop.h"
#include "platform/keyedtoolbar.h"
#include "platform/look.h"
#include "platform/textlimit.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QStyle>
#include <QVBoxLayout>

namespace {
// The strip of picture right below the toolbar.
class PictureStrip : public QWidget {
public:
    explicit PictureStrip(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("Picture1"));
        setFixedHeight(36);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        QLinearGradient band(0, 0, width(), 0);
        band.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
        band.setColorAt(1, QColor(0xa9, 0xc2, 0xe0));
        p.fillRect(rect(), band);
    }
};

const QString kLabelColour = platform::vbColor(0x00C00000).name();
const QString kTextColour = platform::vbColor(0x000000C0).name();
} // namespace

DialogFrame::DialogFrame(const QString &name, const QString &caption, const Captions &captions, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, platform::vbColor(0x00E0E0E0));
    setPalette(pal);

    Toolbar1_ = new platform::KeyedToolBar(this);
    Toolbar1_->setObjectName(QStringLiteral("Toolbar1"));
    QStyle *s = style();
    for (const QString &key : captions.order) {
        if (key == QStringLiteral("|"))
            Toolbar1_->addSeparatorItem();
        else if (key == QStringLiteral("button_edit"))
            Toolbar1_->addButton(key, captions.edit, s->standardIcon(QStyle::SP_FileDialogDetailedView))
                ->setToolTip(captions.editTip);
        else if (key == QStringLiteral("button_cancel"))
            Toolbar1_->addButton(key, QStringLiteral("撤  消"), s->standardIcon(QStyle::SP_DialogCancelButton))
                ->setToolTip(QStringLiteral("撤消操作"));
        else if (key == QStringLiteral("button_save"))
            Toolbar1_->addButton(key, QStringLiteral("保  存"), s->standardIcon(QStyle::SP_DialogSaveButton))
                ->setToolTip(captions.saveTip);
        else if (key == QStringLiteral("button_exit"))
            Toolbar1_->addButton(key, QStringLiteral("退  出"), s->standardIcon(QStyle::SP_DialogCloseButton))
                ->setToolTip(QStringLiteral("返回主菜单"));
    }
    connect(Toolbar1_, &platform::KeyedToolBar::buttonClick, this, &DialogFrame::dispatch);

    form_ = new QGridLayout;
    form_->setContentsMargins(40, 20, 40, 24);
    form_->setVerticalSpacing(12);
    form_->setHorizontalSpacing(8);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Toolbar1_);
    layout->addWidget(new PictureStrip(this));
    layout->addLayout(form_);
    layout->addStretch();
}

QLabel *DialogFrame::makeLabel(const QString &name, const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(name);
    label->setFont(platform::cjkFont(QStringLiteral("宋体"), 9, true));
    label->setStyleSheet(QStringLiteral("color: %1").arg(kLabelColour));
    return label;
}

void DialogFrame::place(QLabel *label, QWidget *field, bool sameRow)
{
    if (sameRow && lastRow_ >= 0) {
        lastColumn_ += 2;
    } else {
        ++lastRow_;
        lastColumn_ = 0;
    }
    form_->addWidget(label, lastRow_, lastColumn_, Qt::AlignRight);
    form_->addWidget(field, lastRow_, lastColumn_ + 1);
}

QLineEdit *DialogFrame::addEntry(const QString &labelName, const QString &labelText, const QString &boxName,
                                 int maxLength, bool enterAsTab, bool sameRow)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(boxName);
    box->setFont(platform::cjkFont(QStringLiteral("宋体"), 9, true));
    box->setStyleSheet(QStringLiteral("QLineEdit { background: white; color: %1 }").arg(kTextColour));
    platform::limitCharacters(box, maxLength, platform::boxName(labelText));
    if (enterAsTab)
        platform::installEnterAsTab(box);
    place(makeLabel(labelName, labelText), box, sameRow);
    boxes_.push_back(box);
    return box;
}

QLabel *DialogFrame::addValue(const QString &labelName, const QString &labelText, const QString &valueName)
{
    QLabel *value = makeLabel(valueName, QString());
    value->setStyleSheet(QStringLiteral("color: %1").arg(kTextColour));
    place(makeLabel(labelName, labelText), value, false);
    return value;
}

QLabel *DialogFrame::addNote(const QString &text)
{
    QLabel *note = makeLabel(QString(), text);
    note->setStyleSheet(QStringLiteral("color: %1").arg(kTextColour));
    form_->addWidget(note, ++lastRow_, 0, 1, -1);
    return note;
}

void DialogFrame::setViewing()
{
    editing_ = false;
    for (QLineEdit *box : boxes_)
        box->setEnabled(false);
    Toolbar1_->button(QStringLiteral("button_edit"))->setEnabled(true);
    Toolbar1_->button(QStringLiteral("button_cancel"))->setEnabled(false);
    Toolbar1_->button(QStringLiteral("button_save"))->setEnabled(false);
}

void DialogFrame::setEditing()
{
    editing_ = true;
    for (QLineEdit *box : boxes_)
        box->setEnabled(true);
    Toolbar1_->button(QStringLiteral("button_edit"))->setEnabled(false);
    Toolbar1_->button(QStringLiteral("button_cancel"))->setEnabled(true);
    Toolbar1_->button(QStringLiteral("button_save"))->setEnabled(true);
}

void DialogFrame::dispatch(const QString &key)
{
    if (key == QStringLiteral("button_edit"))
        editrecord();
    else if (key == QStringLiteral("button_save"))
        saverecord();
    else if (key == QStringLiteral("button_cancel"))
        canceledit();
    else if (key == QStringLiteral("button_exit"))
        exitform();
}

void DialogFrame::keyPressEvent(QKeyEvent *event)
{
    // Esc and Enter belong to the boxes, never to the dialog: only 退出 closes it.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
