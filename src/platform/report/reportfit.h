#pragma once

// How a text is set in its box on the page. A text that fits prints on one
// line in its own size. A wider one (a long account name in a ruled column)
// is set smaller, but never below a size that still reads on paper; past
// that it wraps onto further lines, as many as the room below its top
// allows, and the last line that fits is cut with "…". A figure ("-1,234.50")
// is never broken over lines, where its parts would read as two numbers: it
// is set smaller still, down to its own floor, and only then cut with "…" on
// its one line.

#include <QFont>
#include <QStringList>

class QPaintDevice;

namespace platform::report {

// The smallest size a text is set in, unless its own size is smaller.
inline constexpr qreal kMinReadablePointSize = 7.0;
// The smallest size a figure is set in, unless its own size is smaller: a sign,
// 14 whole digits grouped and two decimals fit the summaries' amount columns.
inline constexpr qreal kMinFigurePointSize = 5.0;

struct FittedText {
    QFont font;
    QStringList lines;    // one at least; each fits the width
    qreal lineHeight = 0; // device units
};

// width and room (how far down from its top the text may run) are in the
// device's units.
FittedText fitText(const QString &text, const QFont &font, qreal width, qreal room, const QPaintDevice *device);

} // namespace platform::report
