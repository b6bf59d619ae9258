#include "print_geometry.h"

#include <cmath>

namespace tarvik {

std::optional<PrintGeometry> print_geometry(const PixelRect& client, int page_width_pixels) {
    if (client.width() <= 0 || page_width_pixels <= 0)
        return std::nullopt;
    PrintGeometry g;
    g.scale = static_cast<double>(page_width_pixels) / client.width();
    g.rect =
        PixelRect{client.left, client.top, static_cast<int>(std::lround(client.right * g.scale)),
                  static_cast<int>(std::lround(client.bottom * g.scale))};
    return g;
}

}  // namespace tarvik
