// How the view's ranges follow the data: following data, automatic x scroll and the
// x-scrollbar mode, in which the plot grows to the right in whole windows and the user scrolls
// along it. Arithmetic on the view state only; the widget applies scroll sizes and redraws.
#pragma once

#include <utility>

#include "automatic_range.h"
#include "plot_view_state.h"

namespace tarvik {

class PlotData;

// Moves the x window so that the latest x is in view: a window reached by the data jumps so
// the newest point sits a tenth in from the left; data that restarted at or before the left
// edge brings the window back to its start. True when the range moved.
bool auto_x_scroll(PlotViewState& view, const PlotData& doc);

inline constexpr const char* kNoDataForScrollbarText =
    "No data points in file, unable to switch modes";
inline constexpr const char* kNoDataForScrollbarCaption = "Mode-switching error";
// Under the same caption: a window that would be a page without x values to scroll.
inline constexpr const char* kEmptyPageForScrollbarText =
    "The x range has no span or the window no width, unable to switch modes";

// The scrollable width never grows past this many pixels.
inline constexpr int kMaxLogicalWidth = 1000000000;

struct XScrollbarChange {
    enum class Outcome {
        Entered,
        NoData,     // no curve has a point: tell the user, the mode stays off
        EmptyPage,  // the window has no width or the x range no span: the mode stays off
    };
    Outcome outcome = Outcome::Entered;
    // The range or the logical width changed: reset the scroll sizes to the logical width
    // (m_ClientRect), scroll horizontally to scroll_position and redraw.
    bool changed = false;
    int scroll_position = 0;  // where the window's old left edge now lies
};

// Enters x-scrollbar mode: the current window becomes one page, the plot reaches back to the
// earliest x and forward past the latest x. m_ClientRect.right becomes the logical right edge.
XScrollbarChange enter_x_scrollbar_mode(PlotViewState& view, const PlotData& doc);

// Grows the range by whole pages until it holds the latest x, or starts over at one page when
// the data restarted. True when anything changed: reset the scroll sizes to the logical width.
bool extend_x_scrollbar(PlotViewState& view, const PlotData& doc);

// Leaves x-scrollbar mode showing one page: the one at scroll_position (pixels from the left of
// the scrollable width), or from the left end when automatic x scroll comes back on. client
// is the window's client rectangle again.
void leave_x_scrollbar_mode(PlotViewState& view, int scroll_position, const PixelRect& client);

// "Follow data", run after every data update: each axis whose range is automatic (m_AutoX,
// m_AutoY) gets the automatic range of the data again, so growing data stay in view. The x
// axis is left to automatic x scroll and to x-scrollbar mode while either is on; an inverted y
// axis stays inverted. Nothing happens while m_FollowData is off. True when a range changed.
bool follow_data(PlotViewState& view, const PlotData& doc);

}  // namespace tarvik
