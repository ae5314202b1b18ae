#pragma once
// The two one-row records that head every list window and every printed page: the
// company name and the current accounting period.

#include <QString>

#include <optional>

namespace mdlStandard {

// dw_name of the one dwmc row. Nothing, with *error set, when the record cannot be read
// or is missing.
std::optional<QString> companyName(QString *error);

// kjqj of the one dqkjqj row ("" before the first period is set). Nothing, with *error
// set, when the row cannot be read or is missing.
std::optional<QString> currentPeriodText(QString *error);

} // namespace mdlStandard
