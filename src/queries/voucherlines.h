#pragma once
// Reading voucher lines for the detail queries: the current period's lines or those of
// one closed period, all of them, those of an account search, or those of one voucher
// number; and the lists the query windows choose from (closed periods, voucher numbers).

#include "db/mdlstandard.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace queries {

// Where the lines come from: the current period's lines, or the stored lines of one
// closed period.
struct LineScope {
    static LineScope current() { return {}; }
    static LineScope closed(const QString &period) { return {true, period}; }

    bool isClosed = false;
    QString period; // the closed period's text, "YYYY年MM月"
};

// The entry of the voucher-number list that stands for every voucher.
inline const QString kAllVouchers = QStringLiteral("全部");

// Which of the scope's lines.
struct LineFilter {
    enum class Kind { All, Account, Voucher };

    static LineFilter all() { return {}; }
    // The account search rule (accounts/accountsearch.h); a text of blanks lists all.
    static LineFilter account(const QString &searchText) { return {Kind::Account, searchText}; }
    // A voucher number as the list shows it, or kAllVouchers.
    static LineFilter voucher(const QString &numberText) { return {Kind::Voucher, numberText}; }

    Kind kind = Kind::All;
    QString text;
};

// The lines, read whole. All lines come by voucher number, a voucher's own lines in the
// order they were entered; the current period's account search orders by voucher number
// and then date; one voucher's lines come in the order they were entered. Every typed
// text is bound, never part of the statement. nullptr when the lines cannot be read or
// the voucher number is not a number; *error then says why.
RecordsetPtr readVoucherLines(const LineScope &scope, const LineFilter &filter, QString *error);

// The periods that have stored lines, newest first.
std::optional<QStringList> closedPeriods(QString *error);

// The distinct voucher numbers of the scope, ascending. Nothing, with *error set, when
// they cannot be read or one of them is no whole number.
std::optional<QList<qint64>> voucherNumbers(const LineScope &scope, QString *error);

} // namespace queries
