#include "view_commands.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "plot_defaults.h"
#include "tarvik_doc.h"
#include "view_ranges.h"

namespace tarvik {

namespace {

bool has_curve(const PlotViewState& state, int curve) {
    return curve >= 0 && curve < state.m_Curves.curve_count();
}

std::int16_t low16(std::int32_t v) {
    return static_cast<std::int16_t>(v & 0xFFFF);
}

// Tick positions and extra ticks differ by the two ends; a count from a message may be any
// int32, so the sum stops at the ends of the range instead of overflowing.
std::int32_t ticks_plus(std::int32_t ticks, std::int32_t more) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t{ticks} + more, INT32_MIN, INT32_MAX));
}

}  // namespace

bool apply_line_property(PlotViewState& state, const LinePropertyChange& change) {
    if (!has_curve(state, change.curve))
        return false;
    CurveStyleTables& curves = state.m_Curves;
    switch (change.kind) {
        case LinePropertyChange::Colour:
            curves.set_colour(change.curve, rgb(change.red, change.green, change.blue));
            return true;
        case LinePropertyChange::Width:
            curves.set_width(change.curve, low16(change.width));
            return true;
        case LinePropertyChange::Style:
            curves.set_style(change.curve, to_line_style(low16(change.style)));
            return true;
        case LinePropertyChange::PointSize:
            curves.set_point_size(change.curve, low16(change.point_size));
            return true;
        default:
            return false;
    }
}

void apply_window_property(PlotViewState& state, const PlotData& doc,
                           const WindowPropertyChange& change) {
    switch (change.page) {
        case WindowPropertyChange::XRange:
            if (change.x_automatic) {
                apply_automatic_x_range(state, doc);
            } else {
                state.m_XMin = change.x_minimum;
                state.m_XMax = change.x_maximum;
                state.m_AutoX = false;
            }
            break;
        case WindowPropertyChange::YRange:
            if (change.y_automatic) {
                apply_automatic_y_range(state, doc);
            } else {
                state.m_YMin = change.y_minimum;
                state.m_YMax = change.y_maximum;
                state.m_AutoY = false;
            }
            break;
        case WindowPropertyChange::Ticks:
            state.m_XTicks = ticks_plus(change.x_extra_ticks, 2);
            state.m_YTicks = ticks_plus(change.y_extra_ticks, 2);
            break;
        case WindowPropertyChange::Precision:
            state.m_XPrecision = change.x_precision;
            state.m_YPrecision = change.y_precision;
            state.m_XFormat = to_number_format(change.x_notation);
            state.m_YFormat = to_number_format(change.y_notation);
            break;
        default:
            break;
    }
}

void apply_line_look(PlotViewState& state, int curve, int red, int green, int blue, int width,
                     int style, int point_size) {
    LinePropertyChange change;
    change.curve = curve;
    change.red = red;
    change.green = green;
    change.blue = blue;
    change.width = width;
    change.style = style;
    change.point_size = point_size;
    for (const auto kind : {LinePropertyChange::Colour, LinePropertyChange::Width,
                            LinePropertyChange::Style, LinePropertyChange::PointSize}) {
        change.kind = kind;
        apply_line_property(state, change);
    }
}

void apply_window_pages(PlotViewState& state, const PlotData& doc, const WindowPages& pages) {
    WindowPropertyChange change;
    change.x_minimum = pages.x_minimum;
    change.x_maximum = pages.x_maximum;
    change.x_automatic = pages.x_automatic;
    change.y_minimum = pages.y_minimum;
    change.y_maximum = pages.y_maximum;
    change.y_automatic = pages.y_automatic;
    change.x_extra_ticks = ticks_plus(pages.x_ticks, -2);
    change.y_extra_ticks = ticks_plus(pages.y_ticks, -2);
    change.x_precision = pages.x_precision;
    change.y_precision = pages.y_precision;
    change.x_notation = pages.x_notation;
    change.y_notation = pages.y_notation;
    for (const auto page : {WindowPropertyChange::XRange, WindowPropertyChange::YRange,
                            WindowPropertyChange::Ticks, WindowPropertyChange::Precision}) {
        change.page = page;
        apply_window_property(state, doc, change);
    }
}

bool apply_mark_line(PlotViewState& state, const MarkLineChange& change) {
    if (!has_curve(state, change.curve))
        return false;
    state.m_Curves.set_colour(change.curve, change.colour);
    return true;
}

void freeze(PlotViewState& state, CTarvikDoc& doc) {
    if (state.m_Frozen)
        return;
    state.m_Frozen = true;
    state.m_SavedInterval = doc.timer_interval();
    doc.SetTimerInterval(0);
}

void unfreeze(PlotViewState& state, CTarvikDoc& doc) {
    if (!state.m_Frozen)
        return;
    state.m_Frozen = false;
    doc.SetTimerInterval(state.m_SavedInterval);
}

void set_running_interval(PlotViewState& state, CTarvikDoc& doc, std::int32_t interval_ms) {
    if (state.m_Frozen)
        state.m_SavedInterval = interval_ms;
    else
        doc.SetTimerInterval(interval_ms);
}

void invert_y(PlotViewState& state) {
    std::swap(state.m_YMin, state.m_YMax);
}

bool periodic_save_due(const PlotViewState& state, std::time_t now) {
    return state.m_SaveActive && now - state.m_LastSaveTime > state.m_SaveInterval;
}

void start_periodic_saving(PlotViewState& state) {
    const std::int32_t least = PlotLimits::instance().default_saving_interval;
    if (state.m_SaveInterval < least)
        state.m_SaveInterval = least;
    state.m_SaveActive = true;
}

}  // namespace tarvik
