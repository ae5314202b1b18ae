#pragma once

// The font a report control asks for, by the face names the layouts use
// (宋体, 黑体, 楷体, ...), and the installed font that stands in for it.

#include <QFont>
#include <QString>
#include <QStringList>

namespace platform::report {

struct ReportFont {
    QString face = QStringLiteral("宋体");
    double pointSize = 9.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    friend bool operator==(const ReportFont &, const ReportFont &) = default;
};

// The families tried for a face, best first: the face itself (in case the
// machine has it), installed fonts of the same style, then a CJK font that
// is always installed, so Chinese text never prints as empty boxes.
QStringList familiesForFace(const QString &face);

// A QFont for painting; its point size is resolved against the device.
QFont toQFont(const ReportFont &font);

} // namespace platform::report
