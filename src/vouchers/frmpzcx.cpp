#include "vouchers/frmpzcx.h"

#include "db/bookheader.h"
#include "gridwin/ingrideditor.h"
#include "gridwin/voucherlinegrid.h"
#include "platform/flexgrid.h"
#include "platform/msgbox.h"
#include "platform/report/reportdata.h"
#include "reports/drtkjpz.h"
#include "vouchers/vouchercheck.h"
#include "vouchers/voucherstore.h"

#include <QLineEdit>

using namespace voucherlinegrid;

namespace {

GridFrameConfig listConfig()
{
    GridFrameConfig c;
    c.name = QStringLiteral("frmpzcx");
    c.caption = QStringLiteral("会计凭证查询修改");
    c.title = kTitle;
    c.columns = columns();
    c.toolbar = GridFrameConfig::withNavigationAndExit({
        {QStringLiteral("button_edit"), QStringLiteral("修  改"), QStringLiteral("修改会计凭证")},
        {QStringLiteral("button_delete"), QStringLiteral("删  除"), QStringLiteral("删除会计凭证")},
        {},
        {QStringLiteral("button_cx"), QStringLiteral("撤  消"), QStringLiteral("撤消操作")},
        {QStringLiteral("button_save"), QStringLiteral("保  存"), QStringLiteral("保存会计凭证")},
        {},
        {QStringLiteral("button_print"), QStringLiteral("打 印"), QStringLiteral("打印会计凭证")},
        {},
    });
    c.dispatchOrder = {QStringLiteral("button_delete"), QStringLiteral("button_first"), QStringLiteral("button_back"),
                       QStringLiteral("button_next"),   QStringLiteral("button_last"),  QStringLiteral("button_exit"),
                       QStringLiteral("button_save"),   QStringLiteral("button_cx"),    QStringLiteral("button_edit"),
                       QStringLiteral("button_print")};
    c.mouseRow = GridFrameConfig::MouseRow::RowSel;
    c.scrollThreshold = 2;
    // An empty list still prints its headers and zero totals.
    c.rowButtons = {QStringLiteral("button_edit"), QStringLiteral("button_delete")};
    c.shadowName = QStringLiteral("Labelbj");
    return c;
}

// Only the two amounts of a line are corrected; Enter goes between them.
InGridEditorConfig correctionConfig()
{
    InGridEditorConfig e;
    e.appendColumn = Debit;
    e.editColumn = Debit;
    e.wrapColumn = Credit;
    e.scrollThreshold = 2;
    return e;
}

const QString kNotANumber = QStringLiteral("输入内容应为数字型!");

} // namespace

frmpzcx::frmpzcx(QWidget *parent) : RecordWindow(listConfig(), correctionConfig(), parent)
{
    setAction(QStringLiteral("button_save"), [this] { saveCorrection(); });
    setAction(QStringLiteral("button_print"), [this] { printreport(); });

    QString error;
    const auto company = mdlStandard::companyName(&error);
    const auto period = company ? mdlStandard::currentPeriodText(&error) : std::nullopt;
    if (!period) {
        loadList(RecordsetPtr(), error);
        return;
    }
    companyName_ = *company;
    period_ = *period;
    RecordsetPtr rows = vouchers::readPeriodLines(&error);
    if (rows) {
        // A line whose identity cannot be read could not be corrected safely: none is listed.
        if (auto refs = vouchers::lineRefsOf(*rows, &error))
            lines_ = std::move(*refs);
        else
            rows.reset();
    }
    loadList(rows, error);
}

std::optional<Money> frmpzcx::amountIn(int r, int c)
{
    const QString typed = MSFlexGrid1()->textMatrix(r, c).trimmed();
    if (typed.isEmpty())
        return Money();
    if (const auto amount = Money::parse(typed))
        return amount;
    const QString field = c == Debit ? QStringLiteral("【借方金额】") : QStringLiteral("【贷方金额】");
    refuse(Money::isTooLarge(typed) ? Money::whyNotAnAmount(typed, field) : kNotANumber, c);
    return std::nullopt;
}

void frmpzcx::text2Enter()
{
    const int c = MSFlexGrid1()->col();
    if ((c == Debit || c == Credit) && !amountIn(MSFlexGrid1()->row(), c))
        return;
    editor()->edmovereturn();
}

RecordWindow::Change frmpzcx::saveChange()
{
    const int r = MSFlexGrid1()->row();
    const auto debit = amountIn(r, Debit);
    if (!debit)
        return Change::Refused;
    const auto credit = amountIn(r, Credit);
    if (!credit)
        return Change::Refused;
    if (MSFlexGrid1()->textMatrix(r, Debit) == shownBefore(Debit) &&
        MSFlexGrid1()->textMatrix(r, Credit) == shownBefore(Credit))
        return Change::Unchanged;
    // The amounts are stored rounded to the cent: a line that comes to nothing on both
    // sides is refused as the entry window refuses it.
    if (debit->isZero() && credit->isZero()) {
        refuse(vouchers::zeroLineRefusal(MSFlexGrid1()->textMatrix(r, Number).toInt()).text, Debit);
        return Change::Refused;
    }
    // A refused write leaves the correction open: the user may cancel it, nothing is lost.
    QString error;
    return writtenChange(vouchers::changeLineAmounts(lines_.at(size_t(r - 1)), *debit, *credit, &error), error);
}

RecordsetPtr frmpzcx::storedRow(int r, QString *error) { return vouchers::readLine(lines_.at(size_t(r - 1)), error); }

void frmpzcx::saveCorrection()
{
    saverecord();
    if (!editor()->openEditor())
        setNavigationByRow();
}

void frmpzcx::deleterecord()
{
    const int r = MSFlexGrid1()->row();
    if (editor()->openEditor() || !isRecordRow(r))
        return;
    if (!platform::askDelete(QStringLiteral("确定要删除该凭证吗？")))
        return;
    QString error;
    if (!vouchers::deleteLine(lines_.at(size_t(r - 1)), &error)) {
        platform::notice(error);
        return;
    }
    lines_.erase(lines_.begin() + (r - 1));
    removeRecordRow(r);
}

void frmpzcx::printreport()
{
    // The lines as listed now: dates, numbers and names as shown, amounts as stored
    // after this window's corrections.
    auto rows = std::make_shared<platform::report::ReportTable>(
        QStringList{QStringLiteral("rq"), QStringLiteral("pz_no"), QStringLiteral("km_name"), QStringLiteral("jfje"),
                    QStringLiteral("dfje")});
    rows->reserve(int(lines_.size()));
    for (int r = 1; r <= int(lines_.size()); ++r) {
        const vouchers::LineRef &line = lines_.at(size_t(r - 1));
        rows->addRow({MSFlexGrid1()->textMatrix(r, Date), line.number, MSFlexGrid1()->textMatrix(r, Account),
                      line.debit.cents(), line.credit.cents()});
    }
    reports::printVoucherDetail(std::move(rows), companyName_, period_, this);
}
