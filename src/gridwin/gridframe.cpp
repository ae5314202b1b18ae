#include "gridwin/gridframe.h"

#include "platform/flexgrid.h"
#include "platform/keyedtoolbar.h"
#include "platform/look.h"
#include "platform/money.h"
#include "platform/msgbox.h"
#include "platform/report/reportlayout.h"
#include "platform/twips.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>

namespace {
const QColor kHeaderBack = platform::vbColor(0x00808000);   // teal
const QColor kRequiredBack = platform::vbColor(0x000000C0); // dark red
const QColor kHeaderFore = platform::vbColor(0x00FFFFFF);
constexpr int kGridWidth = 10455; // twips: the header and a page of 15 rows
constexpr int kGridHeight = 4850;
constexpr int kShadowOffset = 120;

QIcon iconFor(QStyle *style, const QString &key)
{
    static const std::map<QString, QStyle::StandardPixmap> icons = {
        {QStringLiteral("button_append"), QStyle::SP_FileIcon},
        {QStringLiteral("button_edit"), QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("button_delete"), QStyle::SP_TrashIcon},
        {QStringLiteral("button_cx"), QStyle::SP_DialogCancelButton},
        {QStringLiteral("button_save"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("button_print"), QStyle::SP_FileDialogContentsView},
        {QStringLiteral("button_first"), QStyle::SP_MediaSkipBackward},
        {QStringLiteral("button_back"), QStyle::SP_MediaSeekBackward},
        {QStringLiteral("button_next"), QStyle::SP_MediaSeekForward},
        {QStringLiteral("button_last"), QStyle::SP_MediaSkipForward},
        {QStringLiteral("button_exit"), QStyle::SP_DialogCloseButton},
        {QStringLiteral("button_mx"), QStyle::SP_FileDialogNewFolder},
    };
    auto it = icons.find(key);
    return it == icons.end() ? QIcon() : style->standardIcon(it->second);
}

// The exact sum of an amount field over the listed rows, each counted as the list shows
// it (a value that is no amount shows none and counts for nothing). A total past what
// integer cents hold says so, as a printed sum does, rather than wrapping round to a
// wrong amount.
QString listedTotal(const platform::Recordset &rows, const QString &field)
{
    const int column = rows.fieldIndex(field);
    Money total;
    for (int r = 0; r < rows.recordCount(); ++r) {
        const auto amount = Money::fromField(rows.storedValue(r, column));
        const auto sum = amount ? total.checkedAdd(*amount) : total;
        if (!sum)
            return QString::fromUtf16(platform::report::kSumOverflowText);
        total = *sum;
    }
    return total.toString();
}
} // namespace

QString shownAmount(Money amount) { return amount.isZero() ? QString(QLatin1String("")) : amount.toString(); }

void addToolButtons(platform::KeyedToolBar *toolbar, const std::vector<ToolButton> &buttons)
{
    for (const ToolButton &b : buttons) {
        if (b.key.isEmpty())
            toolbar->addSeparatorItem();
        else
            toolbar->addButton(b.key, b.caption, iconFor(toolbar->style(), b.key))->setToolTip(b.tooltip);
    }
}

std::vector<ToolButton> GridFrameConfig::recordToolbar(const QString &noun)
{
    std::vector<ToolButton> buttons = {
        {QStringLiteral("button_append"), QStringLiteral("新  增"), QStringLiteral("新增") + noun},
        {QStringLiteral("button_edit"), QStringLiteral("修  改"), QStringLiteral("修改") + noun},
        {QStringLiteral("button_delete"), QStringLiteral("删  除"), QStringLiteral("删除") + noun},
        {},
        {QStringLiteral("button_cx"), QStringLiteral("撤  消"), QStringLiteral("撤消操作")},
        {QStringLiteral("button_save"), QStringLiteral("保  存"), QStringLiteral("保存") + noun},
        {},
        {QStringLiteral("button_print"), QStringLiteral("打  印"), QStringLiteral("打印") + noun},
        {},
    };
    return withNavigationAndExit(std::move(buttons));
}

std::vector<ToolButton> GridFrameConfig::withNavigationAndExit(std::vector<ToolButton> buttons)
{
    buttons.insert(buttons.end(),
                   {{QStringLiteral("button_first"), QStringLiteral("首记录"), QStringLiteral("移至首记录")},
                    {QStringLiteral("button_back"), QStringLiteral("后  退"), QStringLiteral("后退一条记录")},
                    {QStringLiteral("button_next"), QStringLiteral("前  进"), QStringLiteral("前进一条记录")},
                    {QStringLiteral("button_last"), QStringLiteral("尾记录"), QStringLiteral("移至尾记录")},
                    {}});
    buttons.push_back({QStringLiteral("button_exit"), QStringLiteral("退  出"), QStringLiteral("返回主菜单")});
    return buttons;
}

QStringList GridFrameConfig::recordDispatchOrder()
{
    return {QStringLiteral("button_append"), QStringLiteral("button_save"),   QStringLiteral("button_edit"),
            QStringLiteral("button_cx"),     QStringLiteral("button_delete"), QStringLiteral("button_first"),
            QStringLiteral("button_back"),   QStringLiteral("button_next"),   QStringLiteral("button_last"),
            QStringLiteral("button_exit"),   QStringLiteral("button_print")};
}

std::vector<ToolButton> GridFrameConfig::browseToolbar(const QString &printTip)
{
    return {
        {QStringLiteral("button_print"), QStringLiteral("打  印"), printTip},
        {},
        {QStringLiteral("button_first"), QStringLiteral("首记录"), QStringLiteral("移至首记录")},
        {QStringLiteral("button_back"), QStringLiteral("后  退"), QStringLiteral("后退一条记录")},
        {QStringLiteral("button_next"), QStringLiteral("前  进"), QStringLiteral("前进一条记录")},
        {QStringLiteral("button_last"), QStringLiteral("尾记录"), QStringLiteral("移至尾记录")},
        {},
        {QStringLiteral("button_exit"), QStringLiteral("退  出"), QStringLiteral("返回主菜单")},
    };
}

QStringList GridFrameConfig::browseDispatchOrder()
{
    return {QStringLiteral("button_first"), QStringLiteral("button_back"), QStringLiteral("button_next"),
            QStringLiteral("button_last"),  QStringLiteral("button_exit"), QStringLiteral("button_print")};
}

GridFrame::GridFrame(const GridFrameConfig &config, QWidget *parent) : QWidget(parent), cfg_(config)
{
    setObjectName(cfg_.name);
    setWindowTitle(cfg_.caption);
    setAttribute(Qt::WA_DeleteOnClose);

    Toolbar1_ = new platform::KeyedToolBar(this);
    Toolbar1_->setObjectName(QStringLiteral("Toolbar1"));
    addToolButtons(Toolbar1_, cfg_.toolbar);
    connect(Toolbar1_, &platform::KeyedToolBar::buttonClick, this, &GridFrame::buttonClick);

    bt_ = new QLabel(cfg_.title, this);
    bt_->setObjectName(QStringLiteral("bt"));
    bt_->setFont(platform::cjkFont(QStringLiteral("黑体"), 15, true));
    bt_->setStyleSheet(QStringLiteral("color: %1").arg(platform::vbColor(0x00C00000).name()));
    bt_->setAlignment(Qt::AlignCenter);

    // The grid with its shadow panel behind it; the in-grid editors join them here.
    area_ = new QWidget(this);
    area_->setObjectName(QStringLiteral("gridArea"));
    const int gridW = twips::toPixels(kGridWidth);
    const int gridH = twips::toPixels(kGridHeight);
    const int shadow = twips::toPixels(kShadowOffset);
    area_->setFixedSize(gridW + shadow, gridH + shadow);
    auto *shade = new QLabel(area_);
    shade->setObjectName(cfg_.shadowName);
    shade->setAutoFillBackground(true);
    shade->setStyleSheet(QStringLiteral("background: palette(dark)"));
    shade->setGeometry(shadow, shadow, gridW, gridH - shadow / 2);
    MSFlexGrid1_ = new MSFlexGrid(area_);
    MSFlexGrid1_->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1_->setGeometry(0, 0, gridW, gridH);
    connect(MSFlexGrid1_, &MSFlexGrid::mouseDown, this, [this] { gridMouseDown(); });

    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 8);
    layout_->addWidget(Toolbar1_);
    layout_->addWidget(bt_);
    if (!cfg_.searchLabel.isEmpty()) {
        auto *label = new QLabel(cfg_.searchLabel, this);
        label->setObjectName(cfg_.searchLabelName);
        Textjs_ = new QLineEdit(this);
        Textjs_->setObjectName(QStringLiteral("Textjs"));
        Textjs_->setMaximumWidth(220);
        addControl(label);
        addControl(Textjs_);
    }
    layout_->addWidget(area_, 0, Qt::AlignHCenter);
    if (!cfg_.note.isEmpty()) {
        auto *note = new QLabel(cfg_.note, this);
        note->setObjectName(cfg_.noteName);
        note->setWordWrap(true);
        note->setFixedWidth(area_->width());
        note->setFont(platform::cjkFont(QStringLiteral("宋体"), 9, true));
        note->setStyleSheet(QStringLiteral("color: %1").arg(platform::vbColor(0x000000C0).name()));
        layout_->addWidget(note, 0, Qt::AlignHCenter);
    }
    layout_->addStretch();

    actions_[QStringLiteral("button_first")] = [this] { movefirst(); };
    actions_[QStringLiteral("button_back")] = [this] { moveprevious(); };
    actions_[QStringLiteral("button_next")] = [this] { movenext(); };
    actions_[QStringLiteral("button_last")] = [this] { movelast(); };
    actions_[QStringLiteral("button_exit")] = [this] { exitform(); };
    setupGrid();
}

QHBoxLayout *GridFrame::controlRow()
{
    if (!controlRow_) {
        controlRow_ = new QHBoxLayout;
        controlRow_->setContentsMargins(0, 0, 0, 0);
        controlRow_->addStretch();
        auto *row = new QWidget(this);
        row->setFixedWidth(area_->width());
        row->setLayout(controlRow_);
        // Under the title, over the grid.
        layout_->insertWidget(layout_->indexOf(area_), row, 0, Qt::AlignHCenter);
    }
    return controlRow_;
}

void GridFrame::addControl(QWidget *control, int at)
{
    QHBoxLayout *row = controlRow();
    const int beforeStretch = row->count() - 1;
    row->insertWidget(at < 0 || at > beforeStretch ? beforeStretch : at, control);
}

void GridFrame::setupGrid()
{
    MSFlexGrid *g = MSFlexGrid1_;
    const int n = int(cfg_.columns.size());
    g->setCols(n);
    g->setFixedRows(0);
    for (int c = 0; c < n; ++c) {
        g->setRow(0);
        g->setCol(c);
        g->setCellBackColor(cfg_.columns[c].required ? kRequiredBack : kHeaderBack);
        g->setCellForeColor(kHeaderFore);
    }
    for (int c = 0; c < n; ++c) {
        g->setColWidth(c, cfg_.columns[c].width);
        g->setTextMatrix(0, c, cfg_.columns[c].header);
    }
}

void GridFrame::setAction(const QString &key, std::function<void()> action) { actions_[key] = std::move(action); }

void GridFrame::buttonClick(const QString &key)
{
    for (const QString &candidate : cfg_.dispatchOrder) {
        if (candidate == key) {
            auto it = actions_.find(key);
            if (it != actions_.end() && it->second)
                it->second();
            return;
        }
    }
}

void GridFrame::setButtonsEnabled(const QStringList &keys, bool enabled)
{
    for (const QString &key : keys) {
        if (QAction *a = Toolbar1_->button(key))
            a->setEnabled(enabled);
    }
}

bool GridFrame::isButtonEnabled(const QString &key) const
{
    QAction *a = Toolbar1_->button(key);
    return a && a->isEnabled();
}

int GridFrame::dataRows() const { return MSFlexGrid1_->rows() - 1; }

void GridFrame::setBackPair(bool enabled)
{
    setButtonsEnabled({QStringLiteral("button_first"), QStringLiteral("button_back")}, enabled);
}

void GridFrame::setForwardPair(bool enabled)
{
    setButtonsEnabled({QStringLiteral("button_next"), QStringLiteral("button_last")}, enabled);
}

void GridFrame::disableRowButtons()
{
    setButtonsEnabled(cfg_.rowButtons, false);
    // A list with a totals row prints its headers and zero totals when empty.
    if (cfg_.totals)
        setButtonsEnabled({QStringLiteral("button_print")}, true);
    setBackPair(false);
    setForwardPair(false);
}

bool GridFrame::loadList(const RecordsetPtr &rows, const QString &error)
{
    // The list is also what this window hands on as the rows last listed.
    mdlStandard::sharedrs = rows;
    if (!rows) {
        disableRowButtons();
        platform::notice(QStringLiteral("读取数据失败：") + error);
        return false;
    }
    if (rows->recordCount() < 1) {
        lastFill_ = rows;
        clearRows();
        disableRowButtons();
        return true;
    }
    fillgrid(rows);
    return true;
}

void GridFrame::fillgrid(const RecordsetPtr &rows)
{
    MSFlexGrid *g = MSFlexGrid1_;
    lastFill_ = rows;
    setBackPair(false);
    setForwardPair(true);
    clearRows();
    if (!cfg_.totals)
        g->refresh();

    int counter = 0;
    const int n = int(cfg_.columns.size());
    std::vector<int> fieldIndex(n, -1);
    for (int c = 0; c < n; ++c) {
        if (cfg_.columns[c].kind == GridColumn::Kind::Text || cfg_.columns[c].kind == GridColumn::Kind::Amount)
            fieldIndex[c] = rows->fieldIndex(cfg_.columns[c].field);
    }
    // A cell showing what the cell above shows shares its text: the lines of one voucher
    // repeat its number, so a long list costs less.
    std::vector<std::pair<QVariant, QString>> above(n);
    const auto shown = [&](int c, const QVariant &v) -> const QString & {
        auto &[value, text] = above[c];
        if (value != v || text.isNull()) {
            value = v;
            text = cellText(cfg_.columns[c], v);
        }
        return text;
    };
    while (!rows->eof()) {
        ++counter;
        g->setRows(g->rows() + 1);
        g->setRow(g->row() + 1);
        const int r = g->row();
        g->setTextMatrix(r, 0, QString::number(counter));
        for (int c = 1; c < n; ++c) {
            if (cfg_.columns[c].kind == GridColumn::Kind::Computed)
                g->setTextMatrix(r, c, cfg_.columns[c].compute(*rows));
            if (fieldIndex[c] < 0)
                continue;
            // A Null, an empty text or an amount of 0 leaves the cell empty.
            if (const QString &text = shown(c, rows->value(fieldIndex[c])); !text.isEmpty())
                g->setTextMatrix(r, c, text);
        }
        rows->moveNext();
    }
    g->setFixedRows(1);
    if (cfg_.totals)
        appendTotalsRow();
    g->setTopRow(1);
    g->setRow(1);
    g->setCol(0);
}

QString GridFrame::cellText(const GridColumn &column, const QVariant &value)
{
    if (column.kind == GridColumn::Kind::Text)
        return value.isNull() ? QString(QLatin1String("")) : value.toString();
    const std::optional<Money> amount = Money::fromField(value);
    // No amount: shown as stored, never as 0.
    return amount ? shownAmount(*amount) : value.toString();
}

void GridFrame::showRecord(int r, const platform::Recordset &record)
{
    MSFlexGrid *g = MSFlexGrid1_;
    for (int c = 1; c < int(cfg_.columns.size()); ++c) {
        const GridColumn &column = cfg_.columns[c];
        if (column.kind == GridColumn::Kind::Computed)
            g->setTextMatrix(r, c, column.compute(record));
        else if (column.kind != GridColumn::Kind::Unfilled)
            g->setTextMatrix(r, c, cellText(column, record.value(column.field)));
    }
}

void GridFrame::clearRows()
{
    MSFlexGrid *g = MSFlexGrid1_;
    const int old = g->rows() - 1;
    if (old >= 1) {
        g->setFixedRows(0);
        for (int i = 0; i < old; ++i)
            g->removeItem(1);
    }
}

void GridFrame::appendTotalsRow()
{
    MSFlexGrid *g = MSFlexGrid1_;
    QStringList cells(g->cols());
    cells[1] = cfg_.totals->label;
    for (int c : cfg_.totals->summedColumns)
        cells[c] = listedTotal(*lastFill_, cfg_.columns[c].field);
    g->addItem(cells.join('\t'));
}

void GridFrame::movefirst()
{
    MSFlexGrid1_->setRow(1);
    MSFlexGrid1_->setTopRow(1);
    setBackPair(false);
    setForwardPair(true);
}

void GridFrame::movelast()
{
    const int rows = dataRows();
    MSFlexGrid1_->setRow(rows);
    MSFlexGrid1_->setTopRow(rows >= kPageRows ? rows - kPageRows + 1 : 1);
    setBackPair(true);
    setForwardPair(false);
}

void GridFrame::moveprevious()
{
    MSFlexGrid *g = MSFlexGrid1_;
    const int rows = dataRows();
    const int row = g->row();
    if (rows < kPageRows + 1) {
        g->setRow(row >= 2 ? row - 1 : rows);
    } else if (row > g->topRow()) {
        g->setRow(row - 1);
    } else if (row == g->topRow() && row != 1) {
        g->setRow(row - 1);
        g->setTopRow(g->topRow() - 1);
    } else {
        g->setRow(rows);
        g->setTopRow(rows + 1 - kPageRows);
    }
    if (g->row() == 1)
        setBackPair(false);
    setForwardPair(true);
}

void GridFrame::movenext()
{
    MSFlexGrid *g = MSFlexGrid1_;
    const int rows = dataRows();
    const int row = g->row();
    const int pageBottom = g->topRow() + kPageRows - 1;
    if (rows < kPageRows + 1) {
        g->setRow(row < rows ? row + 1 : 1);
    } else if (row < pageBottom) {
        g->setRow(row + 1);
    } else if (row == pageBottom && row != rows) {
        g->setRow(row + 1);
        g->setTopRow(g->topRow() + 1);
    } else {
        g->setRow(1);
        g->setTopRow(1);
    }
    setBackPair(true);
    if (g->row() == rows)
        setForwardPair(false);
}

void GridFrame::exitform() { close(); }

void GridFrame::setNavigationByRow()
{
    const int row = MSFlexGrid1_->row();
    const int rows = dataRows();
    if (row == 1) {
        setBackPair(false);
        setForwardPair(true);
    }
    if (row == rows) {
        setBackPair(true);
        setForwardPair(false);
    }
    if (row >= 2 && row < rows) {
        setBackPair(true);
        setForwardPair(true);
    }
}

void GridFrame::gridMouseDown()
{
    MSFlexGrid *g = MSFlexGrid1_;
    if (dataRows() < 1)
        return;
    const int pressed = cfg_.mouseRow == GridFrameConfig::MouseRow::RowSel ? g->rowSel() : g->row();
    g->setCol(0);
    g->setRow(pressed);
    setNavigationByRow();
}
