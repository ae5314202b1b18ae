#pragma once
// The accounting period text "YYYY年MM月": always eight characters, so periods compare
// and sort as texts. It is made, read and advanced only here.

#include <QString>
#include <QStringView>

#include <optional>

struct Period {
    int year = 0;
    int month = 0;

    // Reads a period text; nothing for a text not of the fixed form.
    static std::optional<Period> parse(QStringView kjqj);

    QString text() const;         // "2004年05月"
    QString yearText() const;     // "2004年", as the first period stores its year
    QString bareYearText() const; // "2004", as a closing stores the new year
    Period next() const;          // December is followed by January of the next year

    bool operator==(const Period &) const = default;
};
