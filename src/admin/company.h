#pragma once
// The company record: the one row of dwmc, whose name heads every report and the main
// window's caption.

#include <QString>

#include <optional>

namespace admin {

struct Company {
    QString representative; // frdb
    QString name;           // dw_name
    QString address;        // dw_address
    QString postcode;       // yzbm
    QString phone;          // lxdh
};

// Nothing when the row cannot be read or is missing; *error says so.
std::optional<Company> readCompany(QString *error);
// Writes the texts as given into the row.
bool saveCompany(const Company &company, QString *error);

} // namespace admin
