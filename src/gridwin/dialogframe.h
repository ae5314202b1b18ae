#pragma once
// The shape shared by the small record dialogs (company record, password change, first
// period): a six-button toolbar (edit, cancel, save, exit), a picture strip, labelled
// entry boxes, and two states: viewing (boxes disabled, only edit and exit available)
// and editing (boxes enabled, edit unavailable, cancel and save available).

#include <QDialog>
#include <QString>
#include <QStringList>

#include <vector>

class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;
namespace platform {
class KeyedToolBar;
}

class DialogFrame : public QDialog {
    Q_OBJECT
public:
    struct Captions {
        QString edit; // "设  置" or "修  改"
        QString editTip;
        QString saveTip;
        // Where the separators ("|") stand among the four buttons.
        QStringList order = {QStringLiteral("button_edit"), QStringLiteral("button_cancel"),
                             QStringLiteral("|"),           QStringLiteral("button_save"),
                             QStringLiteral("|"),           QStringLiteral("button_exit")};
    };
    DialogFrame(const QString &name, const QString &caption, const Captions &captions, QWidget *parent = nullptr);

    platform::KeyedToolBar *Toolbar1() const { return Toolbar1_; }
    bool isEditing() const { return editing_; }

protected:
    // Adds a labelled entry box on a new row (or beside the last one, with sameRow). It
    // takes at most maxLength characters (0: any number), as one line. A box added with
    // enterAsTab moves on with Enter; it joins the boxes the two states enable and disable.
    QLineEdit *addEntry(const QString &labelName, const QString &labelText, const QString &boxName, int maxLength = 0,
                        bool enterAsTab = true, bool sameRow = false);
    // A line of text below the boxes.
    QLabel *addNote(const QString &text);
    // A labelled value that is shown, not typed.
    QLabel *addValue(const QString &labelName, const QString &labelText, const QString &valueName);

    void setViewing();
    void setEditing();
    const std::vector<QLineEdit *> &entryBoxes() const { return boxes_; }

    virtual void editrecord() = 0;
    virtual void saverecord() = 0;
    virtual void canceledit() = 0;
    virtual void exitform() { close(); }

    void keyPressEvent(QKeyEvent *event) override;

private:
    void dispatch(const QString &key);

    QLabel *makeLabel(const QString &name, const QString &text);
    void place(QLabel *label, QWidget *field, bool sameRow);

    QGridLayout *form_;
    int lastRow_ = -1;
    int lastColumn_ = 0;
    std::vector<QLineEdit *> boxes_;
    bool editing_ = false;

    platform::KeyedToolBar *Toolbar1_;
};
