#pragma once
// A list window whose rows are added and changed in the grid itself: the frame plus
// the in-grid editors, and the record actions that every such window performs alike.
// Each window supplies only its own checks and writes.

#include "gridwin/gridframe.h"
#include "gridwin/ingrideditor.h"

#include <QStringList>

#include <functional>
#include <optional>

class RecordWindow : public GridFrame {
    Q_OBJECT
    // Read by the main window before a period closing closes this window.
    Q_PROPERTY(bool unsavedWork READ hasUnsavedWork)
public:
    RecordWindow(const GridFrameConfig &frame, const InGridEditorConfig &editing, QWidget *parent = nullptr);

    InGridEditor *editor() const { return editor_; }
    // A row is being appended or changed: closing the window would lose what was typed.
    // Told by the flags, which hold also while the window is minimised.
    bool hasUnsavedWork() const { return addflag_ || editflag_; }

    // Appending: a numbered row at the bottom, text1 open on it.
    void appendrecord();
    // Changing the selected row: text2 open on it; its cells are remembered for cancel.
    void editrecord();
    // Saves the row being appended or changed, if the window's checks pass.
    void saverecord();
    // Drops the row being appended, or puts back the row being changed.
    void canceledit();
    virtual void deleterecord() = 0;

    // Whether row r is a listed record. The header row never is, also while it is an
    // ordinary row (an empty list, or after the last row was deleted).
    bool isRecordRow(int r) const;

protected:
    // The window's own part of each action.
    virtual bool mayAppend() { return true; }
    virtual bool mayChange() { return true; }
    virtual void text1Enter() = 0;
    virtual void text2Enter() { editor_->edmovereturn(); }
    // What the save of a change came to: refused (told why), nothing to write, or written.
    enum class Change { Refused, Unchanged, Written };
    virtual bool saveAppend() = 0;
    virtual Change saveChange() = 0;
    // The record row r has just saved, read back from the books by its key, with the
    // fields the columns show; nullptr when it cannot be read (*error says why). What
    // the row shows after a save is this, never what was typed.
    virtual RecordsetPtr storedRow(int r, QString *error) = 0;
    // The rows a quick search for the typed text lists; nullptr when it failed (*error
    // says why). Windows without a search box never get asked.
    virtual RecordsetPtr searchRows(const QString &typed, QString *error);

    // The key no two records share: the number of an operator, the code of an account.
    // It stands in column 1, where an append begins; once saved it is not changed.
    struct UniqueKey {
        // The store's look-up: whether a record has the key; nothing when it cannot tell.
        std::function<std::optional<bool>(const QString &key, QString *error)> taken;
        QString whenEmpty;        // refusal of a save without a key
        QString whenTaken;        // refusal of a save with a key already taken
        QString whenTakenOnEnter; // refusal of an Enter on a key already taken
    };
    void setUniqueKey(UniqueKey key) { uniqueKey_ = std::move(key); }
    // Enter in the append editor, whatever its column: a key that another record has
    // taken meanwhile is refused and the typed text cleared, otherwise the editor moves on.
    void enterKey();
    // The save's check of the appended row's key; false after telling why it is refused.
    bool newKeyAccepted();

    // The search text of the list on screen; empty when it lists every record.
    QString listedSearch() const { return lastSearch_; }
    // Cell c of the row being changed, as shown when the change began.
    QString shownBefore(int column) const { return origCells_.value(column); }

    // A refused entry or save: tells why and moves to the column to correct, which
    // brings the open editor there.
    void refuse(const QString &message, int column);
    // The answer of a look-up of whether a value is taken: true when it is free;
    // otherwise false after refusing it with whenTaken at the column (clearing the typed
    // text first when told to), or after telling why it could not be looked up.
    bool freeOrRefused(const std::optional<bool> &taken, const QString &error, const QString &whenTaken, int column,
                       bool clearTyped);
    // A store's write: true when it was made, otherwise false after showing its error.
    static bool written(bool done, const QString &error);
    // The same, as what the save of a change came to.
    static Change writtenChange(bool done, const QString &error)
    {
        return written(done, error) ? Change::Written : Change::Refused;
    }
    // After the database deleted the record of row r: the rows below move up with
    // their numbers; the last record leaves the header alone, without row buttons.
    void removeRecordRow(int r);

    bool addflag_ = false;
    bool editflag_ = false;

private:
    void quickSearch();
    // Row r as the books hold the record just saved there.
    void showStoredRow(int r);
    // Puts back the cells of row r as they were shown when the change began.
    void showCellsBefore(int r);
    // Whether the key of the current row is free; false after refusing it (clearing the
    // typed key when told to) or telling that it could not be checked.
    bool keyIsFree(const QString &whenTaken, bool clearTyped);
    // Appending or changing: append, edit, delete and the navigation off, cancel and save
    // on. Browsing: append, edit and delete on, cancel and save off.
    void setRecordButtons(bool editing);

    QStringList origCells_;
    QString lastSearch_;
    UniqueKey uniqueKey_;

    InGridEditor *editor_;
};
