#include "accounts/accountpicker.h"

#include "platform/flexgrid.h"
#include "platform/look.h"
#include "platform/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {
// twips
constexpr int kClientWidth = 6945;
constexpr int kClientHeight = 4560;
constexpr int kListTop = 360;
constexpr int kListWidth = 6975;
constexpr int kListHeight = 3255;
constexpr int kStripHeight = 375;
constexpr int kOkWidth = 2000;
constexpr int kCancelWidth = 1875;
constexpr int kButtonHeight = 400;

struct ListColumn {
    int width;
    QString header;
};
const ListColumn kColumns[] = {
    {1200, QStringLiteral(" 科 目 编 号")},
    {1600, QStringLiteral(" 拼 音 简 码")},
    {3900, QStringLiteral(" 科  目  名  称 ")},
};

QPushButton *plainButton(const QString &name, const QString &caption, const QColor &back, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    // Neither button answers Enter or Escape for the window.
    b->setAutoDefault(false);
    b->setDefault(false);
    if (back.isValid())
        b->setStyleSheet(QStringLiteral("QPushButton { background: %1 }").arg(back.name()));
    return b;
}
} // namespace

AccountPicker::AccountPicker(const std::vector<accounts::Account> &matches, const AccountPickerConfig &config,
                             QWidget *parent)
    : QDialog(parent), cfg_(config)
{
    setObjectName(cfg_.name);
    setWindowTitle(QStringLiteral("会计科目查询窗口"));
    setFixedSize(twips::toPixels(kClientWidth), twips::toPixels(kClientHeight));

    auto *Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twips::toPixels(QRect(0, 0, kListWidth, kStripHeight)));
    Picture1->setAutoFillBackground(true);
    Picture1->setStyleSheet(QStringLiteral("background: %1").arg(platform::vbColor(0x00808000).name()));
    Picture1->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(Picture1->height() - 4));

    MSflexGridsp_ = new MSFlexGrid(this);
    MSflexGridsp_->setObjectName(QStringLiteral("MSflexGridsp"));
    MSflexGridsp_->setGeometry(twips::toPixels(QRect(0, kListTop, kListWidth, kListHeight)));
    MSflexGridsp_->setFixedCols(0);

    cmdqd_ = plainButton(QStringLiteral("cmdqd"), QStringLiteral("确      定"), cfg_.buttonBack, this);
    cmdqd_->setGeometry(twips::toPixels(QRect(cfg_.okLeft, cfg_.buttonsTop, kOkWidth, kButtonHeight)));
    cmdqx_ = plainButton(QStringLiteral("cmdqx"), QStringLiteral("取      消"), cfg_.buttonBack, this);
    cmdqx_->setGeometry(twips::toPixels(QRect(cfg_.cancelLeft, cfg_.buttonsTop, kCancelWidth, kButtonHeight)));
    setTabOrder(MSflexGridsp_, cmdqd_);
    setTabOrder(cmdqd_, cmdqx_);

    connect(cmdqd_, &QPushButton::clicked, this, &AccountPicker::pickaccount);
    connect(cmdqx_, &QPushButton::clicked, this, &QDialog::reject);
    connect(MSflexGridsp_, &MSFlexGrid::dblClick, this, &AccountPicker::pickaccount);
    // Every key pressed in the list picks; the key does nothing else.
    connect(MSflexGridsp_, &MSFlexGrid::keyDown, this, [this](int &key, Qt::KeyboardModifiers) {
        key = 0;
        pickaccount();
    });

    fillList(matches);
    MSflexGridsp_->setFocus();
}

void AccountPicker::fillList(const std::vector<accounts::Account> &matches)
{
    MSFlexGrid *g = MSflexGridsp_;
    g->setCols(3);
    g->setFixedRows(0);
    for (int c = 0; c < 3; ++c) {
        g->setRow(0);
        g->setCol(c);
        g->setCellBackColor(platform::vbColor(0x000000C0));
        g->setCellForeColor(platform::vbColor(0x00FFFFFF));
    }
    for (int c = 0; c < 3; ++c) {
        g->setColWidth(c, kColumns[c].width);
        g->setTextMatrix(0, c, kColumns[c].header);
    }
    g->setRows(int(matches.size()) + 1);
    for (int r = 1; r < g->rows(); ++r) {
        const accounts::Account &a = matches[size_t(r - 1)];
        g->setTextMatrix(r, 0, a.code);
        g->setTextMatrix(r, 1, a.initials);
        g->setTextMatrix(r, 2, a.name);
    }
    g->setFixedRows(1);
    g->setTopRow(1);
    g->setRow(1);
    g->setCol(0);
}

void AccountPicker::pickaccount()
{
    MSFlexGrid *g = MSflexGridsp_;
    if (g->rowSel() < 1 || g->rowSel() >= g->rows())
        return;
    g->setRow(g->rowSel());
    const int r = g->row();
    const accounts::Account account{g->textMatrix(r, 0), g->textMatrix(r, 1), g->textMatrix(r, 2)};
    if (cfg_.mayPick && !cfg_.mayPick(account))
        return;
    chosen_ = account;
    accept();
}

void AccountPicker::keyPressEvent(QKeyEvent *event)
{
    // Escape is not a cancel here: only 取消 and the close box leave without a pick.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
