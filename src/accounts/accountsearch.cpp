#include "accounts/accountsearch.h"

namespace accounts {

RecordsetPtr findAccounts(const QString &text, QString &status)
{
    const QString literal = mdlStandard::likeEscaped(text);
    return mdlStandard::runsql(QStringLiteral("select * from kmdmk where km_no like ? escape '\\' "
                                              "or km_zjf like ? escape '\\' or km_name like ? escape '\\' "
                                              "order by km_no"),
                               status, {literal + '%', '%' + literal + '%', '%' + literal + '%'});
}

} // namespace accounts
