#include "gridwin/ingrideditor.h"

#include "platform/flexgrid.h"
#include "platform/textlimit.h"
#include "platform/twips.h"

#include <QKeyEvent>
#include <QLineEdit>

InGridEditor::InGridEditor(MSFlexGrid *theGrid, QWidget *theArea, const InGridEditorConfig &config)
    : QObject(theArea), grid_(theGrid), area_(theArea), cfg_(config)
{
    text1_ = makeEditor("text1", QColor(192, 255, 255));
    text2_ = makeEditor("text2", QColor(255, 192, 192));
    connect(grid_, &MSFlexGrid::enterCell, this, [this] {
        if (text1_->isVisible())
            entercell();
        if (text2_->isVisible())
            entercelledit();
    });
    connect(grid_, &MSFlexGrid::rowColChange, this, [this] {
        if (!cfg_.followCellChange)
            return;
        // The editor was laid over the new cell first, so what goes in is that cell's own text.
        for (QLineEdit *e : {text1_, text2_}) {
            if (e->isVisible()) {
                grid_->setText(e->text());
                applyLimit(e);
            }
        }
    });
}

QLineEdit *InGridEditor::makeEditor(const char *name, const QColor &back)
{
    // A sibling of the grid, not a child: locking the grid must not lock the editor.
    auto *e = new QLineEdit(area_);
    e->setObjectName(QString::fromLatin1(name));
    e->setFrame(false);
    e->setFont(grid_->font());
    e->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: blue; border: none }").arg(back.name()));
    e->hide();
    e->installEventFilter(this);
    platform::keepOneLine(e);
    connect(e, &QLineEdit::textChanged, this, [this, e] { writeThrough(e); });
    return e;
}

bool InGridEditor::isAppending() const { return text1_->isVisible(); }
bool InGridEditor::isChanging() const { return text2_->isVisible(); }

QLineEdit *InGridEditor::openEditor() const { return isAppending() ? text1_ : isChanging() ? text2_ : nullptr; }

void InGridEditor::openAppend()
{
    text1_->show();
    text1_->raise();
    const int r = grid_->rows() - 1;
    grid_->setRow(r);
    grid_->setCol(cfg_.appendColumn);
    grid_->setRowSel(r);
    grid_->setColSel(cfg_.appendColumn);
    text1_->setFocus();
    grid_->setEnabled(false);
}

void InGridEditor::openEdit()
{
    text2_->show();
    text2_->raise();
    grid_->setRow(grid_->rowSel());
    grid_->setCol(cfg_.editColumn);
    text2_->setFocus();
    grid_->setEnabled(false);
}

void InGridEditor::close()
{
    text1_->hide();
    text2_->hide();
    grid_->setEnabled(true);
}

void InGridEditor::entercell() { place(text1_); }
void InGridEditor::entercelledit() { place(text2_); }

void layEditorOverCell(MSFlexGrid *grid, QLineEdit *editor, std::optional<int> scrollThreshold)
{
    if (grid->cellHeight() < 1 || grid->cellWidth() < 1)
        return;
    if (grid->textMatrix(grid->row(), 0).isEmpty())
        return;
    if (scrollThreshold && grid->col() - grid->leftCol() <= *scrollThreshold)
        grid->setLeftCol(grid->leftCol() + 1);
    const int h = grid->cellHeight();
    const int w = grid->cellWidth();
    if (h > 0 && w > 0) {
        editor->setGeometry(grid->x() + twips::toPixels(grid->cellLeft()), grid->y() + twips::toPixels(grid->cellTop()),
                            twips::toPixels(w), twips::toPixels(h));
    }
    editor->setText(grid->text());
    editor->setSelection(0, int(editor->text().size()));
}

void keepEditorOverCell(MSFlexGrid *grid, QLineEdit *editor)
{
    const QRect onView = twips::toPixels(grid->currentCellOnView());
    editor->setGeometry(onView.isEmpty() ? QRect(grid->pos(), QSize(0, 0)) : onView.translated(grid->pos()));
}

void limitEditorToColumn(MSFlexGrid *grid, QLineEdit *editor, int characters)
{
    platform::limitCharacters(editor, characters, platform::boxName(grid->textMatrix(0, grid->col())));
}

void InGridEditor::place(QLineEdit *editor) { layEditorOverCell(grid_, editor, cfg_.scrollThreshold); }

void InGridEditor::applyLimit(QLineEdit *editor)
{
    // A column without a limit keeps the one in force.
    auto it = cfg_.limits.find(grid_->col());
    if (it != cfg_.limits.end())
        limitEditorToColumn(grid_, editor, it->second);
}

void InGridEditor::writeThrough(QLineEdit *editor)
{
    grid_->setText(editor->text());
    applyLimit(editor);
}

void InGridEditor::moveFrom(int wrapTo)
{
    if (grid_->col() == cfg_.wrapColumn) {
        grid_->setCol(wrapTo);
    } else if (grid_->col() + 1 <= grid_->cols() - 1) {
        grid_->setCol(grid_->col() + 1);
    } else if (grid_->row() + 1 <= grid_->rows() - 1) {
        grid_->setRow(grid_->row() + 1);
        grid_->setCol(1);
    }
}

void InGridEditor::movereturn() { moveFrom(cfg_.appendColumn); }
void InGridEditor::edmovereturn() { moveFrom(cfg_.editColumn); }

bool InGridEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == text1_)
                emit enterInAppend();
            else if (watched == text2_)
                emit enterInChange();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
