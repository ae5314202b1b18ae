#pragma once
// The current period's voucher lines as the query-and-edit window lists, corrects and
// deletes them. A line is found again by its row identity, and only while it still
// holds what the list showed: a line that another window changed or deleted since is
// reported, never overwritten, and of two identical lines exactly the one meant goes.

#include "db/mdlstandard.h"
#include "platform/money.h"

#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace vouchers {

// A listed line: its identity and what was read of it.
struct LineRef {
    qint64 id = 0;
    QVariant number;
    Money debit;
    Money credit;
};

// Every line of pzk, by voucher number and, within a voucher, in the order entered.
// Fields: line_id (the identity), rq, pz_no, km_name, jfje, dfje (cents), bz.
// nullptr, with *error set, when the lines cannot be read.
RecordsetPtr readPeriodLines(QString *error);

// The listed line as it is stored now, with the fields of readPeriodLines. nullptr, with
// *error set, when it cannot be read.
RecordsetPtr readLine(const LineRef &line, QString *error);

// The identities of a listing, in its order, without moving its cursor. Nothing, with
// *error set, when a line's amount cannot be read as one: such a line could be matched
// again only under an amount it does not hold.
std::optional<std::vector<LineRef>> lineRefsOf(const platform::Recordset &lines, QString *error);

// Writes new amounts into the line; on success the reference holds them, so the line
// can be corrected again.
bool changeLineAmounts(LineRef &line, Money debit, Money credit, QString *error);

// Deletes exactly that line.
bool deleteLine(const LineRef &line, QString *error);

} // namespace vouchers
