#include "queries/voucherlines.h"

#include "accounts/accountsearch.h"
#include "platform/money.h"

namespace queries {

namespace {

// The statement so far and its values, built from fixed fragments only.
struct Statement {
    QString sql;
    QVariantList params;
    bool filtered = false;

    void where(const QString &condition, const QVariantList &values = {})
    {
        sql += filtered ? QStringLiteral(" and ") : QStringLiteral(" where ");
        sql += condition;
        params += values;
        filtered = true;
    }
};

Statement fromScope(const QString &select, const LineScope &scope)
{
    Statement s{select + (scope.isClosed ? QStringLiteral(" from pzkls") : QStringLiteral(" from pzk"))};
    if (scope.isClosed)
        s.where(QStringLiteral("kjqj = ?"), {scope.period});
    return s;
}

// A voucher number as the list shows it; blanks around it are forgiven.
std::optional<qint64> voucherNumber(const QString &text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 18)
        return std::nullopt;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return digits.toLongLong();
}

RecordsetPtr run(const Statement &s, QString *error) { return mdlStandard::runsql(s.sql, error, s.params); }

} // namespace

RecordsetPtr readVoucherLines(const LineScope &scope, const LineFilter &filter, QString *error)
{
    Statement s = fromScope(QStringLiteral("select *"), scope);
    // Within one voucher, lines keep the order in which they were written.
    QString order = QStringLiteral(" order by pz_no, rowid");
    switch (filter.kind) {
    case LineFilter::Kind::All:
        break;
    case LineFilter::Kind::Account:
        if (!filter.text.trimmed().isEmpty()) {
            const std::optional<accounts::AccountMatch> match = accounts::accountMatch(filter.text, error);
            if (!match)
                return nullptr;
            s.where(match->condition, match->params);
        }
        if (!scope.isClosed)
            order = QStringLiteral(" order by pz_no, rq, rowid");
        break;
    case LineFilter::Kind::Voucher: {
        if (filter.text == kAllVouchers)
            break;
        const std::optional<qint64> number = voucherNumber(filter.text);
        if (!number) {
            *error = QStringLiteral("【凭证编号】应是数字：“%1”不是凭证编号。").arg(filter.text);
            return nullptr;
        }
        s.where(QStringLiteral("pz_no = ?"), {*number});
        order = QStringLiteral(" order by rowid");
        break;
    }
    }
    s.sql += order;
    return run(s, error);
}

std::optional<QStringList> closedPeriods(QString *error)
{
    const RecordsetPtr rows =
        run({QStringLiteral("select distinct kjqj from pzkls where kjqj <> '' order by kjqj desc")}, error);
    if (!rows)
        return std::nullopt;
    QStringList periods;
    for (int r = 0; r < rows->recordCount(); ++r)
        periods << rows->storedValue(r, 0).toString();
    return periods;
}

std::optional<QList<qint64>> voucherNumbers(const LineScope &scope, QString *error)
{
    Statement s = fromScope(QStringLiteral("select distinct pz_no"), scope);
    s.where(QStringLiteral("pz_no is not null"));
    s.sql += QStringLiteral(" order by pz_no");
    const RecordsetPtr rows = run(s, error);
    if (!rows)
        return std::nullopt;
    QList<qint64> found;
    for (int r = 0; r < rows->recordCount(); ++r) {
        const auto number = numbers::wholeNumber(rows->storedValue(r, 0));
        if (!number) {
            *error = QStringLiteral("凭证编号“%1”不是数字，账簿数据有误！").arg(rows->storedValue(r, 0).toString());
            return std::nullopt;
        }
        found << *number;
    }
    return found;
}

} // namespace queries
