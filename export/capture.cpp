#include "capture.h"

#include <QImage>
#include <QPainter>

#include "palette_mapper.h"

namespace tarvik {

const Gdi::palette& capture_palette() {
    static const Gdi::palette colours = {
        {0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
        {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
        {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
        {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
    };
    return colours;
}

namespace {

bool render(QImage& image, const std::function<void(QPainter&)>& draw) {
    image.fill(Qt::white);
    QPainter painter;
    if (!painter.begin(&image))
        return false;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    if (draw)
        draw(painter);
    painter.end();
    return true;
}

// Two pixels per byte, the left one in the high nibble; rows padded with zero bits.
void reduce(const QImage& image, Gdi::dib& target) {
    Gdi::palette_mapper mapper(capture_palette());
    const int width = target.width();
    for (int y = 0; y < target.height(); ++y) {
        const auto* source = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        std::uint8_t* row = target.row_from_top(y);
        std::uint32_t last_colour = source[0] ^ 1u;  // differs from the first pixel
        std::uint8_t last_index = 0;
        for (int x = 0; x < width; ++x) {
            if (source[x] != last_colour) {
                last_colour = source[x];
                last_index = mapper.index_of(last_colour);
            }
            std::uint8_t& byte = row[x / 2];
            byte = (x % 2 == 0) ? static_cast<std::uint8_t>(last_index << 4)
                                : static_cast<std::uint8_t>(byte | last_index);
        }
    }
}

}  // namespace

Gdi::dib capture_image(int client_width, int client_height,
                       const std::function<void(QPainter&)>& draw) {
    // Widen before adding so a huge client size cannot overflow.
    const long width = static_cast<long>(client_width) + 1;
    const long height = static_cast<long>(client_height) + 1;
    if (width < 1 || height < 1 || width > Gdi::dib::kMaxSide || height > Gdi::dib::kMaxSide)
        return Gdi::dib(0, 0, capture_palette());
    Gdi::dib target(static_cast<int>(width), static_cast<int>(height), capture_palette());
    if (!target.hbitmap())
        return target;
    QImage image(target.width(), target.height(), QImage::Format_RGB32);
    if (image.isNull() || !render(image, draw))
        return Gdi::dib(0, 0, capture_palette());
    reduce(image, target);
    return target;
}

}  // namespace tarvik
