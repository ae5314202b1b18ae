#pragma once

#include <QRect>

// Sizes and positions of the windows are given in twips (1/1440 inch). The program
// draws at 96 pixels per inch, so one pixel is 15 twips; every stand-in converts
// through these two functions so that a size set in twips and read back in twips
// lands on the same pixels everywhere.
namespace twips {

inline constexpr int perPixel = 15;

// Rounds to the nearest pixel, halves away from zero.
constexpr int toPixels(int t) { return (t >= 0 ? t + perPixel / 2 : t - perPixel / 2) / perPixel; }

constexpr int fromPixels(int px) { return px * perPixel; }

// A rectangle given in twips (left, top, width, height), in pixels.
inline QRect toPixels(const QRect &r)
{
    return QRect(toPixels(r.left()), toPixels(r.top()), toPixels(r.width()), toPixels(r.height()));
}

} // namespace twips
