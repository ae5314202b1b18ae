#pragma once

#include <QColor>
#include <QFont>
#include <QStringList>

// The look that every list grid of the program shares.
namespace flexgridlook {

inline const QColor back{255, 255, 255};         // data cells: white
inline const QColor fore{0, 0, 255};             // data text: blue
inline const QColor backFixed{0, 128, 128};      // fixed cells: teal (text in the button-text colour)
inline const QColor backSelected{0, 0, 128};     // selected cells: navy
inline const QColor foreSelected{255, 255, 192}; // ... with light yellow text
inline const QColor gridLines{128, 128, 128};    // grey

inline constexpr int defaultColWidth = 960;  // twips
inline constexpr int defaultRowHeight = 300; // twips

// Regular 9-point 宋体; where it is not installed, the first CJK face found of a
// few common ones, so that Chinese text never falls back to boxes.
inline QFont font()
{
    QFont f;
    f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                   QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
                   QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Sans SC"),
                   QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Micro Hei")});
    f.setPointSize(9);
    f.setWeight(QFont::Normal);
    f.setItalic(false);
    return f;
}

} // namespace flexgridlook
