#include "accounts/accountsearch.h"

namespace accounts {

namespace {
// The longest LIKE pattern the database engine takes, in UTF-8 bytes (its built-in
// bound); a longer one fails inside the engine with a message in English.
constexpr qsizetype kLongestPattern = 50000;
} // namespace

std::optional<AccountMatch> accountMatch(const QString &text, QString *error)
{
    const QString literal = mdlStandard::likeEscaped(text);
    if (literal.toUtf8().size() + 2 > kLongestPattern) {
        *error = QStringLiteral("检索内容过长，请缩短后重新输入！");
        return std::nullopt;
    }
    return AccountMatch{
        QStringLiteral("(km_no like ? escape '\\' or km_zjf like ? escape '\\' or km_name like ? escape '\\')"),
        {literal + '%', '%' + literal + '%', '%' + literal + '%'}};
}

RecordsetPtr findAccounts(const QString &text, QString *error)
{
    const std::optional<AccountMatch> match = accountMatch(text, error);
    if (!match)
        return nullptr;
    return mdlStandard::runsql(QStringLiteral("select * from kmdmk where ") + match->condition +
                                   QStringLiteral(" order by km_no"),
                               error, match->params);
}

std::optional<std::vector<Account>> lookupAccounts(const QString &text, QString *error)
{
    QString reason;
    const auto rs = findAccounts(text, &reason);
    if (!rs) {
        *error = QStringLiteral("读取会计科目失败：") + reason;
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

} // namespace accounts
