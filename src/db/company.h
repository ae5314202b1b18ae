#pragma once
// The company record's name, which heads every printed page.

#include <QString>

#include <optional>

namespace books {

// dw_name of the one dwmc row. Nothing, with *error set, when the record cannot be read
// or is missing.
std::optional<QString> companyName(QString *error);

} // namespace books
