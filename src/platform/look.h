#pragma once
// Colours and fonts as the windows describe them: colours in the Windows &H00BBGGRR
// form, and Chinese font faces mapped onto whatever CJK faces this desktop has.

#include <QColor>
#include <QFont>
#include <QString>

namespace platform {

// &H00C00000 (blue, green, red from high to low byte) as a QColor.
inline QColor vbColor(quint32 bgr)
{
    return QColor::fromRgb(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff));
}

// A font of the named face ("宋体", "黑体", "华文行楷", ...) in points, falling back to
// the CJK faces installed here when the face itself is missing.
QFont cjkFont(const QString &face, qreal points, bool bold = false);

} // namespace platform
