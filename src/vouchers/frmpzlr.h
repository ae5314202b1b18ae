#pragma once
// Entering one accounting voucher at a time: its date, its number and its lines, each
// line an account found by a lookup (or picked from several) with a debit and a credit
// amount, under a totals row that follows every keystroke. Nothing reaches the books
// until the save stores the whole voucher.

#include "vouchers/voucherdraft.h"

#include <QWidget>

class MSFlexGrid;
class QLabel;
class QLineEdit;
namespace platform {
class DTPicker;
class KeyedToolBar;
} // namespace platform
namespace vouchers {
struct SaveRefusal;
}

class frmpzlr : public QWidget {
    Q_OBJECT
    // Read by the main window before a period closing closes this window.
    Q_PROPERTY(bool unsavedWork READ hasUnsavedWork)
public:
    explicit frmpzlr(QWidget *parent = nullptr);

    platform::KeyedToolBar *Toolbar1() const { return Toolbar1_; }
    platform::DTPicker *DTPicker1() const { return DTPicker1_; }
    QLineEdit *Textpzhm() const { return Textpzhm_; }
    QLabel *Labelbj() const { return Labelbj_; }
    MSFlexGrid *MSFlexGrid1() const { return MSFlexGrid1_; }
    QLineEdit *TextSR() const { return TextSR_; }

    // The toolbar's actions, as their buttons run them.
    void buttonClick(const QString &key);
    void appendrecord();
    void cancelentry();
    void saverecord();
    void appendline();
    void deleteline();
    void exitform();

    // A voucher is being entered exactly while "新  增" is unavailable.
    bool isEntering() const;
    // A voucher is being entered and something of it typed: its number or a line's
    // account or amount. Closing the window would lose it.
    bool hasUnsavedWork() const;
    // Lines on screen, between the header and the totals row.
    int lineCount() const;
    // The voucher as the screen holds it.
    vouchers::VoucherDraft draft() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void setupGrid();
    void setEntryButtons(bool entering);
    void showVoucher(bool shown);
    // Empties the grid down to its header row.
    void clearLines();
    // A line numbered after the last one, above the totals row (made afresh).
    void addLineAtEnd();
    // The same, taking the line below the current one (the new one from the last line),
    // at its code column.
    void newLineBelow();
    bool isLine(int row) const;

    void gridClick();
    void enterCell();
    // Scrolls the grid so that the current line is wholly in view, and the totals row
    // below it too where they fit together.
    void showLineAndTotals();
    void afterCellChange();
    void editorChanged();
    // Enter, Up and Down in the editor; true when the key was the editor's business here.
    bool editorKey(int key);
    void numberEnter();
    void lookUpAccount();
    void movereturn();
    // An amount cell that holds no number on Enter: told, emptied, and typed afresh.
    bool refuseBadAmount(int column, const QString &field);
    void showRefusal(const vouchers::SaveRefusal &refusal);
    void showEditorAt(int row, int column);

    // The voucher just saved, as the books hold it.
    void showStored(const vouchers::VoucherDraft &stored);
    // Whether the date and number boxes take typing: only while a voucher is entered.
    void setHeadTyping(bool on);

    void recomputeTotals();
    void reformatAmounts();

    platform::KeyedToolBar *Toolbar1_;
    QLabel *bt_;
    QLabel *Labelrqbt_;
    platform::DTPicker *DTPicker1_;
    QLabel *Labelpzhmbt_;
    QLineEdit *Textpzhm_;
    QLabel *Labelbj_;
    MSFlexGrid *MSFlexGrid1_;
    QLineEdit *TextSR_;
};
