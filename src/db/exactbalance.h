#pragma once
// The closing balance of an opening amount with its debits and credits, as the books'
// statements compute it: balance(opening, debit, credit). The engine's own + and - turn
// a result or an intermediate past 64-bit integers into floating point and silently
// lose cents; this one is exact whenever the balance itself fits in integer cents, and
// otherwise fails the statement the way sum() does ("integer overflow"), which the user
// is told as a total too large.

namespace platform {
class SqlConnection;
}

namespace mdlStandard {

// Makes balance() known to the connection. False when the engine refuses, with the
// connection's lastFailure() saying why.
bool addBalanceFunction(platform::SqlConnection &conn);

} // namespace mdlStandard
