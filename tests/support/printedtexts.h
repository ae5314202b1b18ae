#pragma once
// Reading runs of numbered controls off a laid-out page: a header's labels, a footer's
// sums, the page numbers.

#include "reportpages.h"

namespace testsupport {

// The texts of controls <prefix><first> to <prefix><last>, in that order.
inline QStringList numbered(const platform::report::ReportPage &page, const QString &prefix, int first, int last)
{
    QStringList out;
    for (int i = first; i <= last; ++i)
        out << text(page, prefix + QString::number(i));
    return out;
}

// "第n页，共N页" as the page footer's five labels print it.
inline QString footer(const platform::report::ReportPage &page)
{
    return numbered(page, QStringLiteral("Label"), 31, 35).join(QString());
}

} // namespace testsupport
