#pragma once
// The general-ledger opening balances entered by hand. They are the zzqcye rows whose
// document number is "CSH", the entry day as YYYYMMDD and a four-digit sequence within
// that day; a period closing carries balances forward in rows without one. An account
// has at most one, kept so by the checks of whoever adds one.

#include "db/mdlstandard.h"
#include "platform/money.h"

#include <QDate>
#include <QString>

#include <optional>

namespace accounts {

// The number after the highest of the entry day. Nothing, with *error holding the
// message for the user, when the day's sequence is used up (past 9999) or the look-up
// failed: a number is never given twice while its row exists.
std::optional<QString> nextOpeningDocumentNumber(const QDate &entryDay, QString *error);

// Every opening balance entered by hand, by account code. nullptr when they cannot be
// read: *error is the books' reason.
RecordsetPtr listOpeningBalances(QString *error);

// The opening balance of the account code entered by hand, as stored. nullptr when it
// cannot be read.
RecordsetPtr readOpeningBalance(const QString &code, QString *error);

// Whether the account code (letter case ignored) has an opening balance entered by hand.
std::optional<bool> hasOpeningBalance(const QString &code, QString *error);

// One opening balance as entered: the account as the chart holds it, the amount, and
// the document number, entry day and period it is entered under.
struct OpeningBalance {
    QString code;
    QString initials;
    QString name;
    Money amount;
    QString documentNumber;
    QDate entryDay;
    QString yearText;
    QString periodText;
};
bool addOpeningBalance(const OpeningBalance &added, QString *error);
// Corrects the amount of the account's opening balance.
bool changeOpeningBalance(const QString &code, const Money &amount, QString *error);
bool deleteOpeningBalance(const QString &code, QString *error);

// The refusal of any write once data initialisation has ended.
inline const QString kOpeningBalancesReadOnly =
    QStringLiteral("数据初始化已经结束，总帐期初余额只能查询，不能添加修改！");

// Whether opening balances may still be written, read afresh for each write: a window
// opened before initialisation ended must not write after it. False, with *error the
// message for the user, once it has ended or when that cannot be read.
bool openingBalancesWritable(QString *error);

} // namespace accounts
