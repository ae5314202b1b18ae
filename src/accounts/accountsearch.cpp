#include "accounts/accountsearch.h"

namespace accounts {

AccountMatch accountMatch(const QString &text)
{
    const QString literal = mdlStandard::likeEscaped(text);
    return {QStringLiteral("(km_no like ? escape '\\' or km_zjf like ? escape '\\' or km_name like ? escape '\\')"),
            {literal + '%', '%' + literal + '%', '%' + literal + '%'}};
}

RecordsetPtr findAccounts(const QString &text, QString &status)
{
    const AccountMatch match = accountMatch(text);
    return mdlStandard::runsql(QStringLiteral("select * from kmdmk where ") + match.condition +
                                   QStringLiteral(" order by km_no"),
                               status, match.params);
}

} // namespace accounts
