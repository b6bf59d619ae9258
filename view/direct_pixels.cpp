#include "direct_pixels.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <QTransform>
#include <algorithm>
#include <bit>
#include <cmath>

namespace tarvik {

namespace {

// Whether a run of the pen's colour can be written into the device's pixels and look exactly
// like a solid one-pixel line: an opaque colour put over the raster image pixel for pixel
// (whole-pixel shifts only), inside a clip.
bool runs_can_be_written(const QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    const QTransform& t = painter.transform();
    return engine && engine->type() == QPaintEngine::Raster && painter.hasClipping() &&
           t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) &&
           t.dy() == std::floor(t.dy()) && painter.opacity() == 1.0 &&
           painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
           !painter.testRenderHint(QPainter::Antialiasing) && painter.pen().color().alpha() == 255;
}

}  // namespace

DirectPixels direct_pixels(QPainter& painter) {
    DirectPixels d;
    QPaintDevice* device = painter.device();
    if (!runs_can_be_written(painter) || !device || device->devType() != QInternal::Image ||
        device->devicePixelRatio() != 1.0)
        return d;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return d;
    const QRegion clip = painter.clipRegion();
    if (clip.rectCount() != 1)
        return d;
    d.shift = QPoint(static_cast<int>(painter.transform().dx()),
                     static_cast<int>(painter.transform().dy()));
    d.clip = clip.boundingRect().translated(d.shift).intersected(image->rect());
    // The painter has already made the image's pixels its own: write where it writes.
    d.bits = reinterpret_cast<std::uint32_t*>(const_cast<uchar*>(image->constBits()));
    d.words_per_row = image->bytesPerLine() / 4;
    // Opaque, so premultiplied or not the word is the same; RGB32 keeps 0xFF in the top byte.
    d.colour = painter.pen().color().rgba();
    return d;
}

void write_column(const DirectPixels& d, int x, int top, int bottom) {
    std::uint32_t* pixel = d.bits + top * d.words_per_row + x;
    for (int row = top; row <= bottom; ++row, pixel += d.words_per_row)
        *pixel = d.colour;
}

void RunBand::add(int x, int top, int bottom) {
    if (starts_.empty()) {
        const auto rows = static_cast<std::size_t>(d_.clip.height());
        starts_.assign(rows, 0);
        ends_.assign(rows, 0);
        apart_.assign(rows, 0);
    }
    if (x < left_ || x >= left_ + kWidth) {
        flush();
        left_ = x - (x - d_.clip.left()) % kWidth;
    }
    const int c = x - left_;
    const std::uint64_t bit = std::uint64_t{1} << c;
    Interval& rows = columns_[static_cast<std::size_t>(c)];
    if (!(used_ & bit)) {
        used_ |= bit;
        rows = {top, bottom};
    } else if (top <= rows.bottom + 1 && bottom >= rows.top - 1) {
        rows = {std::min(rows.top, top), std::max(rows.bottom, bottom)};
    } else {
        for (int row = top; row <= bottom; ++row)
            apart_[index(row)] |= bit;
    }
    top_ = std::min(top_, top);
    bottom_ = std::max(bottom_, bottom);
}

void RunBand::flush() {
    for (std::uint64_t m = used_; m != 0; m &= m - 1) {
        const int c = std::countr_zero(m);
        const Interval& rows = columns_[static_cast<std::size_t>(c)];
        starts_[index(rows.top)] |= std::uint64_t{1} << c;
        ends_[index(rows.bottom)] |= std::uint64_t{1} << c;
    }
    std::uint64_t active = 0;
    // Rows a little ahead are asked for while these are written: a dense curve's band covers
    // most rows, each a few cache lines that the white fill has long since sent to memory.
    constexpr int kRowsAhead = 8;
    // Five lines cover the band's 64 pixels wherever they start; none beyond the row's end.
    const int ahead_words =
        static_cast<int>(std::min<qsizetype>(kWidth + 16, d_.words_per_row - std::max(left_, 0)));
    for (int row = top_; row <= bottom_; ++row) {
        if (row + kRowsAhead <= bottom_) {
            const std::uint32_t* ahead = d_.bits + (row + kRowsAhead) * d_.words_per_row + left_;
            for (int w = 0; w < ahead_words; w += 16)
                __builtin_prefetch(ahead + w, 1);
        }
        const std::size_t i = index(row);
        active |= starts_[i];
        std::uint64_t mask = active | apart_[i];
        std::uint32_t* pixels = d_.bits + row * d_.words_per_row + left_;
        // Neighbouring columns mostly cover the same rows: fill each stretch of set bits.
        while (mask != 0) {
            const int first = std::countr_zero(mask);
            const int length = std::countr_one(mask >> first);
            std::fill_n(pixels + first, length, d_.colour);
            mask = length + first == kWidth ? 0 : mask & (~std::uint64_t{0} << (first + length));
        }
        active &= ~ends_[i];
        starts_[i] = ends_[i] = apart_[i] = 0;
    }
    used_ = 0;
    top_ = std::numeric_limits<int>::max();
    bottom_ = std::numeric_limits<int>::min();
}

}  // namespace tarvik
