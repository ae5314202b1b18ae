#include "platform/money.h"

#include <QtNumeric>

#include <cmath>
#include <limits>

namespace {
// The parts of a plain decimal: its sign, its whole digits without leading zeros, and
// the digits after the point.
struct DecimalParts {
    bool negative = false;
    QStringView whole;
    QStringView fraction;
};

DecimalParts splitPlainDecimal(QStringView text)
{
    DecimalParts parts;
    QStringView t = text.trimmed();
    if (t.front() == '+' || t.front() == '-') {
        parts.negative = t.front() == '-';
        t = t.mid(1);
    }
    const qsizetype point = t.indexOf('.');
    parts.whole = point < 0 ? t : t.left(point);
    parts.fraction = point < 0 ? QStringView() : t.mid(point + 1);
    while (parts.whole.size() > 1 && parts.whole.front() == '0')
        parts.whole = parts.whole.mid(1);
    return parts;
}

// The magnitude in cents, rounded half away from zero; exact for whole parts of up to
// 16 digits, more than any amount may have.
qint64 roundedCents(const DecimalParts &parts)
{
    qint64 cents = 0;
    for (QChar c : parts.whole)
        cents = cents * 10 + (c.unicode() - '0');
    for (int i = 0; i < 2; ++i)
        cents = cents * 10 + (i < parts.fraction.size() ? parts.fraction[i].unicode() - '0' : 0);
    if (parts.fraction.size() > 2 && parts.fraction[2].unicode() >= '5')
        ++cents;
    return cents;
}

// Cents of the smallest amount with one whole digit more than an amount may have.
constexpr qint64 kTooLargeCents = [] {
    qint64 cents = 100;
    for (int i = 0; i < Money::kMaxWholeDigits; ++i)
        cents *= 10;
    return cents;
}();

// Whether an amount's parts pass the whole digits it may have, as it will be stored:
// rounding 9999999999999.995 makes 10000000000000.00.
bool passesWholeDigits(const DecimalParts &parts)
{
    return parts.whole.size() > Money::kMaxWholeDigits || roundedCents(parts) >= kTooLargeCents;
}

QString withTwoDecimals(qint64 cents, bool grouped)
{
    const bool negative = cents < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(cents) : quint64(cents);
    QString whole = QString::number(magnitude / 100);
    if (grouped) {
        for (int i = int(whole.size()) - 3; i > 0; i -= 3)
            whole.insert(i, ',');
    }
    const quint64 fraction = magnitude % 100;
    return (negative ? QStringLiteral("-") : QString()) + whole + '.' + QChar('0' + int(fraction / 10)) +
           QChar('0' + int(fraction % 10));
}
} // namespace

std::optional<Money> Money::fromField(const QVariant &value)
{
    if (value.isNull() || (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty()))
        return Money();
    if (const auto cents = numbers::wholeNumber(value))
        return Money(*cents);
    return std::nullopt;
}

std::optional<Money> Money::checkedAdd(Money other) const
{
    qint64 sum = 0;
    if (qAddOverflow(cents_, other.cents_, &sum))
        return std::nullopt;
    return Money(sum);
}

std::optional<Money> Money::parse(QStringView text)
{
    if (!numbers::isPlainDecimal(text))
        return std::nullopt;
    const DecimalParts parts = splitPlainDecimal(text);
    if (passesWholeDigits(parts))
        return std::nullopt;
    // Half away from zero: the sign is applied after rounding the magnitude.
    const qint64 cents = roundedCents(parts);
    return Money(parts.negative ? -cents : cents);
}

bool Money::isTooLarge(QStringView text)
{
    return numbers::isPlainDecimal(text) && passesWholeDigits(splitPlainDecimal(text));
}

QString Money::whyNotAnAmount(QStringView text, const QString &field)
{
    if (isTooLarge(text))
        return field + QStringLiteral("数值过大，整数部分最多%1位，请重新输入！").arg(kMaxWholeDigits);
    return field + QStringLiteral("应输入数字，请重新输入！");
}

QString Money::toString() const { return withTwoDecimals(cents_, false); }

QString Money::toGroupedString() const { return withTwoDecimals(cents_, true); }

namespace numbers {

bool isPlainDecimal(QStringView text)
{
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    int digits = 0;
    int points = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.' && ++points == 1)
            continue;
        else
            return false;
    }
    return digits > 0;
}

std::optional<int> parsePlainInteger(QStringView text)
{
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (QChar c : text) {
        if (c.unicode() < '0' || c.unicode() > '9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

std::optional<qint64> wholeNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return value.toLongLong();
    case QMetaType::ULongLong:
    case QMetaType::ULong: {
        const quint64 u = value.toULongLong();
        if (u > quint64(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return qint64(u);
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        // Past 2^53 a double no longer holds every whole number: it may be a rounded
        // result, so it is no exact number.
        constexpr double kExact = 9007199254740992.0;
        if (std::isfinite(d) && std::trunc(d) == d && d >= -kExact && d <= kExact)
            return qint64(d);
        return std::nullopt;
    }
    case QMetaType::QString: {
        bool ok = false;
        const qint64 v = value.toString().trimmed().toLongLong(&ok);
        if (ok)
            return v;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace numbers
