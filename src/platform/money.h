#pragma once
// Exact money: an amount is a whole number of cents, so sums, balances and comparisons
// never meet binary floating point.

#include <QString>
#include <QStringView>
#include <QVariant>

#include <compare>
#include <optional>

class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromCents(qint64 cents) { return Money(cents); }
    // The amount a stored field holds: integer cents, read by numbers::wholeNumber. An
    // amount column is never Null, so Null or a blank text reads as 0; anything else
    // (a word, a fraction of a cent) is no amount and gives nothing.
    static std::optional<Money> fromField(const QVariant &value);
    // A typed amount: a plain signed decimal (see isPlainDecimal), rounded half away from
    // zero to the cent. Anything else is not an amount.
    static std::optional<Money> parse(QStringView text);
    static std::optional<Money> parse(const QString &text) { return parse(QStringView(text)); }
    // The whole digits an amount may have, once rounded to the cent: far beyond any book.
    // qint64 cents hold about 9,200 such amounts at most, so a total of many large
    // amounts can pass what they hold: sums go through checkedAdd, and the statements'
    // sum() and balance() fail rather than wrap or turn to floating point; each is told
    // as a total too large.
    static constexpr int kMaxWholeDigits = 13;
    // A plain signed decimal refused only for having more whole digits than that as it
    // would be stored ("9999999999999.995" rounds to 10000000000000.00).
    static bool isTooLarge(QStringView text);
    // Why a text that parse refused is no amount, told for the field so named
    // ("【期初余额】"): too large, or not a number.
    static QString whyNotAnAmount(QStringView text, const QString &field);

    constexpr qint64 cents() const { return cents_; }
    constexpr bool isZero() const { return cents_ == 0; }

    // "1234.50", "-0.05", "0.00": the two-decimal form the grids show.
    QString toString() const;
    // "1,234.50": the grouped form the reports print.
    QString toGroupedString() const;

    // The sum, or nothing where it would pass what integer cents hold: a total is
    // reported as too large, never wrapped round to a wrong amount.
    std::optional<Money> checkedAdd(Money other) const;

    constexpr Money operator+(Money other) const { return Money(cents_ + other.cents_); }
    constexpr Money operator-(Money other) const { return Money(cents_ - other.cents_); }
    constexpr Money operator-() const { return Money(-cents_); }
    Money &operator+=(Money other)
    {
        cents_ += other.cents_;
        return *this;
    }
    Money &operator-=(Money other)
    {
        cents_ -= other.cents_;
        return *this;
    }
    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(qint64 cents) : cents_(cents) {}
    qint64 cents_ = 0;
};

namespace numbers {
// A plain signed decimal: optional blanks around it, one optional sign, digits with at
// most one decimal point and at least one digit. "1,000", "2E3", "1.2.3", "" are not.
bool isPlainDecimal(QStringView text);
// Plain digits only (no sign, point or blanks inside), as years, months and counts are typed.
// Returns nothing for anything else, or for a value beyond int.
std::optional<int> parsePlainInteger(QStringView text);
// A stored whole number: an integer type, a double without fraction within 2^53 (where
// doubles are still exact), or a text of an optionally signed integer, each within
// qint64. Nothing for anything else, Null included.
std::optional<qint64> wholeNumber(const QVariant &value);
} // namespace numbers
