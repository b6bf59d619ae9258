// Everything a plot view owns about display, as plain data: ranges, ticks, label formats,
// scroll modes, timer bookkeeping, grid, legend, titles, font, periodic saving and the
// per-curve drawing tables. The widget that shows a plot keeps one of these; the document
// reaches it through its view.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "curve_styles.h"

namespace tarvik {

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const PixelRect&) const = default;
};

// The visible ranges; y minimum may exceed y maximum (an inverted y axis).
struct plot_limits {
    plot_limits();
    plot_limits(double x_min, double x_max, double y_min, double y_max)
        : m_XMin(x_min), m_XMax(x_max), m_YMin(y_min), m_YMax(y_max) {}
    double m_XMin;
    double m_XMax;
    double m_YMin;
    double m_YMax;
};

struct PlotViewState : plot_limits {
    PlotViewState();

    // Ranges and ticks.
    bool m_AutoX = true;
    bool m_AutoY = true;
    std::int32_t m_XTicks;
    std::int32_t m_YTicks;
    std::int32_t m_TickLength;
    std::int32_t m_XPrecision;
    std::int32_t m_YPrecision;
    NumberFormat m_XFormat = FIXED;  // a value other than FIXED and SCIENTIFIC: general notation
    NumberFormat m_YFormat = FIXED;

    // Geometry and the two ways the x range follows the data.
    PixelRect m_ClientRect;
    PixelRect m_PlotArea;
    bool m_XScrollbarMode = false;
    bool m_AutoXScroll = false;
    bool m_AutoXScrollSuspended = false;
    double m_PageSpan = 0.0;
    std::int32_t m_PageWidth = 0;
    std::int32_t m_PageTicks = 0;
    bool m_PanAllowed = true;
    // Every data update fits the automatic ranges to the data again (not saved with a plot).
    bool m_FollowData = false;

    // Timer bookkeeping.
    std::uint32_t m_TimerId = 0;
    std::uint32_t m_TickCounter = 0;
    std::uint32_t m_MaxTries = 0xFFFFFFFFu;  // never forces a re-read
    bool m_Frozen = false;
    std::int32_t m_SavedInterval = 0;
    // The interval the plot runs at when it is not frozen: the timer's, or while frozen the
    // one Unfreeze restores.
    std::int32_t running_interval(std::int32_t timer_interval) const {
        return m_Frozen ? m_SavedInterval : timer_interval;
    }

    // Decoration.
    bool m_Grid = true;
    bool m_Legend = true;
    bool m_DataTips = true;
    std::string m_Title;
    std::string m_XLabel;
    std::string m_YLabel;
    std::string m_FontName;
    std::int32_t m_FontSize;  // tenths of a point

    // Periodic saving.
    bool m_SaveActive = false;
    std::int32_t m_SaveInterval;  // seconds
    std::int32_t m_SaveType = 1;  // 1 PNG, 2 BMP
    std::string m_SaveFileName;
    std::time_t m_LastSaveTime;

    bool m_StartMaximised = false;

    CurveStyleTables m_Curves;
};

}  // namespace tarvik
