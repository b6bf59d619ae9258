// The window's picture on a screen of any device pixel ratio. Qt measures windows in logical
// pixels; a scaled screen shows `ratio` device pixels (1.25, 1.5, 2, ...) for each. The picture
// is laid out and drawn in device pixels, its font at the screen's resolution and a one-pixel
// pen one device pixel wide, and is shown at the ratio, so it is as sharp as the screen. The
// view's state (client rectangle, scroll positions) stays in logical pixels: ScreenScale is the
// one place that turns them into device pixels. Saved pictures are not drawn here; they keep
// the logical size at any ratio.
#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

#include "plot_layout.h"
#include "plot_view_state.h"

namespace tarvik {

class PlotData;

struct ScreenScale {
    double ratio = 1.0;

    // A logical coordinate or length in device pixels, the nearest one.
    int to_device(int logical) const;
    PixelRect to_device(const PixelRect& logical) const;
    // The device pixel under a logical pointer position of the window scrolled by `scroll`
    // logical pixels, in the coordinates the plot is drawn in.
    QPoint pointer_pixel(QPointF position, int scroll) const;
    // The device pixels a picture needs to cover a window of `logical` size.
    QSize device_size(QSize logical) const;
    // The hit radius in device pixels.
    int hit_radius() const;
};

// Draws the plot whose client rectangle is `client` (logical), scrolled by `scroll` logical
// pixels, into `picture`, made anew when it lacks the device size of a window of `window` size.
// The picture comes out with the scale's device pixel ratio, ready to be drawn on the window.
void draw_screen_picture(QImage& picture, const ScreenScale& scale, QSize window,
                         const PixelRect& client, int scroll, PlotViewState& state,
                         const PlotData& doc);

// The layout of that picture in device pixels: what hit tests and the wheel measure against.
PlotLayout screen_layout(const ScreenScale& scale, const PlotViewState& state,
                         const PixelRect& client);

}  // namespace tarvik
