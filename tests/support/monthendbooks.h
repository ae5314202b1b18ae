#pragma once
// Books for month-end tests: a current month of March 2026, opening balances and voucher
// lines of accounts whose initials and name follow from their code, and a snapshot of
// every month-end table to prove that nothing changed.

#include "testsupport.h"

#include <QString>
#include <QStringList>

namespace testsupport {

inline const QString kMarch = QStringLiteral("2026年03月");
inline const QString kApril = QStringLiteral("2026年04月");

void startMonth(TestDb &db);
void addOpening(TestDb &db, const QString &code, qint64 cents, const QString &period = kMarch);
void addLine(TestDb &db, int voucher, const QString &code, qint64 debit, qint64 credit, const QString &period = kMarch);
// Every row of the month-end tables as text; pzktemp, the gate's scratch table, only
// when asked.
QStringList snapshot(TestDb &db, bool withScratch = true);

} // namespace testsupport
