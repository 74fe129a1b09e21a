#pragma once
// How well a person tells an icon from the surface below it: WCAG 2 contrast ratios, from 1 (the
// same) to 21 (black on white); 3 is the least that user-interface graphics need.

#include <QColor>
#include <QImage>

namespace sim {

double contrastRatio(const QColor& first, const QColor& second);

// The icon painted on the surface: the contrast with the surface that at least `share` of the
// icon's pixels reach (those it covers half or more). Its shape stands out where another part
// blends in, as an outline does on a surface of its own shade: the lines of an outlined glyph
// are about a third of its pixels at menu size. 1 for an empty icon.
double iconContrast(const QImage& icon, const QColor& surface, double share = 0.25);

} // namespace sim
