#include "gridwin/recordwindow.h"

#include "db/bookfaults.h"
#include "platform/flexgrid.h"
#include "platform/msgbox.h"

#include <QLineEdit>

RecordWindow::RecordWindow(const GridFrameConfig &frame, const InGridEditorConfig &editing, QWidget *parent)
    : GridFrame(frame, parent)
{
    editor_ = new InGridEditor(MSFlexGrid1(), gridArea(), editing);
    connect(editor_, &InGridEditor::enterInAppend, this, [this] { text1Enter(); });
    connect(editor_, &InGridEditor::enterInChange, this, [this] { text2Enter(); });
    if (Textjs())
        connect(Textjs(), &QLineEdit::returnPressed, this, &RecordWindow::quickSearch);

    setAction(QStringLiteral("button_append"), [this] { appendrecord(); });
    setAction(QStringLiteral("button_edit"), [this] { editrecord(); });
    setAction(QStringLiteral("button_delete"), [this] { deleterecord(); });
    setAction(QStringLiteral("button_cx"), [this] { canceledit(); });
    setAction(QStringLiteral("button_save"), [this] { saverecord(); });
    setRecordButtons(false);
    setButtonsEnabled({QStringLiteral("button_print")}, true);
}

bool RecordWindow::isRecordRow(int r) const { return r >= 1 && r <= dataRows(); }

void RecordWindow::setRecordButtons(bool editing)
{
    setButtonsEnabled({QStringLiteral("button_append"), QStringLiteral("button_edit"), QStringLiteral("button_delete")},
                      !editing);
    setButtonsEnabled({QStringLiteral("button_cx"), QStringLiteral("button_save")}, editing);
    if (editing) {
        setBackPair(false);
        setForwardPair(false);
    }
}

void RecordWindow::appendrecord()
{
    if (editor_->openEditor() || !mayAppend())
        return;
    addflag_ = true;
    editflag_ = false;
    setRecordButtons(true);
    MSFlexGrid1()->addItem(QString::number(MSFlexGrid1()->rows()));
    editor_->openAppend();
}

void RecordWindow::editrecord()
{
    if (editor_->openEditor() || !isRecordRow(MSFlexGrid1()->rowSel()) || !mayChange())
        return;
    editflag_ = true;
    addflag_ = false;
    setRecordButtons(true);
    editor_->openEdit();
    origCells_.clear();
    for (int c = 0; c < MSFlexGrid1()->cols(); ++c)
        origCells_ << MSFlexGrid1()->textMatrix(MSFlexGrid1()->row(), c);
}

void RecordWindow::saverecord()
{
    if (!editor_->openEditor())
        return;
    if (addflag_ && !saveAppend())
        return;
    const Change change = editflag_ ? saveChange() : Change::Written;
    if (change == Change::Refused)
        return;
    editor_->close();
    // A change that left nothing to write shows the row as listed, which is as stored.
    if (change == Change::Unchanged)
        showCellsBefore(MSFlexGrid1()->row());
    else
        showStoredRow(MSFlexGrid1()->row());
    addflag_ = false;
    editflag_ = false;
    MSFlexGrid1()->setCol(0);
    setRecordButtons(false);
    setButtonsEnabled({QStringLiteral("button_print")}, true);
    // The forward pair stays off, as the append or change left it.
    setBackPair(true);
}

void RecordWindow::canceledit()
{
    if (!editor_->openEditor())
        return;
    setRecordButtons(false);
    editor_->close();
    if (addflag_) {
        MSFlexGrid1()->removeItem(MSFlexGrid1()->rows() - 1);
        MSFlexGrid1()->setCol(0);
        const bool rowsLeft = dataRows() > 0;
        setBackPair(rowsLeft);
        setForwardPair(false);
        if (!rowsLeft)
            setButtonsEnabled({QStringLiteral("button_edit"), QStringLiteral("button_delete")}, false);
    }
    if (editflag_) {
        showCellsBefore(MSFlexGrid1()->row());
        MSFlexGrid1()->setCol(0);
        setNavigationByRow();
    }
    addflag_ = false;
    editflag_ = false;
}

void RecordWindow::refuse(const QString &message, int column)
{
    platform::plainNotice(message);
    MSFlexGrid1()->setCol(column);
    if (QLineEdit *open = editor_->openEditor())
        open->setFocus();
}

bool RecordWindow::written(bool done, const QString &error)
{
    if (!done)
        platform::notice(error);
    return done;
}

bool RecordWindow::keyIsFree(const QString &whenTaken, bool clearTyped)
{
    QString error;
    const auto taken = uniqueKey_.taken(MSFlexGrid1()->textMatrix(MSFlexGrid1()->row(), 1).trimmed(), &error);
    return freeOrRefused(taken, error, whenTaken, 1, clearTyped);
}

bool RecordWindow::freeOrRefused(const std::optional<bool> &taken, const QString &error, const QString &whenTaken,
                                 int column, bool clearTyped)
{
    if (!taken) {
        platform::notice(error);
        return false;
    }
    if (*taken) {
        if (clearTyped)
            editor_->text1()->clear();
        refuse(whenTaken, column);
        return false;
    }
    return true;
}

void RecordWindow::enterKey()
{
    if (keyIsFree(uniqueKey_.whenTakenOnEnter, true))
        editor_->movereturn();
}

bool RecordWindow::newKeyAccepted()
{
    if (MSFlexGrid1()->textMatrix(MSFlexGrid1()->row(), 1).trimmed().isEmpty()) {
        refuse(uniqueKey_.whenEmpty, 1);
        return false;
    }
    return keyIsFree(uniqueKey_.whenTaken, false);
}

void RecordWindow::removeRecordRow(int r)
{
    const int n = dataRows();
    if (n > 1) {
        for (int i = r; i <= n; ++i)
            MSFlexGrid1()->setTextMatrix(i, 0, QString::number(i - 1));
        MSFlexGrid1()->removeItem(r);
    } else {
        MSFlexGrid1()->setFixedRows(0);
        MSFlexGrid1()->removeItem(1);
        disableRowButtons();
    }
}

void RecordWindow::showCellsBefore(int r)
{
    for (int c = 1; c < origCells_.size(); ++c)
        MSFlexGrid1()->setTextMatrix(r, c, origCells_.at(c));
}

void RecordWindow::showStoredRow(int r)
{
    QString error;
    const RecordsetPtr stored = storedRow(r, &error);
    if (stored && !stored->eof())
        showRecord(r, *stored);
    else
        platform::notice(mdlStandard::kSavedUnread + error);
}

RecordsetPtr RecordWindow::searchRows(const QString &, QString *) { return nullptr; }

void RecordWindow::quickSearch()
{
    // A refill would strand the row being entered under the open editor.
    if (editor_->openEditor())
        return;
    const QString typed = Textjs()->text().trimmed().isEmpty() ? QString() : Textjs()->text();
    QString error;
    const RecordsetPtr found = searchRows(typed, &error);
    if (!found) {
        platform::notice(QStringLiteral("检索失败：") + error);
        return;
    }
    // A search that finds nothing leaves the list, and the rows it was made from, alone.
    if (found->recordCount() >= 1) {
        lastSearch_ = typed;
        loadList(found, QString());
    }
}
