#include "vouchers/accountlookup.h"

#include "accounts/accountsearch.h"

namespace vouchers {

std::optional<std::vector<Account>> lookupAccounts(const QString &searchText, QString *error)
{
    QString status;
    const auto rs = accounts::findAccounts(searchText, &status);
    if (!rs) {
        *error = QStringLiteral("读取会计科目失败：") + status;
        return std::nullopt;
    }
    std::vector<Account> found;
    found.reserve(size_t(rs->recordCount()));
    for (; !rs->eof(); rs->moveNext()) {
        found.push_back({rs->text(QStringLiteral("km_no")), rs->text(QStringLiteral("km_zjf")),
                         rs->text(QStringLiteral("km_name"))});
    }
    return found;
}

} // namespace vouchers
