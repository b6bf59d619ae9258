#include "palette_mapper.h"

#include <limits>

namespace tarvik::Gdi {

int nearest_palette_index(const palette& colours, int red, int green, int blue) {
    int best = 0;
    long best_distance = std::numeric_limits<long>::max();
    for (int i = 0; i < static_cast<int>(colours.size()); ++i) {
        const long dr = red - colours[static_cast<std::size_t>(i)].red;
        const long dg = green - colours[static_cast<std::size_t>(i)].green;
        const long db = blue - colours[static_cast<std::size_t>(i)].blue;
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < best_distance) {
            best_distance = distance;
            best = i;
        }
    }
    return best;
}

palette_mapper::palette_mapper(const palette& colours) : colours_(colours) {}

std::uint8_t palette_mapper::lookup(std::uint32_t key) const {
    return static_cast<std::uint8_t>(
        nearest_palette_index(colours_, static_cast<int>((key >> 16) & 0xFF),
                              static_cast<int>((key >> 8) & 0xFF), static_cast<int>(key & 0xFF)));
}

}  // namespace tarvik::Gdi
