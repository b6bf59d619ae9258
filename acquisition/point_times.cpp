#include "point_times.h"

#include <algorithm>

namespace tarvik {

std::int64_t PointTimes::operator[](std::size_t i) const {
    // The last run that starts at or before i.
    const auto after =
        std::upper_bound(runs_.begin(), runs_.end(), i,
                         [](std::size_t index, const Run& r) { return index < r.first; });
    return std::prev(after)->stamp;
}

PointTimes::const_iterator& PointTimes::const_iterator::operator++() {
    ++index_;
    if (index_ == times_->run_end(run_))
        ++run_;
    return *this;
}

}  // namespace tarvik
