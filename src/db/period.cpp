#include "db/period.h"

#include "platform/money.h"

std::optional<Period> Period::parse(QStringView kjqj)
{
    if (kjqj.size() != 8 || kjqj[4] != QChar(u'年') || kjqj[7] != QChar(u'月'))
        return std::nullopt;
    const auto year = numbers::parsePlainInteger(kjqj.left(4));
    const auto month = numbers::parsePlainInteger(kjqj.mid(5, 2));
    if (!year || !month || *month < 1 || *month > 12)
        return std::nullopt;
    return Period{*year, *month};
}

QString Period::text() const
{
    return QStringLiteral("%1年%2月").arg(year, 4, 10, QChar('0')).arg(month, 2, 10, QChar('0'));
}

QString Period::yearText() const { return bareYearText() + QStringLiteral("年"); }

QString Period::bareYearText() const { return QStringLiteral("%1").arg(year, 4, 10, QChar('0')); }

Period Period::next() const { return month == 12 ? Period{year + 1, 1} : Period{year, month + 1}; }
