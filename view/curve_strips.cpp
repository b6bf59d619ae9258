#include "curve_strips.h"

#include <QImage>
#include <QPainter>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <semaphore>
#include <vector>

#include "strip_recording.h"

namespace tarvik {

namespace {

// Columns per strip. Every strip starts each curve afresh (its setting up, the search for its
// first point, its points read from memory anew), so wider strips cost less, as long as there
// are enough of them to share between two threads. About a megabyte of pixels per strip was
// fastest for twenty curves with history on a scaled screen, where half a megabyte was 5 to
// 14 % slower; at least eight strips keep the two threads' shares even.
int strip_width(const PixelRect& area, int columns) {
    constexpr int kStripBytes = 1024 * 1024;
    constexpr int kLeastStrips = 8;
    constexpr int kBand = 64;  // the runs' bands of columns
    const int rows = std::max(area.height() + 1, 1);
    const int width = std::min(kStripBytes / (4 * rows), columns / kLeastStrips);
    return std::max(kBand, width / kBand * kBand);
}

// The strips of the shown columns, handed out left to right to whichever thread asks next,
// and where each curve's points start in each strip once the strip before has found it: a
// thread whose last strip lies further back then need not search for them again.
class StripQueue {
  public:
    StripQueue(const QRect& shown, int width, std::size_t curves)
        : shown_(shown),
          width_(width),
          count_((static_cast<long long>(shown.width()) + width - 1) / width),
          curves_(curves),
          starts_(static_cast<std::size_t>(count_ + 1) * curves) {
        for (auto& start : starts_)
            start.store(kUnknown, std::memory_order_relaxed);
    }
    long long count() const { return count_; }
    // The next strip: its index and columns; false when every strip has been taken.
    bool take(long long& strip, int& left, int& right) {
        strip = next_.fetch_add(1, std::memory_order_relaxed);
        if (strip >= count_)
            return false;
        const long long first = shown_.left() + strip * width_;
        left = static_cast<int>(first);
        right = static_cast<int>(std::min<long long>(shown_.right(), first + width_ - 1));
        return true;
    }
    // Where curve `curve`'s points start in `strip`, when known.
    bool start(long long strip, std::size_t curve, std::size_t& index) const {
        const std::size_t known = starts_[slot(strip, curve)].load(std::memory_order_relaxed);
        if (known == kUnknown)
            return false;
        index = known;
        return true;
    }
    void set_start(long long strip, std::size_t curve, std::size_t index) {
        starts_[slot(strip, curve)].store(index, std::memory_order_relaxed);
    }

  private:
    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
    std::size_t slot(long long strip, std::size_t curve) const {
        return static_cast<std::size_t>(strip) * curves_ + curve;
    }

    QRect shown_;
    int width_;
    long long count_;
    std::size_t curves_;
    std::vector<std::atomic<std::size_t>> starts_;
    std::atomic<long long> next_{0};
};

// Whether the plot's background has been drawn, so that curves may be drawn over it, and the
// strips whose runs were found before that: whichever thread is free draws them then.
class HeldStrips {
  public:
    bool background_done() const { return done_.load(std::memory_order_acquire); }
    void finish_background() {
        if (!done_.exchange(true, std::memory_order_acq_rel))
            done_signal_.release();
    }
    // Called only by the thread that holds strips, once it has taken its last one.
    void wait_for_background() {
        if (!background_done())
            done_signal_.acquire();
    }

    void hold(const QRect& clip, StripRecording&& recording) {
        const std::lock_guard lock(mutex_);
        strips_.push_back({clip, std::move(recording)});
    }
    // Draws the held strips until there are none left.
    void draw(QPainter& painter) {
        for (;;) {
            Strip strip;
            {
                const std::lock_guard lock(mutex_);
                if (strips_.empty())
                    return;
                strip = std::move(strips_.back());
                strips_.pop_back();
            }
            painter.setClipRect(strip.clip);
            strip.recording.draw(painter);
        }
    }

  private:
    struct Strip {
        QRect clip;
        StripRecording recording;
    };
    std::atomic<bool> done_{false};
    std::binary_semaphore done_signal_{0};
    std::mutex mutex_;
    std::vector<Strip> strips_;
};

// Draws strips from the queue until none are left, each curve's search in a strip starting
// from where the strip before ended (found by this thread or the other). Until the background
// is done, the strips' runs are found and held.
void draw_strips(QPainter& painter, StripQueue& queue, const PixelRect& area,
                 const plot_limits& ranges, std::span<const CurveDraw> curves, HeldStrips& held) {
    std::vector<StripCursor> cursors(curves.size());
    StripRecording recording;
    bool holding = false;
    long long strip = 0;
    int left = 0;
    int right = 0;
    for (;;) {
        const bool background_done = held.background_done();
        if (background_done)
            held.draw(painter);
        if (!queue.take(strip, left, right))
            break;
        const QRect clip(left, area.top, right - left + 1, area.height() + 1);
        painter.setClipRect(clip);
        for (std::size_t i = 0; i < curves.size(); ++i) {
            StripCursor& cursor = cursors[i];
            std::size_t start = 0;
            if (queue.start(strip, i, start))
                cursor.next = start;
            CurvePaintOptions options = curves[i].options;
            options.first_column = left;
            options.last_column = right;
            options.strip_cursor = &cursor;
            options.recording = &recording;
            paint_curve(painter, *curves[i].store, ranges, area, curves[i].pen, options);
            queue.set_start(strip + 1, i, cursor.next);
        }
        if (background_done) {
            recording.draw(painter);
        } else {
            held.hold(clip, std::move(recording));
            recording = StripRecording();
            holding = true;
        }
    }
    if (holding) {
        held.wait_for_background();
        held.draw(painter);
    }
}

// A 32-bit image at one device pixel per pixel, which a second painter can draw into through
// an image of its own over the same pixels.
QImage* shareable_image(QPainter& painter) {
    QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if (image->devicePixelRatio() != 1.0 ||
        (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
         format != QImage::Format_ARGB32_Premultiplied))
        return nullptr;
    return image;
}

// Whether the helper started, and when it has finished. Whoever claims first decides: a helper
// that finds itself claimed by the caller (the caller drew every strip before the pool ran it)
// returns without touching anything, and a caller that finds it claimed by the helper waits
// for it.
struct HelperState {
    std::atomic<bool> claimed{false};
    std::binary_semaphore finished{0};
};

}  // namespace

// What the caller and the helper share; the helper keeps it alive until it returns.
struct CurvesInStrips::Shared {
    Shared(const QRect& shown, const PixelRect& area_, const plot_limits& ranges_,
           std::span<const CurveDraw> curves_)
        : queue(shown, strip_width(area_, shown.width()), curves_.size()),
          area(area_),
          ranges(ranges_),
          curves(curves_) {}
    StripQueue queue;
    PixelRect area;
    plot_limits ranges;
    std::span<const CurveDraw> curves;
    HeldStrips held;
    HelperState helper;
    bool helper_started = false;
};

CurvesInStrips::CurvesInStrips(QPainter& painter, const QRect& shown, const PixelRect& area,
                               const plot_limits& ranges, std::span<const CurveDraw> curves,
                               bool use_helper) {
    if (shown.isEmpty() || curves.empty())
        return;
    shared_ = std::make_shared<Shared>(shown, area, ranges, curves);
    QImage* image = use_helper ? shareable_image(painter) : nullptr;
    if (!image || shared_->queue.count() < 2 || QThreadPool::globalInstance()->maxThreadCount() < 2)
        return;
    // The helper paints through its own image over the same pixels, with the caller's
    // transform and hints; the strips the two draw never share a pixel.
    const QTransform transform = painter.transform();
    const QPainter::RenderHints hints = painter.renderHints();
    const QPainter::CompositionMode mode = painter.compositionMode();
    const double opacity = painter.opacity();
    // The painter has already made the image's pixels its own: write where it writes.
    uchar* const bits = const_cast<uchar*>(image->constBits());
    const int width = image->width();
    const int height = image->height();
    const qsizetype bytes_per_line = image->bytesPerLine();
    const QImage::Format format = image->format();
    shared_->helper_started = true;
    QThreadPool::globalInstance()->start([=, shared = shared_] {
        if (shared->helper.claimed.exchange(true))
            return;
        try {
            QImage view(bits, width, height, bytes_per_line, format);
            QPainter helper(&view);
            helper.setRenderHints(hints);
            helper.setTransform(transform);
            helper.setCompositionMode(mode);
            helper.setOpacity(opacity);
            draw_strips(helper, shared->queue, shared->area, shared->ranges, shared->curves,
                        shared->held);
        } catch (...) {
            // Out of memory: the strips it took stay undrawn, and the caller carries on.
        }
        shared->helper.finished.release();
    });
}

CurvesInStrips::~CurvesInStrips() {
    wait_for_helper();
}

void CurvesInStrips::wait_for_helper() {
    if (!shared_ || !shared_->helper_started)
        return;
    shared_->held.finish_background();
    if (shared_->helper.claimed.exchange(true))
        shared_->helper.finished.acquire();
    shared_->helper_started = false;
}

void CurvesInStrips::draw(QPainter& painter) {
    if (!shared_)
        return;
    shared_->held.finish_background();
    draw_strips(painter, shared_->queue, shared_->area, shared_->ranges, shared_->curves,
                shared_->held);
    wait_for_helper();
    const PixelRect& area = shared_->area;
    painter.setClipRect(QRect(area.left, area.top, area.width() + 1, area.height() + 1));
}

void draw_curves_in_strips(QPainter& painter, const QRect& shown, const PixelRect& area,
                           const plot_limits& ranges, std::span<const CurveDraw> curves,
                           bool use_helper) {
    CurvesInStrips strips(painter, shown, area, ranges, curves, use_helper);
    strips.draw(painter);
}

}  // namespace tarvik
