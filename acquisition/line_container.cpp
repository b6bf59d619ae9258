#include "line_container.h"

#include <cfloat>
#include <cmath>
#include <ctime>

namespace tarvik {

std::int64_t calendar_now() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

LineContainer::LineContainer() {
    reset_ranges();
}

void LineContainer::reset_ranges() {
    x_min = DBL_MAX;
    x_max = -DBL_MAX;
    y_min = DBL_MAX;
    y_max = -DBL_MAX;
}

void LineContainer::add_point(double px, double py) {
    add_point(px, py, calendar_now());
}

void LineContainer::note_order(double px) {
    // While the answer is yes no x before this one is NaN.
    if (x_never_decreases_ && (std::isnan(px) || (!x.empty() && px < x.back())))
        x_never_decreases_ = false;
    if (std::isnan(px) || !finite_x_never_decrease_)
        return;
    if (have_finite_x_ && px < last_finite_x_) {
        finite_x_never_decrease_ = false;
        summary_ = BlockSummary{};  // of no use now: let its memory go
        return;
    }
    last_finite_x_ = px;
    have_finite_x_ = true;
}

void LineContainer::add_point(double px, double py, std::int64_t stamp) {
    note_order(px);
    x.push_back(px);
    y.push_back(py);
    time.push_back(stamp);
    count = static_cast<std::int32_t>(x.size());
    if (finite_x_never_decrease_ && x.size() % BlockSummary::kBlock == 0) {
        const std::size_t block = x.size() - BlockSummary::kBlock;
        summary_.add_block(x.data() + block, y.data() + block);
    }
    if (!std::isnan(px)) {
        if (px > x_max)
            x_max = px;
        if (px < x_min)
            x_min = px;
    }
    if (!std::isnan(py)) {
        if (py > y_max)
            y_max = py;
        if (py < y_min)
            y_min = py;
    }
}

void LineContainer::clear() {
    const auto old_count = static_cast<std::size_t>(count);
    count = 0;
    lines_taken = 0;
    x.clear();
    y.clear();
    time.clear();
    summary_.clear();
    reserve(old_count);
    reset_ranges();
    x_never_decreases_ = true;
    finite_x_never_decrease_ = true;
    have_finite_x_ = false;
    resume = ResumePoint{};
}

void LineContainer::reserve(std::size_t n) {
    x.reserve(n);
    y.reserve(n);
    if (finite_x_never_decrease_)
        summary_.reserve(n);
}

}  // namespace tarvik
