#include "db/exactbalance.h"

#include "platform/sqlconnection.h"

#include <sqlite3.h>

#include <QtGlobal>

#include <limits>

namespace mdlStandard {

namespace {
void balance(sqlite3_context *context, int, sqlite3_value **operands)
{
    // Wide enough that opening + debit - credit never overflows on the way.
    __int128 result = 0;
    for (int i = 0; i < 3; ++i) {
        switch (sqlite3_value_type(operands[i])) {
        case SQLITE_NULL:
            sqlite3_result_null(context);
            return;
        case SQLITE_INTEGER:
            result += (i == 2 ? -1 : 1) * __int128(sqlite3_value_int64(operands[i]));
            break;
        default: // an amount column holds integer cents; anything else is no amount
            sqlite3_result_error(context, "balance of a value that is not whole cents", -1);
            return;
        }
    }
    if (result < std::numeric_limits<qint64>::min() || result > std::numeric_limits<qint64>::max()) {
        sqlite3_result_error(context, "integer overflow", -1);
        return;
    }
    sqlite3_result_int64(context, sqlite3_int64(result));
}
} // namespace

bool addBalanceFunction(platform::SqlConnection &conn)
{
    const int rc = sqlite3_create_function_v2(conn.handle(), "balance", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                              &balance, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        conn.failed(rc);
    return rc == SQLITE_OK;
}

} // namespace mdlStandard
