#include "vouchers/voucherstore.h"

#include "db/bookheader.h"
#include "db/mdlstandard.h"

using mdlStandard::runsql;

namespace vouchers {

namespace {
QString storedAmount(const QVariant &cents)
{
    const Money amount = Money::fromField(cents).value_or(Money());
    return amount.isZero() ? QString() : amount.toString();
}
} // namespace

std::optional<VoucherDraft> saveVoucher(const VoucherDraft &draft, std::optional<SaveRefusal> *refusal, QString *error)
{
    refusal->reset();
    mdlStandard::Transaction work;
    if (!work.isActive()) {
        *error = QStringLiteral("凭证未保存：") + work.error();
        return std::nullopt;
    }
    // Read inside the transaction: a closing that ran while the window stayed open is
    // seen here, and none can run between this read and the writes.
    const auto period = mdlStandard::currentPeriodText(error);
    if (!period)
        return std::nullopt;
    *refusal = checkVoucher(draft, *period);
    if (*refusal)
        return std::nullopt;

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
    // Each line is read back as soon as it is written, so that the window shows what the
    // books hold, and a read that fails undoes the whole voucher like a failed write.
    const QString readBack = QStringLiteral("select rq, pz_no, km_no, km_zjf, km_name, jfje, dfje from pzk "
                                            "where rowid = last_insert_rowid()");
    const QString undone = QStringLiteral("凭证未能保存，已全部撤销：");
    VoucherDraft stored;
    for (int i = 0; i < int(draft.lines.size()); ++i) {
        const VoucherLine &line = draft.lines[size_t(i)];
        QString cause;
        const auto rs = runsql(insert, &cause,
                               {draft.date, number, *period, amountOf(line.debit).cents(),
                                amountOf(line.credit).cents(), line.code, line.initials, line.name});
        if (!rs) {
            *error = undone + cause;
            return std::nullopt;
        }
        if (rs->rowsAffected() == 0) {
            *refusal = notOneAccount(i + 1);
            return std::nullopt;
        }
        const auto row = runsql(readBack, &cause);
        if (!row || row->eof()) {
            *error = undone + (row ? QStringLiteral("刚写入的凭证分录无法读回") : cause);
            return std::nullopt;
        }
        stored.date = QDate::fromString(row->text(QStringLiteral("rq")), Qt::ISODate);
        stored.number = row->text(QStringLiteral("pz_no"));
        stored.lines.push_back({row->text(QStringLiteral("km_no")), row->text(QStringLiteral("km_zjf")),
                                row->text(QStringLiteral("km_name")), storedAmount(row->value(QStringLiteral("jfje"))),
                                storedAmount(row->value(QStringLiteral("dfje")))});
    }
    if (!work.commit()) {
        *error = undone + work.error();
        return std::nullopt;
    }
    return stored;
}

} // namespace vouchers
