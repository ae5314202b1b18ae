#include "accounts/accountsearch.h"

namespace accounts {

namespace {
// The longest LIKE pattern the database engine takes, in UTF-8 bytes (its built-in
// bound); a longer one fails inside the engine with a message in English.
constexpr qsizetype kLongestPattern = 50000;
} // namespace

RecordsetPtr findAccounts(const QString &text, QString &status)
{
    const QString literal = mdlStandard::likeEscaped(text);
    if (literal.toUtf8().size() + 2 > kLongestPattern) {
        status = QStringLiteral("检索内容过长，请缩短后重新输入！");
        return nullptr;
    }
    return mdlStandard::runsql(QStringLiteral("select * from kmdmk where km_no like ? escape '\\' "
                                              "or km_zjf like ? escape '\\' or km_name like ? escape '\\' "
                                              "order by km_no"),
                               status, {literal + '%', '%' + literal + '%', '%' + literal + '%'});
}

} // namespace accounts
