#include "print_geometry.h"

#include <cmath>
#include <limits>

namespace tarvik {

namespace {

// A coordinate on the page; none past the range the painter's integer rectangles hold.
std::optional<int> page_pixel(double value) {
    if (!(std::fabs(value) <= std::numeric_limits<int>::max() / 2))
        return std::nullopt;
    return static_cast<int>(std::lround(value));
}

std::optional<PrintGeometry> scaled(const PixelRect& client, double scale, double offset) {
    const std::optional<int> right = page_pixel(client.right * scale);
    const std::optional<int> bottom = page_pixel(client.bottom * scale);
    const std::optional<int> moved = page_pixel(offset * scale);
    if (!right || !bottom || !moved)
        return std::nullopt;
    return PrintGeometry{scale, PixelRect{client.left, client.top, *right, *bottom}, *moved};
}

}  // namespace

std::optional<PrintGeometry> print_geometry(const PixelRect& client, int page_width_pixels) {
    if (client.width() <= 0 || page_width_pixels <= 0)
        return std::nullopt;
    return scaled(client, static_cast<double>(page_width_pixels) / client.width(), 0.0);
}

std::optional<PrintGeometry> print_geometry_of_part(const PixelRect& client, const PixelRect& shown,
                                                    int page_width_pixels) {
    if (shown.width() <= 0 || page_width_pixels <= 0)
        return std::nullopt;
    return scaled(client, static_cast<double>(page_width_pixels) / shown.width(),
                  shown.left - client.left);
}

}  // namespace tarvik
