#include "platform/look.h"

#include <QStringList>

namespace platform {

namespace {
// Faces with the same character: a serif face for 宋体, a sans face for 黑体, a
// brush face for the decorative ones; the installed CJK faces last.
QStringList facesFor(const QString &face)
{
    QStringList faces{face};
    if (face == QStringLiteral("宋体"))
        faces << QStringLiteral("SimSun") << QStringLiteral("Noto Serif CJK SC") << QStringLiteral("AR PL UMing CN");
    else if (face == QStringLiteral("黑体"))
        faces << QStringLiteral("SimHei") << QStringLiteral("Noto Sans CJK SC");
    else if (face.contains(QStringLiteral("楷")) || face.contains(QStringLiteral("行楷")))
        faces << QStringLiteral("KaiTi") << QStringLiteral("STXingkai") << QStringLiteral("AR PL UKai CN");
    faces << QStringLiteral("WenQuanYi Zen Hei") << QStringLiteral("Noto Sans CJK SC")
          << QStringLiteral("Droid Sans Fallback");
    return faces;
}
} // namespace

QFont cjkFont(const QString &face, qreal points, bool bold)
{
    QFont font;
    font.setFamilies(facesFor(face));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace platform
