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
                               *error, match->params);
}

} // namespace accounts
