// Several curves drawn column by column into an image, strip by strip: every curve in each
// strip in its order, so the strip's pixels stay in a core's cache while all the curves write
// into them, and strips shared between the calling thread and a helper on another core.
#pragma once

#include <QRect>
#include <memory>
#include <span>

#include "curve_painter.h"
#include "line_container.h"
#include "plot_view_state.h"

class QPainter;

namespace tarvik {

// One generation of one curve, as it is drawn.
struct CurveDraw {
    const LineContainer* store;
    CurvePen pen;
    CurvePaintOptions options;
};

// Curves drawn in strips, begun before the plot's background (white, axes, grid) is drawn: a
// helper thread at once starts finding the curves' runs strip by strip, and holds them back
// until draw() says the background is done. The curves and the painter's image must outlive
// the object.
class CurvesInStrips {
  public:
    // Draws `curves` (each drawn_in_strips) over the columns of `shown` within plot area `area`,
    // with the plot's ranges, as drawing them one after another would: each strip is clipped,
    // and a one-pixel line between whole pixels paints within a clip exactly the pixels it
    // paints without one. With use_helper, a second thread draws some of the strips when the
    // device is a 32-bit image.
    CurvesInStrips(QPainter& painter, const QRect& shown, const PixelRect& area,
                   const plot_limits& ranges, std::span<const CurveDraw> curves,
                   bool use_helper = true);
    // Lets the helper draw what it holds (had draw() not been called), and waits for it.
    ~CurvesInStrips();
    CurvesInStrips(const CurvesInStrips&) = delete;
    CurvesInStrips& operator=(const CurvesInStrips&) = delete;

    // The background is done: draws the strips, on this thread and the helper, and waits for
    // it. Leaves the painter's clip at the plot area.
    void draw(QPainter& painter);

  private:
    struct Shared;
    void wait_for_helper();

    std::shared_ptr<Shared> shared_;
};

// The curves in strips at once, over a background already drawn.
void draw_curves_in_strips(QPainter& painter, const QRect& shown, const PixelRect& area,
                           const plot_limits& ranges, std::span<const CurveDraw> curves,
                           bool use_helper = true);

}  // namespace tarvik
