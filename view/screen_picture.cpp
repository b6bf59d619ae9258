#include "screen_picture.h"

#include <sys/mman.h>

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "axis_map.h"
#include "hit_test.h"
#include "plot_renderer.h"

namespace tarvik {

namespace {

int clamp_to_pixels(double device) {
    return static_cast<int>(
        std::clamp(std::round(device), -double(kPixelLimit), double(kPixelLimit)));
}

// A 32-bit image whose pixels lie in huge pages where the system offers them. A curve is drawn
// down the picture's columns, one row (at 2560 device pixels across, one 4 KiB page) after
// another: with ordinary pages every pixel of a steep curve needs another address translation,
// and a picture of a scaled screen has more pages than the processor keeps translations for.
// Rows are also one cache line longer than their pixels: at widths such as 1280 or 2560 the
// rows would otherwise lie a multiple of 1 or 2 KiB apart, so the pixels of a column would
// share a handful of cache sets and evict each other.
QImage image_in_huge_pages(QSize size) {
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    constexpr std::size_t kLine = 64;
    const std::size_t row =
        (static_cast<std::size_t>(std::max(size.width(), 0)) * 4 + kLine - 1) / kLine * kLine +
        kLine;
    const std::size_t bytes = row * static_cast<std::size_t>(std::max(size.height(), 0));
    // Small pictures, and ones too big for an image (which then comes out null), as usual.
    if (bytes < kHugePage || bytes > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return QImage(size, QImage::Format_RGB32);
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* pixels = std::aligned_alloc(kHugePage, rounded);
    if (!pixels)
        return QImage(size, QImage::Format_RGB32);
    madvise(pixels, rounded, MADV_HUGEPAGE);  // a hint: without huge pages it only runs slower
    return QImage(
        static_cast<uchar*>(pixels), size.width(), size.height(), static_cast<qsizetype>(row),
        QImage::Format_RGB32, [](void* p) { std::free(p); }, pixels);
}

// An image whose resolution is the screen's: a font's point size measures and draws `ratio`
// times as many pixels as on an ordinary image, which is what the screen's picture is at
// ratio 1.
QImage picture_of(QSize device, double ratio) {
    QImage image = image_in_huge_pages(device);
    if (image.isNull())
        return image;
    image.setDotsPerMeterX(static_cast<int>(std::lround(image.dotsPerMeterX() * ratio)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(image.dotsPerMeterY() * ratio)));
    return image;
}

}  // namespace

int ScreenScale::to_device(int logical) const {
    return clamp_to_pixels(logical * ratio);
}

PixelRect ScreenScale::to_device(const PixelRect& logical) const {
    return PixelRect{to_device(logical.left), to_device(logical.top), to_device(logical.right),
                     to_device(logical.bottom)};
}

QPoint ScreenScale::pointer_pixel(QPointF position, int scroll) const {
    // The device pixel the position falls in; a whole logical pixel starts at its first one.
    const auto inside = [this](double logical) {
        return static_cast<int>(
            std::clamp(std::floor(logical * ratio), -double(kPixelLimit), double(kPixelLimit)));
    };
    return QPoint(inside(position.x()) + to_device(scroll), inside(position.y()));
}

QSize ScreenScale::device_size(QSize logical) const {
    // Rounded up, so that the last logical column is covered at fractional ratios too.
    return QSize(static_cast<int>(std::ceil(logical.width() * ratio)),
                 static_cast<int>(std::ceil(logical.height() * ratio)));
}

int ScreenScale::hit_radius() const {
    return std::max(kHitRadius, to_device(kHitRadius));
}

void draw_screen_picture(QImage& picture, const ScreenScale& scale, QSize window,
                         const PixelRect& client, int scroll, PlotViewState& state,
                         const PlotData& doc) {
    const QSize device = scale.device_size(window);
    // Drawn at device pixel ratio 1: the painter then works in device pixels, and solid curves
    // can be written straight into the picture's rows.
    picture.setDevicePixelRatio(1.0);
    const QImage resolution = picture_of(QSize(1, 1), scale.ratio);
    if (picture.size() != device || picture.dotsPerMeterX() != resolution.dotsPerMeterX())
        picture = picture_of(device, scale.ratio);
    if (picture.isNull())
        return;
    const PixelRect drawing = scale.to_device(client);
    const int shift = scale.to_device(scroll);
    // The draw paints its rectangle white first; what lies beyond it is whitened here.
    if (!QRect(-shift, 0, drawing.width(), drawing.height()).contains(picture.rect()))
        picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        // The picture spans the whole scrollable width; only the part in view is drawn.
        painter.translate(-shift, 0);
        DrawParameters parameters;
        parameters.pixel_ratio = scale.ratio;
        draw_plot(painter, drawing, state, doc, parameters);
    }
    picture.setDevicePixelRatio(scale.ratio);
}

PlotLayout screen_layout(const ScreenScale& scale, const PlotViewState& state,
                         const PixelRect& client) {
    const QImage probe = picture_of(QSize(1, 1), scale.ratio);
    return plot_layout_on(state, scale.to_device(client), &probe);
}

}  // namespace tarvik
