#include "support/Contrast.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace sim {

namespace {

double luminance(const QColor& color) {
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
           0.0722 * linear(color.blueF());
}

} // namespace

double contrastRatio(const QColor& first, const QColor& second) {
    const double one = luminance(first);
    const double other = luminance(second);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

double iconContrast(const QImage& icon, const QColor& surface, double share) {
    QImage painted(icon.size(), QImage::Format_ARGB32);
    painted.fill(surface);
    QPainter(&painted).drawImage(0, 0, icon);
    const QImage coverage = icon.convertToFormat(QImage::Format_ARGB32);
    std::vector<double> ratios;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            if (qAlpha(coverage.pixel(x, y)) >= 128) {
                ratios.push_back(contrastRatio(painted.pixelColor(x, y), surface));
            }
        }
    }
    if (ratios.empty()) {
        return 1.0;
    }
    std::sort(ratios.begin(), ratios.end(), std::greater<>());
    const auto reached = static_cast<std::size_t>(std::ceil(share * ratios.size())) - 1;
    return ratios[std::min(reached, ratios.size() - 1)];
}

} // namespace sim
