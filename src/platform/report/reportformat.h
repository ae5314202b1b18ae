#pragma once

// How a report turns one value into the text it prints.
//
// Money travels as exact integer cents and is read and printed through Money,
// so no binary fraction ever reaches a printed amount.

#include "platform/money.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

namespace platform::report {

// A numeric display pattern of the form used by the layouts: "#,##0.00",
// "0.00", "#,##0", "0". A comma in the integer part groups thousands, the
// zeros before the point give the least number of integer digits, the zeros
// after it the number of decimals.
struct NumberPattern {
    bool grouping = false;
    int minIntegerDigits = 1;
    int decimals = 0;

    // nullopt for anything outside that grammar.
    static std::optional<NumberPattern> parse(QStringView pattern);
};

// What a bound field or a sum holds and how it is shown.
struct ValueFormat {
    enum class Kind { Text, Number, Money };

    Kind kind = Kind::Text;
    NumberPattern pattern;

    // The value's own text form: strings unchanged, dates as yyyy-MM-dd.
    static ValueFormat text();
    // A plain number (integer or floating point) under a pattern.
    static ValueFormat number(QStringView pattern);
    // Integer cents printed as Money prints them: grouped "#,##0.00", as the reports
    // do, or plain "0.00".
    static ValueFormat money(QStringView pattern = u"#,##0.00");
};

// Formats |magnitude| / 10^scale with the sign given, rounding half away
// from zero when the pattern keeps fewer decimals than the scale. A value
// that rounds to zero carries no minus sign.
QString formatScaled(bool negative, quint64 magnitude, int scale, const NumberPattern &pattern);

// A whole number: 1234567 under "#,##0" gives "1,234,567".
QString formatWhole(qint64 value, const NumberPattern &pattern);

// Rounds on the value's 15-significant-digit decimal form, so 1.005 under
// "0.00" gives "1.01" rather than what its binary neighbour would give.
QString formatNumber(double value, const NumberPattern &pattern);

// An amount under a money pattern: "1,234.50" grouped, "1234.50" plain.
QString formatMoney(Money amount, const NumberPattern &pattern);

// The text a field prints for value under format. Null prints empty; a value
// that is not a number under a numeric format prints its own text.
QString formatValue(const QVariant &value, const ValueFormat &format);

// The text form of a date wherever a report shows one (fields, "%d").
QString formatDate(QDate date);

} // namespace platform::report
