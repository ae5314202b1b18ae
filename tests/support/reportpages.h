#pragma once
// Reading a laid-out report page the way a reader of the printout would: by control, and
// runs of numbered controls (a header's labels, a footer's sums, the page numbers).

#include "platform/report/reportlayout.h"

#include <QString>
#include <QStringList>

namespace testsupport {

// Every text the named control printed on the page, top to bottom.
inline QStringList texts(const platform::report::ReportPage &page, const QString &control)
{
    QStringList out;
    for (const platform::report::PageItem *item : page.findAll(control))
        out << item->text;
    return out;
}

// The text of the named control's first appearance on the page.
inline QString text(const platform::report::ReportPage &page, const QString &control)
{
    const platform::report::PageItem *item = page.find(control);
    return item ? item->text : QStringLiteral("<no %1>").arg(control);
}

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
