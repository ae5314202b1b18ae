// Painting: only the cells on view, so the cost of a frame does not grow with the
// number of rows.
#include "platform/flexgrid.h"

#include "platform/flexgridlook.h"

#include <QPaintEvent>
#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>

namespace {

// A plain decimal number (blanks around, one sign, digits with at most one point):
// such texts stand at the right of their cell, as amounts do in a ledger.
bool readsAsNumber(QStringView text)
{
    text = text.trimmed();
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-'))
        text = text.mid(1);
    bool digit = false, point = false;
    for (QChar ch : text) {
        if (ch >= u'0' && ch <= u'9')
            digit = true;
        else if (ch == u'.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

// The smallest size a number too wide for its cell is drawn at: small enough that the
// widest amount the books take, and a sum a digit longer (a sign, 14 whole digits, two
// decimals), shows whole in the narrowest amount column of the lists (1200 twips).
constexpr qreal kSmallestNumberPoints = 5;

struct Span {
    int index;
    int pos;
    int size;
};

} // namespace

void MSFlexGrid::paintEvent(QPaintEvent *event)
{
    repaintPending_ = false;
    QPainter p(viewport());
    p.fillRect(event->rect(), flexgridlook::back);
    const QSize view = viewport()->size();

    QVarLengthArray<Span, 64> rowSpans;
    const int rh = rowPx();
    int y = 0;
    for (int r = 0; r < fixedRows_ && y < view.height(); ++r, y += rh)
        rowSpans.append({r, y, rh});
    for (int r = std::max(topRow_, fixedRows_); r < rows() && y < view.height(); ++r, y += rh)
        rowSpans.append({r, y, rh});

    QVarLengthArray<Span, 32> colSpans;
    int x = 0;
    for (int c = 0; c < fixedCols_ && x < view.width(); ++c) {
        colSpans.append({c, x, colPx(c)});
        x += colPx(c);
    }
    for (int c = std::max(leftCol_, fixedCols_); c < cols() && x < view.width(); ++c) {
        colSpans.append({c, x, colPx(c)});
        x += colPx(c);
    }

    // The rows of the selection are highlighted across: every list holds one
    // record per row, and the current cell often lies in the fixed column.
    const int selLo = std::min(row_, rowSel_), selHi = std::max(row_, rowSel_);
    for (const Span &rs : rowSpans) {
        for (const Span &cs : colSpans) {
            const QRect rect(cs.pos, rs.pos, cs.size, rs.size);
            if (!rect.intersects(event->rect()) || cs.size == 0)
                continue;
            const bool selected = rs.index >= selLo && rs.index <= selHi && !isFixed(rs.index, cs.index);
            paintCell(p, rs.index, cs.index, rect, selected);
        }
    }

    if (hasFocus() && !isFixed(row_, col_)) {
        const QRect cell = cellRect(row_, col_);
        if (!cell.isEmpty()) {
            const bool selected = row_ >= selLo && row_ <= selHi;
            p.setPen(QPen(cellColors(row_, col_, selected).second, 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(cell.adjusted(1, 1, -3, -3));
        }
    }
}

// Background and text colour of a cell as painted. A cell with a background of its
// own (a coloured header) keeps its look also when selected.
std::pair<QColor, QColor> MSFlexGrid::cellColors(int r, int c, bool selected) const
{
    const bool fixed = isFixed(r, c);
    QColor back = cells_.backColor(r, c);
    QColor fore = cells_.foreColor(r, c);
    if (selected && !back.isValid())
        return {flexgridlook::backSelected, flexgridlook::foreSelected};
    if (!back.isValid())
        back = fixed ? flexgridlook::backFixed : flexgridlook::back;
    if (!fore.isValid())
        fore = fixed ? palette().color(QPalette::Active, QPalette::ButtonText) : flexgridlook::fore;
    return {back, fore};
}

void MSFlexGrid::paintCell(QPainter &p, int r, int c, const QRect &rect, bool selected)
{
    const auto [back, fore] = cellColors(r, c, selected);
    p.fillRect(rect, back);

    p.setPen(flexgridlook::gridLines);
    p.drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
    p.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());

    const QString text = cells_.text(r, c);
    if (text.isEmpty())
        return;
    const bool fixed = isFixed(r, c);
    const bool number = !fixed && readsAsNumber(text);
    const QRect room = rect.adjusted(2, 0, -3, -1);
    p.setPen(fore);
    if (fixed) {
        // Headings and row numbers are only clipped: a narrow heading keeps what it can
        // show of its words.
        p.drawText(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        return;
    }
    p.save();
    if (number) {
        // A number cut at its left would read as another number: one too wide for its
        // cell is drawn smaller until its ink fits, a pixel to spare.
        QFont font = p.font();
        for (qreal size = font.pointSizeF();
             size > kSmallestNumberPoints && p.fontMetrics().boundingRect(text).width() >= room.width();) {
            size = std::max(kSmallestNumberPoints, size - 0.5);
            font.setPointSizeF(size);
            p.setFont(font);
        }
    }
    // A value still wider than its cell ends in an ellipsis where it is cut, so that a
    // clipped value is never read as another one.
    p.drawText(room, (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine,
               p.fontMetrics().elidedText(text, Qt::ElideRight, room.width()));
    p.restore();
}
