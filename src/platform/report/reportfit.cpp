#include "platform/report/reportfit.h"

#include "platform/money.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <algorithm>

namespace platform::report {

namespace {

const QString kEllipsis = QStringLiteral("…");

// The longest start of text that fits the width together with "…".
QString cutToWidth(const QString &text, const QFontMetricsF &metrics, qreal width)
{
    qsizetype keep = text.size();
    while (keep > 0 && metrics.horizontalAdvance(text.left(keep) + kEllipsis) > width)
        --keep;
    // Never split a surrogate pair.
    if (keep > 0 && text.at(keep - 1).isHighSurrogate())
        --keep;
    return text.left(keep) + kEllipsis;
}

// A number as the reports print one: a plain decimal, its whole digits grouped by commas.
bool isFigure(QString text) { return numbers::isPlainDecimal(text.remove(QLatin1Char(','))); }

// The text broken into lines of the width, between words where it has them.
QStringList wrap(const QString &text, const QFont &font, qreal width, const QPaintDevice *device)
{
    QTextLayout layout(text, font, const_cast<QPaintDevice *>(device));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

} // namespace

FittedText fitText(const QString &text, const QFont &font, qreal width, qreal room, const QPaintDevice *device)
{
    FittedText fitted{font, {text}, 0};
    const QFontMetricsF metrics(font, device);
    fitted.lineHeight = metrics.height();
    // No glyph is wider than the line is high: most texts need no measuring.
    if (width <= 0 || text.size() * metrics.height() <= width)
        return fitted;
    const qreal natural = metrics.horizontalAdvance(text);
    if (natural <= width)
        return fitted;

    // Smaller, down to the floor. Glyph sizes do not scale exactly with the
    // point size, so each step measures again.
    const bool figure = isFigure(text);
    const qreal floor = std::min(font.pointSizeF(), figure ? kMinFigurePointSize : kMinReadablePointSize);
    qreal drawn = natural;
    for (int step = 0; step < 3 && drawn > width && fitted.font.pointSizeF() > floor; ++step) {
        fitted.font.setPointSizeF(std::max(fitted.font.pointSizeF() * width / drawn, floor));
        drawn = QFontMetricsF(fitted.font, device).horizontalAdvance(text);
    }
    const QFontMetricsF smaller(fitted.font, device);
    fitted.lineHeight = smaller.height();
    if (drawn <= width)
        return fitted;
    if (figure) {
        fitted.lines = {cutToWidth(text, smaller, width)};
        return fitted;
    }

    // Still too wide at the floor: more lines, as many as the room holds.
    fitted.lines = wrap(text, fitted.font, width, device);
    const qsizetype fits = fitted.lineHeight > 0 && room > fitted.lineHeight
                               ? std::min<qsizetype>(fitted.lines.size(), qsizetype(room / fitted.lineHeight))
                               : 1;
    if (fitted.lines.size() > fits) {
        const QString rest = fitted.lines.mid(fits - 1).join(QString());
        fitted.lines.resize(fits - 1);
        fitted.lines << cutToWidth(rest, smaller, width);
    }
    return fitted;
}

} // namespace platform::report
