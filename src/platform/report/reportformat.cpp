#include "platform/report/reportformat.h"

#include <QDateTime>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace platform::report {

namespace {

quint64 powerOfTen(int exponent)
{
    quint64 result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10;
    return result;
}

quint64 magnitudeOf(qint64 value)
{
    // Written this way so that the most negative value has a magnitude too.
    return value < 0 ? quint64(-(value + 1)) + 1 : quint64(value);
}

bool isIntegerType(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool isFloatType(int typeId) { return typeId == QMetaType::Double || typeId == QMetaType::Float; }

QString groupThousands(const QString &digits)
{
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits.at(i);
    }
    return out;
}

QString plainText(const QVariant &value)
{
    const int type = value.typeId();
    if (type == QMetaType::QDate)
        return formatDate(value.toDate());
    if (type == QMetaType::QDateTime) {
        const QDateTime stamp = value.toDateTime();
        if (stamp.time() == QTime(0, 0))
            return formatDate(stamp.date());
        return formatDate(stamp.date()) + QLatin1Char(' ') + stamp.time().toString(u"HH:mm:ss");
    }
    if (isFloatType(type))
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

QString formatInteger(const QVariant &value, const NumberPattern &pattern)
{
    if (value.typeId() == QMetaType::ULongLong || value.typeId() == QMetaType::ULong)
        return formatScaled(false, value.toULongLong(), 0, pattern);
    return formatWhole(value.toLongLong(), pattern);
}

} // namespace

std::optional<NumberPattern> NumberPattern::parse(QStringView text)
{
    NumberPattern result;
    result.minIntegerDigits = 0;
    qsizetype i = 0;
    bool seenZero = false;
    for (; i < text.size() && text[i] != u'.'; ++i) {
        const QChar c = text[i];
        if (c == u',')
            result.grouping = true;
        else if (c == u'#' && !seenZero)
            continue;
        else if (c == u'0') {
            seenZero = true;
            ++result.minIntegerDigits;
        } else
            return std::nullopt;
    }
    if (i < text.size()) {
        ++i; // the point
        if (i == text.size())
            return std::nullopt;
        for (; i < text.size(); ++i) {
            if (text[i] != u'0')
                return std::nullopt;
            ++result.decimals;
        }
    }
    if (result.minIntegerDigits == 0 && result.decimals == 0 && !text.contains(u'#'))
        return std::nullopt;
    return result;
}

ValueFormat ValueFormat::text() { return {}; }

ValueFormat ValueFormat::number(QStringView pattern)
{
    const auto parsed = NumberPattern::parse(pattern);
    Q_ASSERT_X(parsed, "ValueFormat::number", "unsupported number pattern");
    return {Kind::Number, parsed.value_or(NumberPattern{})};
}

ValueFormat ValueFormat::money(QStringView pattern)
{
    const auto parsed = NumberPattern::parse(pattern);
    Q_ASSERT_X(parsed && parsed->decimals == 2 && parsed->minIntegerDigits == 1, "ValueFormat::money",
               "money prints as \"#,##0.00\" or \"0.00\"");
    return {Kind::Money, parsed.value_or(NumberPattern{true, 1, 2})};
}

QString formatScaled(bool negative, quint64 magnitude, int scale, const NumberPattern &pattern)
{
    if (pattern.decimals < scale) {
        const int drop = scale - pattern.decimals;
        if (drop >= 20) {
            magnitude = 0; // far below half a unit of the last kept decimal
        } else {
            const quint64 unit = powerOfTen(drop);
            const quint64 rest = magnitude % unit;
            magnitude /= unit;
            if (rest >= unit - rest)
                ++magnitude; // half away from zero
        }
        scale = pattern.decimals;
    }

    QString digits = QString::number(magnitude);
    if (digits.size() <= scale)
        digits.prepend(QString(scale - digits.size() + 1, QLatin1Char('0')));
    QString integerPart = digits.left(digits.size() - scale);
    QString fraction = digits.right(scale);
    fraction += QString(pattern.decimals - scale, QLatin1Char('0'));

    // Leading zeros beyond what the pattern asks for go, as do all of them
    // under a pattern such as "#.00".
    qsizetype firstSignificant = 0;
    while (firstSignificant < integerPart.size() && integerPart.at(firstSignificant) == u'0')
        ++firstSignificant;
    integerPart = integerPart.mid(firstSignificant);
    if (integerPart.size() < pattern.minIntegerDigits)
        integerPart.prepend(QString(pattern.minIntegerDigits - integerPart.size(), QLatin1Char('0')));
    if (pattern.grouping)
        integerPart = groupThousands(integerPart);

    QString out;
    if (negative && magnitude != 0)
        out += QLatin1Char('-');
    out += integerPart;
    if (pattern.decimals > 0)
        out += QLatin1Char('.') + fraction;
    return out;
}

QString formatWhole(qint64 value, const NumberPattern &pattern)
{
    return formatScaled(value < 0, magnitudeOf(value), 0, pattern);
}

QString formatNumber(double value, const NumberPattern &pattern)
{
    if (!std::isfinite(value))
        return QString::number(value);
    // d.dddddddddddddde±x: fifteen significant digits, the precision that a
    // double holds reliably; rounding starts from this decimal form.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    quint64 mantissa = 0;
    const char *p = buffer;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            mantissa = mantissa * 10 + quint64(*p - '0');
    }
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    const int scale = 14 - exponent;
    if (scale < 0) {
        if (-scale > 4) // beyond what a quint64 holds with fifteen digits
            return QString::number(value, 'f', pattern.decimals);
        return formatScaled(value < 0, mantissa * powerOfTen(-scale), 0, pattern);
    }
    return formatScaled(value < 0, mantissa, scale, pattern);
}

QString formatValue(const QVariant &value, const ValueFormat &format)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (format.kind) {
    case ValueFormat::Kind::Text:
        return plainText(value);
    case ValueFormat::Kind::Money:
        if (const auto amount = Money::fromField(value))
            return formatMoney(*amount, format.pattern);
        return plainText(value);
    case ValueFormat::Kind::Number: {
        const int type = value.typeId();
        if (isIntegerType(type))
            return formatInteger(value, format.pattern);
        if (isFloatType(type))
            return formatNumber(value.toDouble(), format.pattern);
        if (type == QMetaType::QString) {
            bool ok = false;
            const double d = value.toString().trimmed().toDouble(&ok);
            if (ok)
                return formatNumber(d, format.pattern);
        }
        return plainText(value);
    }
    }
    return plainText(value);
}

QString formatMoney(Money amount, const NumberPattern &pattern)
{
    return pattern.grouping ? amount.toGroupedString() : amount.toString();
}

QString formatDate(QDate date) { return date.isValid() ? date.toString(u"yyyy-MM-dd") : QString(); }

} // namespace platform::report
