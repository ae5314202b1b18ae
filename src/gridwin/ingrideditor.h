#pragma once
// Editing inside a list window's grid: text1 enters a new row, text2 changes an
// existing one, each laid over the grid's current cell and writing every keystroke
// into it. While an editor is open the grid is locked against mouse and keys.

#include <QObject>

#include <map>
#include <optional>

class MSFlexGrid;
class QLineEdit;
class QWidget;

// Lays editor over the grid's current cell (its place and size) with the cell's text,
// all of it selected, so that the first key typed replaces it. Nothing happens on a cell
// out of view or on a row without a number in column 0 (the header while it is an
// ordinary row, a totals row). With a scroll threshold, the grid first scrolls one column
// right when the current column lies at most that far right of the first one in view.
// Whether the editor is shown is not touched.
void layEditorOverCell(MSFlexGrid *grid, QLineEdit *editor, std::optional<int> scrollThreshold);
// After the grid scrolled: moves editor over the part of the current cell now on view,
// scrolling nothing and leaving its text alone. While the cell is out of view the
// editor covers nothing (no other line), keeping its text and the focus.
void keepEditorOverCell(MSFlexGrid *grid, QLineEdit *editor);
// Limits editor to that many characters typed, naming the grid's current column by its
// header when a paste too long for it is refused.
void limitEditorToColumn(MSFlexGrid *grid, QLineEdit *editor, int characters);

struct InGridEditorConfig {
    int appendColumn = 1;         // where text1 opens, and where Enter in it wraps to
    int editColumn = 2;           // where text2 opens, and where Enter in it wraps to
    int wrapColumn = 0;           // Enter here goes back to the opening column
    std::map<int, int> limits;    // column -> most characters that may be typed
    bool followCellChange = true; // the editor's text and limit follow a cell change
    int scrollThreshold = 3;
};

class InGridEditor : public QObject {
    Q_OBJECT
public:
    InGridEditor(MSFlexGrid *grid, QWidget *area, const InGridEditorConfig &config);

    QLineEdit *text1() const { return text1_; }
    QLineEdit *text2() const { return text2_; }

    bool isAppending() const;
    bool isChanging() const;
    // The open editor, or nullptr.
    QLineEdit *openEditor() const;

    // Opens text1 on the last row (the window has just added it) at the append column.
    void openAppend();
    // Opens text2 on the selected row at the edit column.
    void openEdit();
    // Hides the editors and unlocks the grid.
    void close();

    // Lays text1 / text2 over the current cell with its text, all of it selected.
    void entercell();
    void entercelledit();
    // The moves on Enter in text1 / text2.
    void movereturn();
    void edmovereturn();

signals:
    // Enter in text1 (appending) or text2 (changing); the window checks, then moves.
    void enterInAppend();
    void enterInChange();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *makeEditor(const char *name, const QColor &back);
    void place(QLineEdit *editor);
    void applyLimit(QLineEdit *editor);
    void writeThrough(QLineEdit *editor);
    void moveFrom(int wrapTo);

    MSFlexGrid *grid_;
    QWidget *area_;
    InGridEditorConfig cfg_;

    QLineEdit *text1_;
    QLineEdit *text2_;
};
