#include "platform/money.h"

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
    return (negative ? QStringLiteral("-") : QString()) + whole + '.' + QChar('0' + int(fraction / 10))
           + QChar('0' + int(fraction % 10));
}
} // namespace

Money Money::fromField(const QVariant &value)
{
    bool ok = false;
    const qint64 cents = value.toLongLong(&ok);
    return Money(ok ? cents : 0);
}

std::optional<Money> Money::parse(QStringView text)
{
    if (!numbers::isPlainDecimal(text) || isTooLarge(text))
        return std::nullopt;
    const auto [negative, whole, fraction] = splitPlainDecimal(text);
    qint64 cents = 0;
    for (QChar c : whole)
        cents = cents * 10 + (c.unicode() - '0');
    for (int i = 0; i < 2; ++i)
        cents = cents * 10 + (i < fraction.size() ? fraction[i].unicode() - '0' : 0);
    // Half away from zero: the sign is applied after rounding the magnitude.
    if (fraction.size() > 2 && fraction[2].unicode() >= '5')
        ++cents;
    return Money(negative ? -cents : cents);
}

bool Money::isTooLarge(QStringView text)
{
    return numbers::isPlainDecimal(text) && splitPlainDecimal(text).whole.size() > kMaxWholeDigits;
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

} // namespace numbers
