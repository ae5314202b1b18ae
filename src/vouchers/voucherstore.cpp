#include "vouchers/voucherstore.h"

#include "db/bookheader.h"
#include "db/mdlstandard.h"

using mdlStandard::runsql;

namespace vouchers {

bool saveVoucher(const VoucherDraft &draft, std::optional<SaveRefusal> *refusal, QString *error)
{
    refusal->reset();
    mdlStandard::Transaction work;
    if (!work.isActive()) {
        *error = QStringLiteral("凭证未保存：") + work.error();
        return false;
    }
    // Read inside the transaction: a closing that ran while the window stayed open is
    // seen here, and none can run between this read and the writes.
    const auto period = mdlStandard::currentPeriodText(error);
    if (!period)
        return false;
    *refusal = checkVoucher(draft, *period);
    if (*refusal)
        return false;

    const qint64 number = *voucherNumber(draft.number);
    // A line is stored only when its code, initials and name are, character for
    // character, those of one account of the chart, as the lookup wrote them: a code
    // typed over afterwards, which the names beside it no longer belong to, never reaches
    // the books under an account other than the one shown. Compared exactly (not as
    // text equality elsewhere, ignoring case), so the stored row is what the screen shows.
    const QString insert = QStringLiteral("insert into pzk (rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje) "
                                          "select ?, ?, km_no, km_zjf, km_name, ?, ?, ? from kmdmk "
                                          "where km_no = ? collate binary and km_zjf = ? collate binary "
                                          "and km_name = ? collate binary limit 1");
    for (int i = 0; i < int(draft.lines.size()); ++i) {
        const VoucherLine &line = draft.lines[size_t(i)];
        QString cause;
        const auto rs = runsql(insert, &cause,
                               {draft.date, number, *period, amountOf(line.debit).cents(),
                                amountOf(line.credit).cents(), line.code, line.initials, line.name});
        if (!rs) {
            *error = QStringLiteral("凭证未能保存，已全部撤销：") + cause;
            return false;
        }
        if (rs->rowsAffected() == 0) {
            *refusal = notOneAccount(i + 1);
            return false;
        }
    }
    if (!work.commit()) {
        *error = QStringLiteral("凭证未能保存，已全部撤销：") + work.error();
        return false;
    }
    return true;
}

} // namespace vouchers
