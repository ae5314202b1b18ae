#include "vouchers/periodlines.h"

#include "db/records.h"

using mdlStandard::runsql;

namespace vouchers {

namespace {

// Matches the line only while it still holds what was listed.
const QString kSameLine = QStringLiteral(" where rowid = ? and pz_no is ? and jfje = ? and dfje = ?");

// One statement over the listed line: true when it touched exactly that line.
bool runOnLine(const QString &statement, QVariantList params, const LineRef &line, QString *error)
{
    params << line.id << line.number << line.debit.cents() << line.credit.cents();
    QString cause;
    const auto rs = runsql(statement + kSameLine, &cause, params);
    if (!rs) {
        *error = QStringLiteral("凭证分录未能写入：") + cause;
        return false;
    }
    if (rs->rowsAffected() != 1) {
        *error = QStringLiteral("该凭证分录已在别处被修改或删除，请关闭本窗口后重新打开！");
        return false;
    }
    return true;
}

// The fields a listed line is read with.
const QString kLineFields = QStringLiteral("select rowid as line_id, rq, pz_no, km_name, jfje, dfje, bz from pzk");
const QString kUnreadable = QStringLiteral("读取会计凭证失败：");

} // namespace

RecordsetPtr readPeriodLines(QString *error)
{
    return records::read(kLineFields + QStringLiteral(" order by pz_no, rowid"), {}, kUnreadable, error);
}

RecordsetPtr readLine(const LineRef &line, QString *error)
{
    return records::read(kLineFields + QStringLiteral(" where rowid = ?"), {line.id}, kUnreadable, error);
}

std::optional<std::vector<LineRef>> lineRefsOf(const platform::Recordset &lines, QString *error)
{
    const int id = lines.fieldIndex(QStringLiteral("line_id"));
    const int number = lines.fieldIndex(QStringLiteral("pz_no"));
    const int debit = lines.fieldIndex(QStringLiteral("jfje"));
    const int credit = lines.fieldIndex(QStringLiteral("dfje"));
    std::vector<LineRef> refs;
    refs.reserve(size_t(lines.recordCount()));
    for (int row = 0; row < lines.recordCount(); ++row) {
        const auto debitAmount = Money::fromField(lines.storedValue(row, debit));
        const auto creditAmount = Money::fromField(lines.storedValue(row, credit));
        if (!debitAmount || !creditAmount) {
            *error = QStringLiteral("第%1条凭证分录的金额无法读取，账簿数据有误！").arg(row + 1);
            return std::nullopt;
        }
        refs.push_back(
            {lines.storedValue(row, id).toLongLong(), lines.storedValue(row, number), *debitAmount, *creditAmount});
    }
    return refs;
}

bool changeLineAmounts(LineRef &line, Money debit, Money credit, QString *error)
{
    if (!runOnLine(QStringLiteral("update pzk set jfje = ?, dfje = ?"), {debit.cents(), credit.cents()}, line, error))
        return false;
    line.debit = debit;
    line.credit = credit;
    return true;
}

bool deleteLine(const LineRef &line, QString *error)
{
    return runOnLine(QStringLiteral("delete from pzk"), {}, line, error);
}

} // namespace vouchers
