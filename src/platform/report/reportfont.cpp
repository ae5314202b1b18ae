#include "platform/report/reportfont.h"

namespace platform::report {

namespace {

// Installed with the program's dependencies; has every GB2312 character.
const QString kAlwaysInstalled = QStringLiteral("WenQuanYi Zen Hei");

bool faceIsOneOf(const QString &face, std::initializer_list<const char16_t *> names)
{
    for (const char16_t *name : names) {
        if (face.compare(QStringView(name), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

QStringList familiesForFace(const QString &face)
{
    QStringList families{face};
    if (faceIsOneOf(face, {u"宋体", u"新宋体", u"SimSun", u"NSimSun", u"宋体_GB2312"})) {
        families << QStringLiteral("Noto Serif CJK SC") << QStringLiteral("Source Han Serif SC")
                 << QStringLiteral("AR PL UMing CN");
    } else if (faceIsOneOf(face, {u"黑体", u"SimHei", u"微软雅黑", u"Microsoft YaHei"})) {
        families << QStringLiteral("Noto Sans CJK SC") << QStringLiteral("Source Han Sans SC");
    } else if (faceIsOneOf(face, {u"楷体", u"楷体_GB2312", u"KaiTi", u"KaiTi_GB2312"})) {
        families << QStringLiteral("AR PL UKai CN") << QStringLiteral("Noto Serif CJK SC");
    } else if (faceIsOneOf(face, {u"仿宋", u"仿宋_GB2312", u"FangSong", u"FangSong_GB2312"})) {
        families << QStringLiteral("AR PL UMing CN") << QStringLiteral("Noto Serif CJK SC");
    }
    if (!families.contains(kAlwaysInstalled))
        families << kAlwaysInstalled;
    return families;
}

QFont toQFont(const ReportFont &font)
{
    QFont result;
    result.setFamilies(familiesForFace(font.face));
    result.setPointSizeF(font.pointSize);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    return result;
}

} // namespace platform::report
