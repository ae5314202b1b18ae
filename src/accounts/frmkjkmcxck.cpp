#include "accounts/frmkjkmcxck.h"

#include "accounts/openingbalance.h"
#include "platform/flexgrid.h"
#include "platform/look.h"
#include "platform/msgbox.h"
#include "platform/twips.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr int kListWidth = 6975; // twips
constexpr int kListHeight = 3255;
constexpr int kStripHeight = 375;

struct ListColumn {
    const char *field;
    int width;
    QString header;
};
const ListColumn kColumns[] = {
    {"km_no", 1200, QStringLiteral(" 科 目 编 号")},
    {"km_zjf", 1600, QStringLiteral(" 拼 音 简 码")},
    {"km_name", 3900, QStringLiteral(" 科  目  名  称 ")},
};

QPushButton *plainButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    // Neither button answers Enter or Escape for the window.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}
} // namespace

frmkjkmcxck::frmkjkmcxck(const platform::RecordsetPtr &matches, MSFlexGrid *targetGrid, QWidget *parent)
    : QDialog(parent), target(targetGrid)
{
    setObjectName(QStringLiteral("frmkjkmcxck"));
    setWindowTitle(QStringLiteral("会计科目查询窗口"));

    auto *Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedSize(twips::toPixels(kListWidth), twips::toPixels(kStripHeight));
    Picture1->setAutoFillBackground(true);
    Picture1->setStyleSheet(QStringLiteral("background: %1").arg(platform::vbColor(0x00808000).name()));
    Picture1->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(Picture1->height() - 4));

    MSflexGridsp = new MSFlexGrid(this);
    MSflexGridsp->setObjectName(QStringLiteral("MSflexGridsp"));
    MSflexGridsp->setFixedSize(twips::toPixels(kListWidth), twips::toPixels(kListHeight));
    MSflexGridsp->setFixedCols(0);

    cmdqd = plainButton(QStringLiteral("cmdqd"), QStringLiteral("确      定"), this);
    cmdqx = plainButton(QStringLiteral("cmdqx"), QStringLiteral("取      消"), this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdqd);
    buttons->addSpacing(twips::toPixels(880));
    buttons->addWidget(cmdqx);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->setSpacing(0);
    layout->addWidget(Picture1);
    layout->addWidget(MSflexGridsp);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setTabOrder(MSflexGridsp, cmdqd);
    setTabOrder(cmdqd, cmdqx);

    connect(cmdqd, &QPushButton::clicked, this, &frmkjkmcxck::pickaccount);
    connect(cmdqx, &QPushButton::clicked, this, &QDialog::reject);
    connect(MSflexGridsp, &MSFlexGrid::dblClick, this, &frmkjkmcxck::pickaccount);
    // Every key pressed in the list picks; the key does nothing else.
    connect(MSflexGridsp, &MSFlexGrid::keyDown, this, [this](int &key, Qt::KeyboardModifiers) {
        key = 0;
        pickaccount();
    });

    fillList(matches);
    MSflexGridsp->setFocus();
}

void frmkjkmcxck::fillList(const platform::RecordsetPtr &matches)
{
    MSFlexGrid *g = MSflexGridsp;
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
    if (matches) {
        while (!matches->eof()) {
            g->setRows(g->rows() + 1);
            g->setRow(g->row() + 1);
            for (int c = 0; c < 3; ++c)
                g->setTextMatrix(g->row(), c, matches->text(QString::fromLatin1(kColumns[c].field)));
            matches->moveNext();
        }
        matches->close();
    }
    g->setFixedRows(1);
    g->setTopRow(1);
    g->setRow(1);
    g->setCol(0);
}

void frmkjkmcxck::pickaccount()
{
    MSFlexGrid *g = MSflexGridsp;
    if (g->rowSel() < 1 || g->rowSel() >= g->rows())
        return;
    g->setRow(g->rowSel());
    const int r = g->row();
    const QString code = g->textMatrix(r, 0);
    // One opening balance per account.
    QString error;
    const auto taken = ledger::hasOpeningBalance(code, &error);
    if (!taken) {
        platform::notice(error);
        return;
    }
    if (*taken) {
        platform::plainNotice(QStringLiteral(" 已存在此会计科目总帐期初余额，请重新选择！"));
        return;
    }
    const int targetRow = target->row();
    for (int c = 0; c < 3; ++c)
        target->setTextMatrix(targetRow, c + 1, g->textMatrix(r, c));
    target->setCol(4);
    accept();
}

void frmkjkmcxck::keyPressEvent(QKeyEvent *event)
{
    // Escape is not a cancel here: only 取消 and the close box leave without a pick.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
