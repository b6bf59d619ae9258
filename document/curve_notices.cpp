#include "curve_notices.h"

#include <algorithm>
#include <utility>

namespace tarvik {

void CurveNotices::add_curve() {
    curves_.emplace_back();
}

void CurveNotices::remove_curve(int i) {
    if (i < 0 || i >= static_cast<int>(curves_.size()))
        return;
    curves_.erase(curves_.begin() + i);
    ++revision_;  // the curves after it move down
}

void CurveNotices::set_read(int i, std::vector<DataNotice> found) {
    if (i < 0 || i >= static_cast<int>(curves_.size()))
        return;
    Curve& curve = curves_[static_cast<std::size_t>(i)];
    curve.read = std::move(found);
    renew(curve);
}

void CurveNotices::set_checked(int i, std::optional<DataNotice> found) {
    if (i < 0 || i >= static_cast<int>(curves_.size()))
        return;
    Curve& curve = curves_[static_cast<std::size_t>(i)];
    curve.checked = found;
    renew(curve);
}

// A notice of a kind the curve had before keeps the moment it first applied, also when its
// numbers moved (a file growing back towards what was taken); a new kind is the newest.
void CurveNotices::renew(Curve& curve) {
    std::vector<DataNotice> now = curve.read;
    if (curve.checked)
        now = {*curve.checked};
    std::vector<Stamped> shown;
    bool changed = now.size() != curve.shown.size();
    for (const DataNotice& n : now) {
        const auto old = std::find_if(curve.shown.begin(), curve.shown.end(),
                                      [&](const Stamped& s) { return s.notice.kind == n.kind; });
        if (old != curve.shown.end()) {
            shown.push_back(Stamped{n, old->since});
            changed = changed || !(old->notice == n);
        } else {
            shown.push_back(Stamped{n, ++clock_});
            changed = true;
        }
    }
    curve.shown = std::move(shown);
    if (changed)
        ++revision_;
}

std::vector<CurveNotice> CurveNotices::all() const {
    std::vector<std::pair<std::uint64_t, CurveNotice>> stamped;
    for (std::size_t i = 0; i < curves_.size(); ++i) {
        for (const Stamped& s : curves_[i].shown)
            stamped.push_back({s.since, CurveNotice{static_cast<int>(i), s.notice}});
    }
    std::sort(stamped.begin(), stamped.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<CurveNotice> notices;
    notices.reserve(stamped.size());
    for (auto& s : stamped)
        notices.push_back(s.second);
    return notices;
}

}  // namespace tarvik
