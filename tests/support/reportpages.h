#pragma once
// Reading a laid-out report page the way a reader of the printout would: by control.

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

} // namespace testsupport
