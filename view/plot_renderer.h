// Draws one plot with QPainter onto any target — the window, an image, a printer page: white
// background, axes and ticks, the dotted grid, the curves with their older generations, tick
// labels, title, axis labels and legend. The printer's differences are parameters of the same
// drawing, not a second copy of it.
#pragma once

#include "curve_painter.h"
#include "plot_layout.h"
#include "plot_view_state.h"

class QPainter;
class QPaintDevice;

namespace tarvik {

class PlotData;

struct DrawParameters {
    // The page draw: texts before curves and the legend inside the plot area's clip; axis pen
    // and tick length scaled; curve pens kept in printer pixels and joined as polylines; marker
    // radius scaled; the view's remembered plot area left alone.
    bool printer = false;
    double scale = 1.0;  // printer pixels per window pixel
    CurvePaintOptions curves;
    // Smoothed glyph edges read better on screen; the 16-colour capture wants crisp black text
    // (the painter's text hint alone does not reach the glyphs, the font's strategy does).
    bool antialiased_text = true;
    // Device pixels per window pixel of a scaled screen's picture: tick marks, text gaps,
    // markers and pens wider than one pixel grow with it; a one-pixel pen stays one device
    // pixel wide, the finest line the screen shows. Fonts follow the picture's resolution.
    double pixel_ratio = 1.0;
};

// The layout the draw uses in rectangle r on `device`: the plot font measured there and the
// tick labels' widths. Hit tests take the screen's plot area from here.
PlotLayout plot_layout_on(const PlotViewState& state, const PixelRect& r,
                          const QPaintDevice* device);

// Draws the plot of `doc` with the view's settings into rectangle r of the painter's device.
// The screen draw records the plot area in state.m_PlotArea (hit tests use it).
void draw_plot(QPainter& painter, const PixelRect& r, PlotViewState& state, const PlotData& doc,
               const DrawParameters& parameters = {});

}  // namespace tarvik
