#include "strip_recording.h"

#include <QPainter>
#include <algorithm>

#include "line_batch.h"

namespace tarvik {

void StripRecording::begin_curve(const QPen& pen, const DirectPixels& pixels, bool by_bands) {
    curves_.push_back({pen, pixels, by_bands, runs_.size(), lines_.size()});
}

std::size_t StripRecording::end_of_runs(std::size_t curve) const {
    return curve + 1 < curves_.size() ? curves_[curve + 1].first_run : runs_.size();
}

std::size_t StripRecording::end_of_lines(std::size_t curve) const {
    return curve + 1 < curves_.size() ? curves_[curve + 1].first_line : lines_.size();
}

// From the last curve back to the first: each run keeps the rows outside those known to be
// painted by runs that come after it (its own curve's included: they have its colour). The
// rows known per column are one interval, grown while runs overlap or touch it, else the
// longer; knowing fewer only writes more.
void StripRecording::leave_out_what_later_runs_paint() {
    kept_.clear();
    QRect clip;
    for (const Curve& c : curves_) {
        if (c.pixels.bits) {
            clip = c.pixels.clip;
            break;
        }
    }
    constexpr Rows kNone{1, 0};
    painted_.assign(static_cast<std::size_t>(std::max(clip.width(), 0)), kNone);
    for (std::size_t k = curves_.size(); k-- > 0;) {
        Curve& c = curves_[k];
        c.first_kept = kept_.size();
        // Runs drawn as lines (a device that takes no written runs) are only drawn.
        const bool shares = c.pixels.bits && c.pixels.clip == clip;
        const std::size_t end = end_of_runs(k);
        for (std::size_t i = c.first_run; i < end; ++i) {
            const Run r = runs_[i];
            if (!shares) {
                kept_.push_back(r);
                continue;
            }
            Rows& p = painted_[static_cast<std::size_t>(r.x - clip.left())];
            if (p.top > p.bottom || r.bottom < p.top || r.top > p.bottom) {
                kept_.push_back(r);
            } else {
                if (r.top < p.top)
                    kept_.push_back({r.x, r.top, p.top - 1});
                if (r.bottom > p.bottom)
                    kept_.push_back({r.x, p.bottom + 1, r.bottom});
            }
            if (p.top > p.bottom)
                p = {r.top, r.bottom};
            else if (r.top <= p.bottom + 1 && r.bottom >= p.top - 1)
                p = {std::min(p.top, r.top), std::max(p.bottom, r.bottom)};
            else if (r.bottom - r.top > p.bottom - p.top)
                p = {r.top, r.bottom};
        }
        c.end_kept = kept_.size();
    }
}

void StripRecording::draw(QPainter& painter) {
    leave_out_what_later_runs_paint();
    const QPen pen = painter.pen();
    for (std::size_t k = 0; k < curves_.size(); ++k) {
        const Curve& c = curves_[k];
        if (c.pixels.bits) {
            if (c.by_bands) {
                RunBand band(c.pixels);
                for (std::size_t i = c.first_kept; i < c.end_kept; ++i)
                    band.add(kept_[i].x, kept_[i].top, kept_[i].bottom);
            } else {
                for (std::size_t i = c.first_kept; i < c.end_kept; ++i)
                    write_column(c.pixels, kept_[i].x, kept_[i].top, kept_[i].bottom);
            }
        }
        const std::size_t end = end_of_lines(k);
        if (c.first_line < end) {
            painter.setPen(c.pen);
            LineBatch batch(painter);
            for (std::size_t i = c.first_line; i < end; ++i)
                batch.add(lines_[i].p1(), lines_[i].p2());
        }
    }
    painter.setPen(pen);
    curves_.clear();
    runs_.clear();
    lines_.clear();
}

}  // namespace tarvik
