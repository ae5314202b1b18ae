#include "vouchers/voucherstore.h"

#include "accounts/accountsearch.h"
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
    const auto period = books::currentPeriodText(error);
    if (!period)
        return false;
    *refusal = checkVoucher(draft, *period);
    if (*refusal)
        return false;

    const qint64 number = *voucherNumber(draft.number);
    // The account columns come from the chart row itself, so a line can never carry a
    // code, initials and name that do not belong together.
    const QString insert =
        QStringLiteral("insert into pzk (rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje) "
                       "select ?, ?, km_no, km_zjf, km_name, ?, ?, ? from kmdmk where km_no = ? limit 1");
    for (int i = 0; i < int(draft.lines.size()); ++i) {
        const VoucherLine &line = draft.lines[size_t(i)];
        QString status;
        const auto rs = runsql(insert, status,
                               {draft.date, number, *period, amountOf(line.debit).cents(),
                                amountOf(line.credit).cents(), line.code.trimmed()});
        if (!rs) {
            *error = QStringLiteral("凭证未能保存，已全部撤销：") + status;
            return false;
        }
        if (rs->rowsAffected() == 0) {
            *refusal = SaveRefusal{accounts::kNoAccountFound, false, false, i + 1, CodeColumn};
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
