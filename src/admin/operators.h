#pragma once
// The operators: who may log in, with what password. Listed, searched, looked up by
// number (letter case ignored), added, changed and deleted.

#include "db/mdlstandard.h"

#include <QString>

#include <optional>

namespace admin {

// The administrator's account, which is never deleted, and the password a new
// operator starts with.
inline const QString kAdministrator = QStringLiteral("759");
inline const QString kDefaultPassword = QStringLiteral("40617");

struct Operator {
    QString number;
    QString name;
    std::optional<QString> phone; // nothing: stored as Null
    QString password;
};

// Whether the books can be opened and their operators read: without them nobody can
// log in. False with *error the books' reason.
bool operatorsReadable(QString *error);

// Every operator, by number; or those whose number begins with the text or whose name
// contains it, as typed. nullptr when they cannot be read: *error is the books' reason.
RecordsetPtr listOperators(QString *error);
RecordsetPtr searchOperators(const QString &typed, QString *error);

// The row of the operator with the number, as stored. nullptr when it cannot be read.
RecordsetPtr readOperator(const QString &number, QString *error);

// The operator with the number exactly as given, blanks included: *found stays empty
// when there is none. False when the operators cannot be read.
bool findOperator(const QString &number, std::optional<Operator> *found, QString *error);
std::optional<bool> numberTaken(const QString &number, QString *error);

bool addOperator(const Operator &added, QString *error);
// Writes name and phone of the operator with the number.
bool changeOperator(const QString &number, const QString &name, const QString &phone, QString *error);
bool setPassword(const QString &number, const QString &password, QString *error);
bool deleteOperator(const QString &number, QString *error);

} // namespace admin
