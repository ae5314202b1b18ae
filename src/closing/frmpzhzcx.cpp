#include "closing/frmpzhzcx.h"

#include "closing/frmpzhz.h"
#include "closing/history.h"
#include "platform/desktop.h"
#include "reports/drtpzhzls.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

// The stored opening and closing balances are not totalled on screen; the report totals
// all four.
frmpzhzcx::frmpzhzcx(QWidget *parent)
    : ReadOnlyList(frmpzhz::summarySetup(
                       QStringLiteral("frmpzhzcx"), QStringLiteral("凭证汇总表查询"),
                       {QStringLiteral("qcje"), QStringLiteral("jfje"), QStringLiteral("dfje"), QStringLiteral("qmje")},
                       TotalsRow{QStringLiteral("  合    计"), {4, 5}}, &reports::printSummaryHistory),
                   parent)
{
    Label1_ = new QLabel(QStringLiteral("会计期间："), this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Combo1_ = new QComboBox(this);
    Combo1_->setObjectName(QStringLiteral("Combo1"));
    platform::chooseFromListOnly(Combo1_);
    Combo1_->setMinimumWidth(160);
    auto *row = new QWidget(this);
    row->setFixedWidth(gridArea()->width());
    auto *line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(Label1_);
    line->addWidget(Combo1_);
    line->addStretch();
    auto *box = static_cast<QVBoxLayout *>(layout());
    box->insertWidget(box->indexOf(gridArea()), row, 0, Qt::AlignHCenter);

    if (!readHeader(false))
        return;
    QString error;
    const RecordsetPtr periods = closing::closedPeriods(&error);
    if (!periods) {
        tellUnreadable(error);
        return;
    }
    for (; !periods->eof(); periods->moveNext())
        Combo1_->addItem(periods->text(QStringLiteral("kjqj")));
    connect(Combo1_, &QComboBox::activated, this, [this] { Combo1_Click(); });
    if (Combo1_->count() > 0) {
        Combo1_->setCurrentIndex(0); // the newest closed period
        Combo1_Click();
    }
}

void frmpzhzcx::Combo1_Click()
{
    QString error;
    const RecordsetPtr accounts = closing::closedSummary(platform::chosenEntry(Combo1_), &error);
    if (!accounts) {
        // The list and the box stay on the period shown, to be printed as it is.
        tellUnreadable(error);
        Combo1_->setCurrentIndex(Combo1_->findText(periodText()));
        return;
    }
    setPeriod(platform::chosenEntry(Combo1_));
    // A period without rows leaves only the header, whatever was listed before.
    clearRows();
    loadList(accounts, error);
}
