#pragma once
// The frame every list window stands on: a title, a keyed toolbar, a grid that lists
// the rows of one query with a running number in column 0, the toolbar dispatch, and
// the row navigation over a page of 15 rows. Each window states its configuration.

#include "db/mdlstandard.h"
#include "platform/money.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <map>
#include <optional>
#include <vector>

class MSFlexGrid;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;
namespace platform {
class KeyedToolBar;
}

struct GridColumn {
    // Computed: a text the window derives from the whole record, always written.
    enum class Kind { Unfilled, Text, Amount, Computed };
    QString header;
    int width = 0;         // twips
    bool required = false; // header in dark red: must not be empty when saved
    QString field;         // the recordset field shown here
    Kind kind = Kind::Unfilled;
    std::function<QString(const platform::Recordset &)> compute; // for Kind::Computed
};

// What an Amount column shows of an amount: two decimals, and an empty cell for 0.
QString shownAmount(Money amount);

struct ToolButton {
    QString key; // empty: a separator
    QString caption;
    QString tooltip;
};

// Fills the toolbar with the buttons in order, each with its caption, tooltip and the
// picture of its key; a button without a key is a separator.
void addToolButtons(platform::KeyedToolBar *toolbar, const std::vector<ToolButton> &buttons);

// A closing row of sums, for the read-only lists.
struct TotalsRow {
    QString label;
    std::vector<int> summedColumns;
};

struct GridFrameConfig {
    QString name;    // object name of the window
    QString caption; // window caption
    QString title;   // the title label above the grid
    std::vector<GridColumn> columns;
    std::vector<ToolButton> toolbar;
    QStringList dispatchOrder; // keys compared in this order on a click
    // The row the mouse selects: the current row, or where the click's selection ends.
    enum class MouseRow { Current, RowSel } mouseRow = MouseRow::Current;
    int scrollThreshold = 3; // the editors scroll right when Col - LeftCol is at most this
    std::optional<TotalsRow> totals;
    QString searchLabel; // non-empty: a quick-search box above the grid
    QString searchLabelName = QStringLiteral("Labeljs");
    // The buttons that act on a listed row, disabled while the list is empty. A list
    // that prints its headers and zero totals when empty keeps print out of it.
    QStringList rowButtons = {QStringLiteral("button_edit"), QStringLiteral("button_delete"),
                              QStringLiteral("button_print")};
    QString note; // a line of explanation under the grid
    QString noteName = QStringLiteral("Labelsm");
    QString shadowName = QStringLiteral("Label1"); // the panel that shows as the grid's shadow

    // The window's own buttons, then the four navigation buttons, a separator and exit:
    // every list window's toolbar ends so.
    static std::vector<ToolButton> withNavigationAndExit(std::vector<ToolButton> buttons);
    // The fifteen record buttons every editing list window carries, R the record noun.
    static std::vector<ToolButton> recordToolbar(const QString &noun);
    static QStringList recordDispatchOrder();
    // The eight buttons of a read-only list: print, first, back, next, last, exit.
    static std::vector<ToolButton> browseToolbar(const QString &printTip);
    static QStringList browseDispatchOrder();
};

class GridFrame : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPageRows = 15;

    explicit GridFrame(const GridFrameConfig &config, QWidget *parent = nullptr);

    MSFlexGrid *MSFlexGrid1() const { return MSFlexGrid1_; }
    platform::KeyedToolBar *Toolbar1() const { return Toolbar1_; }
    QLineEdit *Textjs() const { return Textjs_; } // the quick-search box, when the window has one

    const GridFrameConfig &config() const { return cfg_; }
    // The rows the grid was last filled from: what the window prints.
    RecordsetPtr shownRows() const { return lastFill_; }
    // The box the grid and the in-grid editors sit in.
    QWidget *gridArea() const { return area_; }
    // Puts a box into the row above the grid (the quick search, a window's choosers),
    // at the given place from the left; -1 puts it after the others.
    void addControl(QWidget *control, int at = -1);

    // Lists rows that a store of the window's area has read, and leaves them in sharedrs
    // as the rows this window last listed. An empty result clears the grid to its header
    // with the record and navigation buttons that need a row disabled. Null rows (the
    // read failed, error says why) are told, leave the grid as it was, and give false.
    bool loadList(const RecordsetPtr &rows, const QString &error);
    // Clears the grid and fills it from the recordset, from its current row on. The
    // recordset must hold a row.
    void fillgrid(const RecordsetPtr &rows);
    // Leaves the header row alone (not fixed until the next fill).
    void clearRows();
    // Shows in row r the record at the recordset's current row, every column as a fill
    // shows it; the running number and the columns without a field stay as they are.
    void showRecord(int r, const platform::Recordset &record);

    void movefirst();
    void movelast();
    void moveprevious();
    void movenext();
    void exitform();

    // Runs the action of a toolbar key, as a click on that button does.
    void buttonClick(const QString &key);
    // Binds an action to a key of the dispatch order.
    void setAction(const QString &key, std::function<void()> action);
    void setButtonsEnabled(const QStringList &keys, bool enabled);
    bool isButtonEnabled(const QString &key) const;
    int dataRows() const; // rows below the header
protected:
    void setBackPair(bool enabled);
    void setForwardPair(bool enabled);
    // Sets the navigation buttons by where the current row lies.
    void setNavigationByRow();
    // The navigation buttons and the record buttons that need a row, all off.
    void disableRowButtons();

private:
    // The text a Text or Amount column shows of a stored value.
    static QString cellText(const GridColumn &column, const QVariant &value);
    void setupGrid();
    QHBoxLayout *controlRow();
    void gridMouseDown();
    void appendTotalsRow();

    GridFrameConfig cfg_;
    QWidget *area_;
    QVBoxLayout *layout_;
    QHBoxLayout *controlRow_ = nullptr;
    std::map<QString, std::function<void()>> actions_;
    RecordsetPtr lastFill_;

    MSFlexGrid *MSFlexGrid1_;
    platform::KeyedToolBar *Toolbar1_;
    QLabel *bt_;
    QLineEdit *Textjs_ = nullptr;
};
