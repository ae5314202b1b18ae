#include "vouchers/vouchercheck.h"

#include "db/period.h"

namespace vouchers {

namespace {

SaveRefusal lineRefusal(int line, const QString &what, int column)
{
    SaveRefusal r;
    r.text = QStringLiteral("第") + QString::number(line) + what + QChar(13) +
             QStringLiteral("如该行不需要，您可以单击选择该记录，然后删除！");
    r.line = line;
    r.column = column;
    return r;
}

bool isBlank(const QString &text) { return text.trimmed().isEmpty(); }

// A cell that holds something other than an amount.
bool isBadAmount(const QString &text) { return !isBlank(text) && !Money::parse(text); }

// A number too large is told as such, anything else as no number.
SaveRefusal badAmount(int line, const QString &text, const QString &field, int column)
{
    const QString what = QStringLiteral("行 ") + field + ' ';
    return lineRefusal(
        line, Money::isTooLarge(text) ? Money::whyNotAnAmount(text, what) : what + QStringLiteral("应输入数字！"),
        column);
}

std::optional<SaveRefusal> checkLine(const VoucherLine &line, int i)
{
    if (isBlank(line.code))
        return lineRefusal(i, QStringLiteral("行 【科目编号】 不能为空！"), CodeColumn);
    if (isBlank(line.name))
        return lineRefusal(i, QStringLiteral("行 【会计科目名称】 不能为空！"), -1);
    if (isBadAmount(line.debit))
        return badAmount(i, line.debit, QStringLiteral("【借方金额】"), DebitColumn);
    if (isBadAmount(line.credit))
        return badAmount(i, line.credit, QStringLiteral("【贷方金额】"), CreditColumn);
    if (amountOf(line.debit).isZero() && amountOf(line.credit).isZero())
        return zeroLineRefusal(i);
    return std::nullopt;
}

} // namespace

SaveRefusal zeroLineRefusal(int line)
{
    return lineRefusal(line, QStringLiteral("行 【借方金额】与 【贷方金额】不能同时为零！"), DebitColumn);
}

std::optional<SaveRefusal> checkVoucher(const VoucherDraft &draft, const QString &periodText)
{
    // A voucher without lines has nothing entered either.
    if (draft.lines.empty() || (draft.lines.size() == 1 && draft.lines.front().code.isEmpty()))
        return SaveRefusal{QStringLiteral("您还没有输入单据内容，请核实后再进行保存操作！")};

    const bool inPeriod = draft.date.isValid() && Period{draft.date.year(), draft.date.month()}.text() == periodText;
    if (!inPeriod) {
        SaveRefusal r{QStringLiteral("当前会计期间为：") + periodText + QStringLiteral("，请选择输入正确的日期！")};
        r.notice = true;
        return r;
    }

    if (draft.number.isEmpty() || !voucherNumber(draft.number)) {
        SaveRefusal r{draft.number.isEmpty() ? QStringLiteral("【凭证编号】不能为空，请重新输入！")
                                             : whyNotAVoucherNumber(draft.number, QStringLiteral("【凭证编号】"))};
        r.clearNumber = true;
        return r;
    }

    for (int i = 0; i < int(draft.lines.size()); ++i) {
        if (auto refusal = checkLine(draft.lines[size_t(i)], i + 1))
            return refusal;
    }
    return std::nullopt;
}

SaveRefusal notOneAccount(int line)
{
    return lineRefusal(line,
                       QStringLiteral("行 【科目编号】、【拼音简码】与【会计科目名称】不是会计科目中的同一科目，"
                                      "请在该行【科目检索】栏按回车键重新检索会计科目！"),
                       CodeColumn);
}

} // namespace vouchers
