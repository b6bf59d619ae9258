#include "view_ranges.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <tuple>
#include <utility>

#include "automatic_range.h"
#include "axis_map.h"
#include "plot_data.h"

namespace tarvik {

namespace {

// Shows [start, start + span]; refuses a window that does not fit in doubles.
bool move_x_window(PlotViewState& view, double start, double span) {
    const double end = start + span;
    if (!std::isfinite(start) || !std::isfinite(end))
        return false;
    if (start == view.m_XMin && end == view.m_XMax)
        return false;
    view.m_XMin = start;
    view.m_XMax = end;
    return true;
}

std::optional<double> finite(std::optional<double> v) {
    if (v && !std::isfinite(*v))
        return std::nullopt;
    return v;
}

}  // namespace

bool auto_x_scroll(PlotViewState& view, const PlotData& doc) {
    const std::optional<double> latest = finite(doc.latest_x());
    const double s = view.m_XMax - view.m_XMin;
    if (!latest || !std::isfinite(s))
        return false;
    const double a = *latest;
    if (a >= view.m_XMax)
        return move_x_window(view, a - 0.1 * s, s);
    if (a <= view.m_XMin) {
        // The data restarted: show it from its start if that fits in the window.
        const std::optional<double> f = doc.earliest_x();
        const double start = (f && s > a - *f) ? *f : a - 0.1 * s;
        return move_x_window(view, start, s);
    }
    return false;
}

namespace {

bool valid_page(const PlotViewState& view) {
    return view.m_PageSpan > 0.0 && std::isfinite(view.m_PageSpan) && view.m_PageWidth > 0;
}

// Ticks one more page adds: it shares its first tick with the last of the page before.
int page_intervals(const PlotViewState& view) {
    return view.m_PageTicks > 1 ? view.m_PageTicks - 1 : 0;
}

// The logical right edge of x range [minimum, maximum] at one page per window width, or
// nothing when that would be wider than the scrollable width may grow.
std::optional<int> right_edge_for(const PlotViewState& view, double minimum, double maximum) {
    const double width = (maximum - minimum) / view.m_PageSpan * view.m_PageWidth;
    const double right = std::round(width + view.m_ClientRect.left);
    if (!(width <= kMaxLogicalWidth) || !(right <= std::numeric_limits<int>::max())) {
        return std::nullopt;
    }
    return static_cast<int>(right);
}

// A tick count, held within int32 (a file may give a page any count: the plot still grows, and
// ticks that dense are drawn one per pixel anyway); nothing when it is no number.
std::optional<int> tick_count(double ticks) {
    if (std::isnan(ticks))
        return std::nullopt;
    constexpr double kLeast = std::numeric_limits<std::int32_t>::min();
    constexpr double kMost = std::numeric_limits<std::int32_t>::max();
    return static_cast<int>(std::clamp(std::round(ticks), kLeast, kMost));
}

struct XSnapshot {
    double min;
    double max;
    int ticks;
    int right;
    explicit XSnapshot(const PlotViewState& v)
        : min(v.m_XMin), max(v.m_XMax), ticks(v.m_XTicks), right(v.m_ClientRect.right) {}
    bool operator==(const XSnapshot&) const = default;
};

// Reaches back to the earliest x when it lies at or before the window, keeping the page's
// tick spacing. A reach that would make the plot too wide is left out.
void reach_back(PlotViewState& view, double earliest) {
    if (!(earliest <= view.m_XMin))
        return;
    const double back = view.m_XMin - earliest;
    const std::optional<int> right = right_edge_for(view, earliest, view.m_XMax);
    const std::optional<int> ticks =
        tick_count(view.m_XTicks + std::round(back * page_intervals(view) / view.m_PageSpan));
    if (!right || !ticks)
        return;
    view.m_XMin = earliest;
    view.m_XTicks = *ticks;
    view.m_ClientRect.right = *right;
}

// m_XMax carried past a by whole pages, added one at a time as the data arrive: the sums, and
// the tick values drawn from them, are the same whether one tick adds one page or many.
struct PagesAdded {
    double max;
    double pages;
};

// One tick adds at most this many pages (some 30 ms of additions): only a window narrower
// than 100 pixels can scroll so many, and a jump that far is refused like one too wide.
constexpr double kMostPagesAtOnce = 1e7;

// Nothing when a page is too small to move m_XMax, when the pages would make the plot wider
// than it may scroll, or when they are more than one tick adds.
std::optional<PagesAdded> add_pages_past(const PlotViewState& view, double a) {
    const double span = view.m_PageSpan;
    // Pages the scrollable width holds, one spare: right_edge_for has the last word.
    const double room = static_cast<double>(kMaxLogicalWidth) / view.m_PageWidth + 1.0;
    // Each rounded sum moves m_XMax by at most the span and half a unit in the last place of
    // the sum, so data too far off are refused without adding a single page.
    const double top = std::max(std::fabs(view.m_XMax), std::fabs(a)) + 2.0 * span;
    const double half_ulp =
        (std::nextafter(top, std::numeric_limits<double>::infinity()) - top) / 2.0;
    if (!((a - view.m_XMax) / (span + half_ulp) <= std::min(room, kMostPagesAtOnce)))
        return std::nullopt;
    const double widest = view.m_XMin + room * span;
    PagesAdded added{view.m_XMax, 0.0};
    do {
        const double next = added.max + span;
        if (!(next > added.max) || next > widest || added.pages >= kMostPagesAtOnce)
            return std::nullopt;
        added.max = next;
        added.pages += 1.0;
    } while (!(added.max > a));
    return added;
}

}  // namespace

bool extend_x_scrollbar(PlotViewState& view, const PlotData& doc) {
    if (!view.m_XScrollbarMode || !valid_page(view))
        return false;
    const std::optional<double> latest = finite(doc.latest_x());
    if (!latest)
        return false;
    const double a = *latest;
    const XSnapshot before(view);

    if (a >= view.m_XMax) {
        const std::optional<PagesAdded> added = add_pages_past(view, a);
        if (!added)
            return false;
        const std::optional<int> right = right_edge_for(view, view.m_XMin, added->max);
        const std::optional<int> ticks =
            tick_count(view.m_XTicks + added->pages * page_intervals(view));
        if (!right || !ticks)
            return false;  // the plot would grow too wide to scroll
        view.m_XMax = added->max;
        view.m_XTicks = *ticks;
        view.m_ClientRect.right = *right;
    } else if (a <= view.m_XMin) {
        // The data restarted: one page from its start, or ending just after the latest x.
        double f = doc.earliest_x().value_or(a);
        if (f <= a - view.m_PageSpan)
            f = a - 0.1 * view.m_PageSpan;
        const std::optional<int> right = right_edge_for(view, f, f + view.m_PageSpan);
        if (!std::isfinite(f + view.m_PageSpan) || !right)
            return false;
        view.m_XMin = f;
        view.m_XMax = f + view.m_PageSpan;
        view.m_XTicks = view.m_PageTicks;
        view.m_ClientRect.right = *right;
    }
    return XSnapshot(view) != before;
}

XScrollbarChange enter_x_scrollbar_mode(PlotViewState& view, const PlotData& doc) {
    XScrollbarChange result;
    const std::optional<double> earliest = doc.earliest_x();
    if (doc.all_curves_empty() || !earliest || !doc.latest_x()) {
        result.outcome = XScrollbarChange::Outcome::NoData;
        return result;
    }
    const double span = view.m_XMax - view.m_XMin;
    const int width = view.m_ClientRect.width();
    if (!(span > 0.0) || !std::isfinite(span) || width <= 0) {
        result.outcome = XScrollbarChange::Outcome::EmptyPage;
        return result;
    }

    if (view.m_AutoXScroll) {
        view.m_AutoXScroll = false;
        view.m_AutoXScrollSuspended = true;
    }
    view.m_PageSpan = span;
    view.m_PageWidth = width;
    view.m_PageTicks = view.m_XTicks;
    view.m_PanAllowed = false;
    view.m_XScrollbarMode = true;

    const XSnapshot before(view);
    reach_back(view, *earliest);
    extend_x_scrollbar(view, doc);
    if (XSnapshot(view) == before)
        return result;

    result.changed = true;
    const double logical_width = view.m_ClientRect.right - view.m_ClientRect.left;
    result.scroll_position = static_cast<int>(
        std::round((before.min - view.m_XMin) / (view.m_XMax - view.m_XMin) * logical_width +
                   view.m_ClientRect.left));
    return result;
}

void leave_x_scrollbar_mode(PlotViewState& view, int scroll_position, const PixelRect& client) {
    if (!view.m_XScrollbarMode)
        return;
    view.m_XScrollbarMode = false;
    if (view.m_AutoXScrollSuspended) {
        view.m_AutoXScroll = true;
        view.m_AutoXScrollSuspended = false;
    } else if (valid_page(view)) {
        // The x value at the scroll position under the plot's own mapping.
        const AxisMap page{view.m_XMin, view.m_PageSpan, 0, 1, view.m_PageWidth};
        const double start = page.to_value(scroll_position);
        if (std::isfinite(start))
            view.m_XMin = start;
    }
    const double end = view.m_XMin + view.m_PageSpan;
    if (view.m_PageSpan > 0.0 && std::isfinite(end))
        view.m_XMax = end;
    view.m_PanAllowed = true;
    view.m_XTicks = view.m_PageTicks;
    view.m_ClientRect = client;
}

bool follow_data(PlotViewState& view, const PlotData& doc) {
    if (!view.m_FollowData)
        return false;
    const plot_limits before = view;
    if (view.m_AutoX && !view.m_AutoXScroll && !view.m_XScrollbarMode)
        apply_automatic_x_range(view, doc);
    if (view.m_AutoY) {
        const bool inverted = before.m_YMin > before.m_YMax;
        if (apply_automatic_y_range(view, doc) && inverted)
            std::swap(view.m_YMin, view.m_YMax);
    }
    return view.m_XMin != before.m_XMin || view.m_XMax != before.m_XMax ||
           view.m_YMin != before.m_YMin || view.m_YMax != before.m_YMax;
}

}  // namespace tarvik
