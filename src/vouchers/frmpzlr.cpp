#include "vouchers/frmpzlr.h"

#include "accounts/accountsearch.h"
#include "gridwin/gridframe.h"
#include "gridwin/ingrideditor.h"
#include "platform/desktop.h"
#include "platform/dtpicker.h"
#include "platform/flexgrid.h"
#include "platform/keyedtoolbar.h"
#include "platform/look.h"
#include "platform/msgbox.h"
#include "platform/report/reportlayout.h"
#include "platform/twips.h"
#include "vouchers/frmpzlrcxck.h"
#include "vouchers/voucherstore.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace vouchers;

namespace {
// The window's client area and its controls, in twips from its top-left corner.
constexpr int kClientWidth = 11790;
constexpr int kClientHeight = 8925;
constexpr int kToolbarHeight = 630;
constexpr int kInitialsColumn = 2;
constexpr int kContinueColumn = 6;
const QString kTotalsLabel = QStringLiteral("合   计：");

const QString kAppend = QStringLiteral("button_append");
const QString kCancel = QStringLiteral("button_cx");
const QString kSave = QStringLiteral("button_save");
const QString kAddLine = QStringLiteral("button_mx");
const QString kDeleteLine = QStringLiteral("button_delete");
const QString kExit = QStringLiteral("button_exit");

struct EntryColumn {
    int width;
    QString header;
    bool required; // header in dark red: the operator fills it
};
const EntryColumn kColumns[] = {
    {420, QStringLiteral("序号"), false},
    {1100, QStringLiteral("科 目 检 索"), true},
    {1200, QStringLiteral("拼 音 简 码"), false},
    {3000, QStringLiteral("   科      目      名      称"), false},
    {1600, QStringLiteral(" 借  方  金  额"), true},
    {1600, QStringLiteral(" 贷  方  金  额 "), true},
    {1000, QStringLiteral("回车继续"), false},
};

bool isEditableColumn(int c)
{
    return c == CodeColumn || c == DebitColumn || c == CreditColumn || c == kContinueColumn;
}

QRect twipsRect(int left, int top, int width, int height)
{
    // The controls sit below the toolbar (630 twips, or what its captions need), which
    // the window's layout places itself.
    return twips::toPixels(QRect(left, top - kToolbarHeight, width, height));
}

QLabel *boldLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(platform::cjkFont(QStringLiteral("宋体"), 9, true));
    return l;
}
} // namespace

frmpzlr::frmpzlr(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmpzlr"));
    setWindowTitle(QStringLiteral("会计凭证输入"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    setupGrid();
    setEntryButtons(false);
    showVoucher(false);
    TextSR_->hide();
}

void frmpzlr::buildControls()
{
    Toolbar1_ = new platform::KeyedToolBar(this);
    Toolbar1_->setObjectName(QStringLiteral("Toolbar1"));
    addToolButtons(Toolbar1_, {
                                  {kAppend, QStringLiteral("新  增"), QStringLiteral("新增会计凭证")},
                                  {kCancel, QStringLiteral("撤  消"), QStringLiteral("撤消操作")},
                                  {kSave, QStringLiteral("保  存"), QStringLiteral("保存会计凭证")},
                                  {},
                                  {kAddLine, QStringLiteral("增明细"), QStringLiteral("添加明细记录")},
                                  {kDeleteLine, QStringLiteral("删明细"), QStringLiteral("删除明细记录")},
                                  {},
                                  {kExit, QStringLiteral("退  出"), QStringLiteral("返回主菜单")},
                              });
    connect(Toolbar1_, &platform::KeyedToolBar::buttonClick, this, &frmpzlr::buttonClick);

    // Everything below the toolbar keeps its place in twips; the block stays centred
    // across a wider window.
    auto *canvas = new QWidget(this);
    canvas->setObjectName(QStringLiteral("canvas"));
    canvas->setFixedSize(twips::toPixels(kClientWidth), twips::toPixels(kClientHeight - kToolbarHeight));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Toolbar1_);
    layout->addWidget(canvas, 0, Qt::AlignHCenter);
    layout->addStretch();

    bt_ = new QLabel(QStringLiteral("☆  会 计 凭 证  ☆"), canvas);
    bt_->setObjectName(QStringLiteral("bt"));
    bt_->setGeometry(twipsRect(3720, 960, 3615, 375));
    bt_->setFont(platform::cjkFont(QStringLiteral("黑体"), 15, true));
    bt_->setStyleSheet(QStringLiteral("color: %1").arg(QColor(0, 0, 192).name()));
    bt_->setAlignment(Qt::AlignCenter);

    Labelrqbt_ = boldLabel(QStringLiteral("Labelrqbt"), QStringLiteral("日  期："), canvas);
    Labelrqbt_->setGeometry(twipsRect(480, 1800, 1005, 195));
    Labelpzhmbt_ = boldLabel(QStringLiteral("Labelpzhmbt"), QStringLiteral("凭证号码："), canvas);
    Labelpzhmbt_->setGeometry(twipsRect(3480, 1800, 1035, 195));

    DTPicker1_ = new platform::DTPicker(canvas);
    DTPicker1_->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1_->setGeometry(twipsRect(1440, 1680, 1575, 375));
    // Enter moves on to the number while a voucher is being entered.
    connect(DTPicker1_, &platform::DTPicker::keyDown, this, [this](int &key, Qt::KeyboardModifiers) {
        if (isEntering())
            platform::entertotab(key);
    });

    Textpzhm_ = new QLineEdit(canvas);
    Textpzhm_->setObjectName(QStringLiteral("Textpzhm"));
    Textpzhm_->setGeometry(twipsRect(4680, 1680, 855, 375));
    Textpzhm_->installEventFilter(this);

    Labelbj_ = new QLabel(canvas);
    Labelbj_->setObjectName(QStringLiteral("Labelbj"));
    Labelbj_->setGeometry(twipsRect(360, 2400, 10335, 4695));
    Labelbj_->setAutoFillBackground(true);
    Labelbj_->setStyleSheet(QStringLiteral("background: %1").arg(QColor(128, 128, 128).name()));

    MSFlexGrid1_ = new MSFlexGrid(canvas);
    MSFlexGrid1_->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1_->setGeometry(twipsRect(240, 2280, 10335, 4740));
    connect(MSFlexGrid1_, &MSFlexGrid::click, this, &frmpzlr::gridClick);
    connect(MSFlexGrid1_, &MSFlexGrid::enterCell, this, &frmpzlr::enterCell);
    connect(MSFlexGrid1_, &MSFlexGrid::rowColChange, this, &frmpzlr::afterCellChange);

    // A sibling of the grid laid over its current cell.
    TextSR_ = new QLineEdit(canvas);
    TextSR_->setObjectName(QStringLiteral("TextSR"));
    TextSR_->setFrame(false);
    TextSR_->setFont(MSFlexGrid1_->font());
    TextSR_->setStyleSheet(
        QStringLiteral("QLineEdit { background: %1; border: none }").arg(QColor(192, 255, 255).name()));
    TextSR_->installEventFilter(this);
    connect(TextSR_, &QLineEdit::textChanged, this, &frmpzlr::editorChanged);
    // Scrolled by the wheel or a bar, the grid takes the editor along with its cell.
    connect(MSFlexGrid1_, &MSFlexGrid::scrolled, this, [this] { keepEditorOverCell(MSFlexGrid1_, TextSR_); });

    setTabOrder(DTPicker1_, Textpzhm_);
    setTabOrder(Textpzhm_, MSFlexGrid1_);
    setTabOrder(MSFlexGrid1_, TextSR_);
}

void frmpzlr::setupGrid()
{
    MSFlexGrid *g = MSFlexGrid1_;
    g->setCols(7);
    g->setFixedRows(0);
    for (int c = 0; c < 7; ++c) {
        g->setRow(0);
        g->setCol(c);
        g->setCellBackColor(kColumns[c].required ? QColor(192, 0, 0) : QColor(0, 128, 128));
        g->setCellForeColor(Qt::white);
    }
    for (int c = 0; c < 7; ++c) {
        g->setColWidth(c, kColumns[c].width);
        g->setTextMatrix(0, c, kColumns[c].header);
    }
}

void frmpzlr::buttonClick(const QString &key)
{
    using Action = void (frmpzlr::*)();
    static const std::pair<QString, Action> order[] = {
        {kAppend, &frmpzlr::appendrecord}, {kSave, &frmpzlr::saverecord},       {kCancel, &frmpzlr::cancelentry},
        {kAddLine, &frmpzlr::appendline},  {kDeleteLine, &frmpzlr::deleteline}, {kExit, &frmpzlr::exitform},
    };
    for (const auto &[candidate, action] : order) {
        if (candidate == key) {
            (this->*action)();
            return;
        }
    }
}

bool frmpzlr::isEntering() const { return !Toolbar1_->button(kAppend)->isEnabled(); }

bool frmpzlr::hasUnsavedWork() const
{
    if (!isEntering())
        return false;
    const VoucherDraft typed = draft();
    return !typed.number.isEmpty() || std::any_of(typed.lines.begin(), typed.lines.end(), [](const VoucherLine &l) {
        return !l.code.isEmpty() || !l.debit.isEmpty() || !l.credit.isEmpty();
    });
}

void frmpzlr::setEntryButtons(bool entering)
{
    Toolbar1_->button(kAppend)->setEnabled(!entering);
    for (const QString &key : {kCancel, kSave, kAddLine, kDeleteLine})
        Toolbar1_->button(key)->setEnabled(entering);
}

void frmpzlr::showVoucher(bool shown)
{
    for (QWidget *w :
         std::initializer_list<QWidget *>{Labelrqbt_, DTPicker1_, Labelpzhmbt_, Textpzhm_, Labelbj_, MSFlexGrid1_})
        w->setVisible(shown);
}

int frmpzlr::lineCount() const { return std::max(0, MSFlexGrid1_->rows() - 2); }

bool frmpzlr::isLine(int row) const { return row >= 1 && row <= lineCount(); }

VoucherDraft frmpzlr::draft() const
{
    VoucherDraft d{DTPicker1_->value(), Textpzhm_->text(), {}};
    const MSFlexGrid *g = MSFlexGrid1_;
    for (int r = 1; r <= lineCount(); ++r) {
        d.lines.push_back({g->textMatrix(r, CodeColumn), g->textMatrix(r, kInitialsColumn),
                           g->textMatrix(r, NameColumn), g->textMatrix(r, DebitColumn),
                           g->textMatrix(r, CreditColumn)});
    }
    return d;
}

void frmpzlr::clearLines()
{
    MSFlexGrid1_->setFixedRows(0);
    MSFlexGrid1_->setRows(1);
}

void frmpzlr::addLineAtEnd()
{
    MSFlexGrid *g = MSFlexGrid1_;
    const int next = lineCount() + 1;
    if (g->rows() > 1)
        g->removeItem(g->rows() - 1);
    g->addItem(QString::number(next));
    g->setFixedRows(1);
    g->addItem(QStringLiteral("\t") + kTotalsLabel);
    recomputeTotals();
}

void frmpzlr::appendrecord()
{
    showVoucher(true);
    setHeadTyping(true);
    DTPicker1_->setValue(QDate::currentDate());
    Textpzhm_->clear();
    setEntryButtons(true);
    clearLines();
    addLineAtEnd();
    MSFlexGrid1_->setRow(1);
    MSFlexGrid1_->setCol(CodeColumn);
    TextSR_->show();
    TextSR_->raise();
    // The voucher starts with its date, then its number, then its lines.
    DTPicker1_->setFocus();
}

void frmpzlr::cancelentry()
{
    setEntryButtons(false);
    clearLines();
    MSFlexGrid1_->setRow(0);
    MSFlexGrid1_->setCol(0);
    showVoucher(false);
    TextSR_->hide();
}

void frmpzlr::newLineBelow()
{
    MSFlexGrid *g = MSFlexGrid1_;
    const int from = g->row();
    addLineAtEnd();
    // One row down: from the last line that is the new one (from a middle line the next
    // line). From the totals row, which is no line, the new line is taken too.
    g->setRow(std::min(from + 1, lineCount()));
    g->setCol(CodeColumn);
}

void frmpzlr::appendline()
{
    newLineBelow();
    setEntryButtons(true);
    TextSR_->show();
    TextSR_->raise();
    if (lineCount() != 1)
        TextSR_->setFocus();
}

void frmpzlr::deleteline()
{
    MSFlexGrid *g = MSFlexGrid1_;
    const int r = g->row();
    if (!isLine(r)) {
        platform::plainNotice(QStringLiteral("请先选择一条记录，然后再进行删除！"));
        return;
    }
    setEntryButtons(true);
    TextSR_->hide();
    if (lineCount() == 1) {
        clearLines();
        for (const QString &key : {kCancel, kSave, kDeleteLine})
            Toolbar1_->button(key)->setEnabled(false);
    } else {
        g->removeItem(r);
        for (int line = r; line <= lineCount(); ++line)
            g->setTextMatrix(line, 0, QString::number(line));
        recomputeTotals();
    }
    g->setRow(0);
    g->setCol(0);
}

void frmpzlr::exitform() { close(); }

void frmpzlr::saverecord()
{
    std::optional<SaveRefusal> refusal;
    QString error;
    const std::optional<VoucherDraft> stored = saveVoucher(draft(), &refusal, &error);
    if (!stored) {
        if (refusal)
            showRefusal(*refusal);
        else
            platform::notice(error);
        return;
    }
    // The stored voucher stays on screen as the books hold it, and takes no typing, until
    // the next one is started.
    showStored(*stored);
    TextSR_->hide();
    setEntryButtons(false);
    setHeadTyping(false);
}

void frmpzlr::showStored(const VoucherDraft &stored)
{
    DTPicker1_->setValue(stored.date);
    Textpzhm_->setText(stored.number);
    MSFlexGrid *g = MSFlexGrid1_;
    for (int r = 1; r <= std::min(lineCount(), int(stored.lines.size())); ++r) {
        const VoucherLine &line = stored.lines[size_t(r - 1)];
        g->setTextMatrix(r, CodeColumn, line.code);
        g->setTextMatrix(r, kInitialsColumn, line.initials);
        g->setTextMatrix(r, NameColumn, line.name);
        g->setTextMatrix(r, DebitColumn, line.debit);
        g->setTextMatrix(r, CreditColumn, line.credit);
    }
    recomputeTotals();
}

void frmpzlr::setHeadTyping(bool on)
{
    DTPicker1_->setReadOnly(!on);
    Textpzhm_->setReadOnly(!on);
}

void frmpzlr::showRefusal(const SaveRefusal &refusal)
{
    platform::showMessage(refusal.notice ? platform::MsgKind::Notice : platform::MsgKind::PlainNotice, refusal.text);
    if (refusal.clearNumber) {
        Textpzhm_->clear();
        Textpzhm_->setFocus();
    }
    if (refusal.line > 0 && refusal.column >= 0)
        showEditorAt(refusal.line, refusal.column);
}

void frmpzlr::showEditorAt(int row, int column)
{
    MSFlexGrid1_->setRow(row);
    MSFlexGrid1_->setCol(column);
    layEditorOverCell(MSFlexGrid1_, TextSR_, std::nullopt);
    TextSR_->show();
    TextSR_->raise();
    TextSR_->setFocus();
}

void frmpzlr::gridClick()
{
    if (!isEntering())
        return;
    const int c = MSFlexGrid1_->col();
    if (isEditableColumn(c) && isLine(MSFlexGrid1_->row()))
        showEditorAt(MSFlexGrid1_->row(), c);
    else
        TextSR_->hide();
}

void frmpzlr::enterCell()
{
    // The editor follows the current cell in every state, with the limit of its column
    // from the moment it arrives; it scrolls no column, as the seven fit the grid.
    showLineAndTotals();
    layEditorOverCell(MSFlexGrid1_, TextSR_, std::nullopt);
    limitEditorToColumn(MSFlexGrid1_, TextSR_, MSFlexGrid1_->col() == CodeColumn ? 4 : 12);
}

void frmpzlr::showLineAndTotals()
{
    MSFlexGrid *g = MSFlexGrid1_;
    const int r = g->row();
    if (!isLine(r))
        return;
    const int page = g->visibleRows();
    const int totals = g->rows() - 1;
    // The current line wholly in view, moving the view as little as may be; and the
    // totals row with it wherever one page holds both.
    int top = std::clamp(g->topRow(), r - page + 1, r);
    if (totals - page + 1 <= r)
        top = std::max(top, totals - page + 1);
    g->setTopRow(top);
}

void frmpzlr::afterCellChange()
{
    if (MSFlexGrid1_->row() == 0)
        return;
    recomputeTotals();
    reformatAmounts();
}

void frmpzlr::editorChanged()
{
    MSFlexGrid *g = MSFlexGrid1_;
    // Only a line takes typing: neither the header nor the totals row.
    if (!isLine(g->row()))
        return;
    g->setText(TextSR_->text());
    // Typing into a line scrolled out of view brings it back.
    showLineAndTotals();
    recomputeTotals();
}

void frmpzlr::recomputeTotals()
{
    const int n = lineCount();
    if (n < 1)
        return;
    const VoucherTotals totals = totalsOf(draft().lines);
    // A total past what integer cents hold says so, as the lists' totals do.
    const auto shown = [](const std::optional<Money> &total) {
        return total ? total->toString() : QString::fromUtf16(platform::report::kSumOverflowText);
    };
    MSFlexGrid1_->setTextMatrix(n + 1, DebitColumn, shown(totals.debit));
    MSFlexGrid1_->setTextMatrix(n + 1, CreditColumn, shown(totals.credit));
}

void frmpzlr::reformatAmounts()
{
    MSFlexGrid *g = MSFlexGrid1_;
    for (int r = 1; r < g->rows(); ++r) {
        if (g->textMatrix(r, CodeColumn).isEmpty())
            continue;
        for (int c : {DebitColumn, CreditColumn})
            g->setTextMatrix(r, c, shownAmount(g->textMatrix(r, c)));
    }
}

bool frmpzlr::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (watched == Textpzhm_ && enter && isEntering()) {
            numberEnter();
            return true;
        }
        if (watched == TextSR_ && editorKey(key))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmpzlr::numberEnter()
{
    const QString typed = Textpzhm_->text().trimmed();
    if (typed.isEmpty() || !voucherNumber(typed)) {
        platform::notice(typed.isEmpty() ? QStringLiteral("凭证号码不能为空，请重新输入！")
                                         : whyNotAVoucherNumber(typed, QStringLiteral("凭证号码")));
        Textpzhm_->clear();
        Textpzhm_->setFocus();
        return;
    }
    // On to the lines; with the editor put away (after a line was removed) to the grid.
    if (TextSR_->isVisible())
        TextSR_->setFocus();
    else
        MSFlexGrid1_->setFocus();
}

bool frmpzlr::editorKey(int key)
{
    MSFlexGrid *g = MSFlexGrid1_;
    const int r = g->row();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Only a line is looked up or moved on from; never the header or the totals row.
        if (!isLine(r))
            return true;
        if (g->col() == CodeColumn)
            lookUpAccount();
        else if (!refuseBadAmount(DebitColumn, QStringLiteral("【借方金额】")) &&
                 !refuseBadAmount(CreditColumn, QStringLiteral("【贷方金额】")))
            movereturn();
        return true;
    case Qt::Key_Up:
        if (r >= 2)
            g->setRow(r - 1);
        return true;
    case Qt::Key_Down:
        if (!g->textMatrix(r, CodeColumn).isEmpty() && r < lineCount())
            g->setRow(r + 1);
        return true;
    default:
        return false;
    }
}

bool frmpzlr::refuseBadAmount(int column, const QString &field)
{
    MSFlexGrid *g = MSFlexGrid1_;
    const QString typed = g->textMatrix(g->row(), column).trimmed();
    if (g->col() != column || typed.isEmpty() || Money::parse(typed))
        return false;
    platform::plainNotice(field + QStringLiteral("应输入数字！"));
    TextSR_->clear();
    TextSR_->setFocus();
    return true;
}

void frmpzlr::movereturn()
{
    MSFlexGrid *g = MSFlexGrid1_;
    if (g->col() == kContinueColumn)
        newLineBelow();
    else
        g->setCol(g->col() + 1);
}

void frmpzlr::lookUpAccount()
{
    QString error;
    const auto found = accounts::lookupAccounts(TextSR_->text(), &error);
    if (!found) {
        platform::notice(error);
        return;
    }
    if (found->empty()) {
        platform::plainNotice(accounts::kNoAccountFound);
        TextSR_->clear();
        TextSR_->setFocus();
        return;
    }
    accounts::Account account = found->front();
    if (found->size() > 1) {
        // A cancel leaves the search text in the line and the editor where it was.
        frmpzlrcxck picker(*found, this);
        if (picker.exec() != QDialog::Accepted || !picker.chosen())
            return;
        account = *picker.chosen();
    }
    MSFlexGrid *g = MSFlexGrid1_;
    const int r = g->row();
    g->setTextMatrix(r, CodeColumn, account.code);
    g->setTextMatrix(r, kInitialsColumn, account.initials);
    g->setTextMatrix(r, NameColumn, account.name);
    g->setCol(DebitColumn);
    TextSR_->setFocus();
}
