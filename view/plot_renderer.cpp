#include "plot_renderer.h"

#include <QFont>
#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "axis_map.h"
#include "axis_scale.h"
#include "curve_strips.h"
#include "plot_data.h"
#include "plot_defaults.h"
#include "plot_layout.h"
#include "tick_label_formatter.h"

namespace tarvik {

namespace {

QColor to_qcolor(Colour c) {
    return QColor(red_of(c), green_of(c), blue_of(c));
}

QRect to_qrect(const PixelRect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

QString qtext(const std::string& s) {
    return QString::fromStdString(s);
}

QFont plot_font(const PlotViewState& state, bool antialiased) {
    QFont font(qtext(state.m_FontName));
    font.setStyleHint(QFont::TypeWriter, antialiased ? QFont::PreferDefault : QFont::NoAntialias);
    // A scaled screen turns the fonts' default hinting off; a saved picture keeps the hinting
    // it has on an unscaled one, so that it comes out the same on every screen.
    if (!antialiased)
        font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setPointSizeF(std::max(state.m_FontSize, 10) / 10.0);
    return font;
}

// The ticks one axis draws: marks, and those of them that get a grid line and a label.
struct AxisTicks {
    std::vector<int> marked;
    std::vector<int> labelled;
};

// Everything the steps of one draw share.
struct Frame {
    QPainter& painter;
    const PixelRect& r;
    PlotViewState& state;
    const PlotData& doc;
    const DrawParameters& parameters;
    QFontMetrics metrics;
    TickLabelFormatter x_labels;
    TickLabelFormatter y_labels;
    PlotLayout layout;
    AxisScale x_axis;
    AxisScale y_axis;
    AxisTicks x_ticks;
    AxisTicks y_ticks;

    const PixelRect& p() const { return layout.plot_area; }
    // A length in window pixels in the picture's pixels (a scaled screen's device pixels).
    int on_screen(int length) const {
        return static_cast<int>(std::lround(length * parameters.pixel_ratio));
    }
    // A pen of one pixel (or none) stays one device pixel; wider pens keep their weight.
    int pen_on_screen(int width) const { return width > 1 ? on_screen(width) : width; }
};

// Labels and grid lines along one axis while every tick gets one: twice as many as the
// dialogs' largest tick count, so a plot the dialogs can set keeps them all. Beyond that (a
// tick count may be anything up to 2^31 - 1) more would only blacken the same place.
int most_labels() {
    return 2 * (PlotLimits::instance().maximum_extra_ticks + 2);
}

// The plot area, its right and bottom edges included.
QRect plot_clip(const PixelRect& p) {
    return QRect(p.left, p.top, p.width() + 1, p.height() + 1);
}

// The part of the drawing the device shows, in the drawing's coordinates: in x-scrollbar mode
// the drawing is many windows wide and the device one window.
QRect visible_part(const QPainter& painter, const PixelRect& r) {
    const QPaintDevice* device = painter.device();
    bool invertible = false;
    const QTransform back = painter.combinedTransform().inverted(&invertible);
    if (!device || !invertible || device->width() <= 0 || device->height() <= 0)
        return to_qrect(r);
    return back.mapRect(QRect(0, 0, device->width(), device->height()));
}

// [low - margin, high + margin] within the range of int.
std::pair<int, int> widened(int low, int high, std::int64_t margin) {
    constexpr std::int64_t kLeast = std::numeric_limits<int>::min();
    constexpr std::int64_t kMost = std::numeric_limits<int>::max();
    return {static_cast<int>(std::clamp(low - margin, kLeast, kMost)),
            static_cast<int>(std::clamp(high + margin, kLeast, kMost))};
}

// Ticks are drawn only where the device shows them, widened by how far a label reaches from
// its tick, and at most one mark per pixel: a paint costs no more for a huge tick count. When
// there are too many to label each, labels and grid lines stand at every k-th tick, at least
// `least_gap` pixels apart, so they can still be read.
AxisTicks ticks_in_view(const AxisScale& axis, std::pair<int, int> view, int least_gap) {
    return {axis.ticks_between(view.first, view.second),
            axis.labelled_between(view.first, view.second, most_labels(), least_gap)};
}

void choose_ticks(Frame& f) {
    const QRect seen = visible_part(f.painter, f.r);
    const int x_label =
        std::max(f.metrics.horizontalAdvance(qtext(f.x_labels.format(f.x_axis.minimum))),
                 f.metrics.horizontalAdvance(qtext(f.x_labels.format(f.x_axis.maximum))));
    const int row = f.metrics.height() + f.metrics.leading();
    const std::int64_t x_reach = std::int64_t{x_label} / 2 + 2 * std::int64_t{f.layout.char_width};
    const std::int64_t y_reach = 3 * std::int64_t{row};
    // Thinned labels keep a label's width free between them along x, two lines along y.
    f.x_ticks = ticks_in_view(f.x_axis, widened(seen.left(), seen.right(), x_reach), 2 * x_label);
    f.y_ticks = ticks_in_view(f.y_axis, widened(seen.top(), seen.bottom(), y_reach), 3 * row);
}

// Tick marks as lines, and runs of marks on neighbouring pixels (ticks denser than pixels
// make one along the whole axis) as blocks: a block covers the pixels of its flat-capped
// 1-pixel lines (all but the end point of each) at a fraction of the cost.
struct Marks {
    std::vector<QLine> lines;
    std::vector<QRect> blocks;
};

// The pixels of the given positions as runs of neighbouring pixels [first, last].
std::vector<std::pair<int, int>> pixel_runs(const AxisScale& axis, const std::vector<int>& ticks) {
    std::vector<int> pixels;
    pixels.reserve(ticks.size());
    for (const int i : ticks)
        pixels.push_back(axis.tick_pixel(i));
    std::sort(pixels.begin(), pixels.end());
    std::vector<std::pair<int, int>> runs;
    for (const int pixel : pixels) {
        if (!runs.empty() && pixel <= runs.back().second + std::int64_t{1})
            runs.back().second = pixel;
        else
            runs.emplace_back(pixel, pixel);
    }
    return runs;
}

void draw_axes_and_ticks(Frame& f) {
    const PixelRect& p = f.p();
    const int axis_width =
        f.parameters.printer
            ? static_cast<int>(PlotDefaults::instance().axis_pen_width * f.parameters.scale)
            : f.pen_on_screen(PlotDefaults::instance().axis_pen_width);
    QPen axis(Qt::black);
    axis.setWidth(std::max(axis_width, 1));
    axis.setCosmetic(axis_width <= 1);
    axis.setCapStyle(Qt::FlatCap);  // wide axes and ticks end where they are meant to
    f.painter.setPen(axis);
    f.painter.drawLine(p.left, p.bottom, p.right, p.bottom);
    f.painter.drawLine(p.left, p.bottom, p.left, p.top);
    const int length = f.parameters.printer
                           ? static_cast<int>(f.state.m_TickLength * f.parameters.scale)
                           : f.on_screen(f.state.m_TickLength);
    Marks marks;
    const bool blocks = axis.isCosmetic() && !f.parameters.printer && length > 0;
    for (const auto& [first, last] : pixel_runs(f.x_axis, f.x_ticks.marked)) {
        if (blocks && last > first)
            marks.blocks.emplace_back(first, p.bottom - length, last - first + 1, length);
        else
            for (int x = first; x <= last; ++x)
                marks.lines.emplace_back(x, p.bottom - length, x, p.bottom);
    }
    for (const auto& [first, last] : pixel_runs(f.y_axis, f.y_ticks.marked)) {
        if (blocks && last > first)
            marks.blocks.emplace_back(p.left, first, length, last - first + 1);
        else
            for (int y = first; y <= last; ++y)
                marks.lines.emplace_back(p.left, y, p.left + length, y);
    }
    f.painter.drawLines(marks.lines.data(), static_cast<int>(marks.lines.size()));
    for (const QRect& block : marks.blocks)
        f.painter.fillRect(block, Qt::black);
}

// Dotted lines at every labelled tick but the one on the axis.
void draw_grid(Frame& f) {
    if (!f.state.m_Grid)
        return;
    const PixelRect& p = f.p();
    QPen dotted(Qt::black);
    dotted.setStyle(Qt::DotLine);
    dotted.setCosmetic(true);
    f.painter.setPen(dotted);
    for (const int i : f.x_ticks.labelled) {
        const int x = f.x_axis.tick_pixel(i);
        if (i > 0)
            f.painter.drawLine(x, p.bottom, x, p.top);
    }
    for (const int i : f.y_ticks.labelled) {
        const int y = f.y_axis.tick_pixel(i);
        if (i > 0)
            f.painter.drawLine(p.left, y, p.right, y);
    }
}

// A curve's width and point size draw as at most the largest the dialogs offer: a file or a
// message may hold anything up to 32767, and a pen that wide costs seconds over a few
// thousand points. The tables keep what they hold, so a configuration saved again keeps it.
std::int16_t drawn_width(std::int16_t width) {
    return static_cast<std::int16_t>(
        std::min<int>(width, PlotLimits::instance().maximum_line_width));
}
int drawn_point_size(std::int16_t point_size) {
    return std::min<int>(point_size, PlotLimits::instance().maximum_point_size);
}

// Oldest generation first, so the newest data ends up on top.
std::vector<CurveDraw> curve_draws(Frame& f) {
    std::vector<CurveDraw> draws;
    const CurveStyleTables& styles = f.state.m_Curves;
    for (int i = 0; i < f.doc.curve_count(); ++i) {
        const auto& history = f.doc.history(i);
        const bool styled = i < styles.curve_count();
        const int generations = static_cast<int>(history.size());
        for (int g = generations - 1; g >= 0; --g) {
            const LineContainer& store = history[static_cast<std::size_t>(g)];
            if (store.count == 0)
                continue;
            CurvePen pen;
            pen.colour = Qt::black;
            if (styled && g < styles.generation_count(i)) {
                const auto k = static_cast<std::size_t>(i);
                const auto j = static_cast<std::size_t>(g);
                pen.colour = to_qcolor(styles.m_Colours[k][j]);
                pen.style = styles.m_Styles[k][j];
                pen.width = drawn_width(styles.m_Widths[k][j]);
                pen.marker_radius = drawn_point_size(styles.m_PointSizes[k][j]);
            }
            if (f.parameters.printer) {
                pen.marker_radius = static_cast<int>(pen.marker_radius * f.parameters.scale);
            } else {
                pen.marker_radius = f.on_screen(pen.marker_radius);
                pen.width = static_cast<std::int16_t>(std::min(f.pen_on_screen(pen.width), 32767));
            }
            CurvePaintOptions options = f.parameters.curves;
            options.polylines = options.polylines || f.parameters.printer;
            draws.push_back({&store, pen, options});
        }
    }
    return draws;
}

// The curves in their drawing order. Runs of dense curves that can be drawn strip by strip
// into an image go together (on two cores); the others are drawn whole, in between, in their
// order. A sparse curve would cost more in setting up each strip than it saves. The first run
// is begun before the background is drawn, so that the helper thread finds its runs meanwhile.
struct CurvePlan {
    std::vector<CurveDraw> draws;
    std::size_t early_first = 0;
    std::optional<CurvesInStrips> early;
};

bool goes_in_strips(const Frame& f, const CurveDraw& d) {
    constexpr std::size_t kPointsPerColumnWorthStrips = 8;
    const QPaintDevice* device = f.painter.device();
    const bool image = device && device->devType() == QInternal::Image && !f.parameters.printer;
    const auto columns = static_cast<std::size_t>(std::max(f.p().width() + 1, 1));
    return image && d.store->x.size() >= kPointsPerColumnWorthStrips * columns &&
           drawn_in_strips(*d.store, d.pen, d.options);
}

// The end of the run of curves drawn in strips that starts at `first`.
std::size_t end_of_strip_run(const Frame& f, const std::vector<CurveDraw>& draws,
                             std::size_t first) {
    std::size_t end = first + 1;
    while (end < draws.size() && goes_in_strips(f, draws[end]))
        ++end;
    return end;
}

QRect columns_shown(const Frame& f) {
    return visible_part(f.painter, f.r).intersected(plot_clip(f.p()));
}

void begin_curves(Frame& f, CurvePlan& plan) {
    plan.draws = curve_draws(f);
    const auto& draws = plan.draws;
    for (std::size_t i = 0; i < draws.size(); ++i) {
        if (goes_in_strips(f, draws[i])) {
            const std::size_t end = end_of_strip_run(f, draws, i);
            plan.early_first = i;
            plan.early.emplace(f.painter, columns_shown(f), f.p(), f.state,
                               std::span(draws.data() + i, end - i));
            return;
        }
    }
}

void draw_curves(Frame& f, CurvePlan& plan) {
    const auto& draws = plan.draws;
    for (std::size_t i = 0; i < draws.size();) {
        if (!goes_in_strips(f, draws[i])) {
            paint_curve(f.painter, *draws[i].store, f.state, f.p(), draws[i].pen, draws[i].options);
            ++i;
            continue;
        }
        const std::size_t end = end_of_strip_run(f, draws, i);
        if (plan.early && i == plan.early_first)
            plan.early->draw(f.painter);
        else
            draw_curves_in_strips(f.painter, columns_shown(f), f.p(), f.state,
                                  std::span(draws.data() + i, end - i));
        i = end;
    }
}

void draw_tick_labels(Frame& f) {
    const PixelRect& p = f.p();
    f.painter.setPen(Qt::black);
    const int ascent = f.metrics.ascent();
    const int gap = f.on_screen(2);
    for (const int i : f.x_ticks.labelled) {
        const QString label = qtext(f.x_labels.format(f.x_axis.tick_value(i)));
        const int width = f.metrics.horizontalAdvance(label);
        f.painter.drawText(f.x_axis.tick_pixel(i) - width / 2, p.bottom + gap + ascent, label);
    }
    // Centred on their ticks; the lowest one wholly above the x axis.
    const int half = (f.metrics.height() + f.metrics.leading()) / 2;
    for (const int i : f.y_ticks.labelled) {
        const QString label = qtext(f.y_labels.format(f.y_axis.tick_value(i)));
        const int width = f.metrics.horizontalAdvance(label);
        const int top = f.y_axis.tick_pixel(i) - (i == 0 ? 2 * half : half);
        f.painter.drawText(p.left - gap - width, top + ascent, label);
    }
}

void draw_titles(Frame& f) {
    const PixelRect& r = f.r;
    const int line = f.layout.line_height;
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    f.painter.setPen(Qt::black);
    f.painter.drawText(QRect(r.left, r.top, r.width(), line), flags, qtext(f.state.m_Title));
    f.painter.drawText(QRect(r.left, r.bottom - line, r.width(), line), flags,
                       qtext(f.state.m_XLabel));
    if (f.state.m_YLabel.empty())
        return;
    // Running upward in the left margin, centred on the drawing's middle.
    const QString label = qtext(f.state.m_YLabel);
    const int extent = f.metrics.horizontalAdvance(label);
    const int centre = (r.top + r.bottom) / 2;
    f.painter.save();
    f.painter.translate(r.left + (line + f.metrics.ascent() - f.metrics.descent()) / 2,
                        centre + extent / 2);
    f.painter.rotate(-90);
    f.painter.drawText(0, 0, label);
    f.painter.restore();
}

void draw_legend(Frame& f) {
    if (!f.state.m_Legend)
        return;
    const PixelRect& r = f.r;
    const int a = f.layout.char_width;
    // Wide enough for the longest title; a title longer than the drawing only pushes the
    // legend out of it.
    const std::int64_t reach =
        (std::int64_t{f.doc.longest_title_length()} + f.layout.half_x_width + 2) * a + 1;
    const int left = static_cast<int>(std::max<std::int64_t>(r.right - reach, -kPixelLimit));
    const int row = f.metrics.height() + f.metrics.leading();
    int y = r.top + f.layout.line_height;
    const CurveStyleTables& styles = f.state.m_Curves;
    for (int i = 0; i < f.doc.curve_count(); ++i) {
        const Colour colour =
            i < styles.curve_count() ? styles.m_Colours[static_cast<std::size_t>(i)][0] : 0;
        QPen ring(to_qcolor(colour));
        ring.setCosmetic(true);
        f.painter.setPen(ring);
        f.painter.setBrush(Qt::white);
        const int radius = f.on_screen(3);
        f.painter.drawEllipse(QPoint(left + a / 2, y + row / 2), radius, radius);
        f.painter.setBrush(Qt::NoBrush);
        f.painter.setPen(Qt::black);
        f.painter.drawText(QRect(left + 2 * a, y, r.right - (left + 2 * a), r.bottom - y),
                           Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                           qtext(f.doc.curve_title(i)));
        y += row;
    }
}

PlotLayout layout_with(const QFontMetrics& m, const PixelRect& r, int x_width, int y_width) {
    return compute_layout(r, x_width, y_width,
                          TextMetrics{m.height(), m.leading(), m.averageCharWidth()});
}

}  // namespace

PlotLayout plot_layout_on(const PlotViewState& state, const PixelRect& r,
                          const QPaintDevice* device) {
    const QFontMetrics metrics(plot_font(state, true), device);
    const TickLabelFormatter x_labels(state.m_XMin, state.m_XMax, state.m_XPrecision,
                                      state.m_XFormat);
    const TickLabelFormatter y_labels(state.m_YMin, state.m_YMax, state.m_YPrecision,
                                      state.m_YFormat);
    return layout_with(metrics, r, x_labels.width(), y_labels.width());
}

void draw_plot(QPainter& painter, const PixelRect& r, PlotViewState& state, const PlotData& doc,
               const DrawParameters& parameters) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, parameters.antialiased_text);

    const QFont font = plot_font(state, parameters.antialiased_text);
    painter.setFont(font);
    Frame f{painter,
            r,
            state,
            doc,
            parameters,
            QFontMetrics(font, painter.device()),
            TickLabelFormatter(state.m_XMin, state.m_XMax, state.m_XPrecision, state.m_XFormat),
            TickLabelFormatter(state.m_YMin, state.m_YMax, state.m_YPrecision, state.m_YFormat),
            {},
            {},
            {},
            {},
            {}};
    f.layout = layout_with(f.metrics, r, f.x_labels.width(), f.y_labels.width());
    const PixelRect& p = f.layout.plot_area;
    if (!parameters.printer)
        state.m_PlotArea = p;
    f.x_axis = make_axis_scale(state.m_XMin, state.m_XMax, p.left, p.right, state.m_XTicks,
                               p.bottom, state.m_TickLength);
    f.y_axis = make_axis_scale(state.m_YMin, state.m_YMax, p.bottom, p.top, state.m_YTicks, p.left,
                               state.m_TickLength);
    choose_ticks(f);

    // The helper starts on the curves before anything is painted: the white fill of a scaled
    // screen's picture alone takes a millisecond or two.
    CurvePlan curves;
    begin_curves(f, curves);
    painter.fillRect(QRect(0, 0, r.width(), r.height()), Qt::white);
    draw_axes_and_ticks(f);
    draw_grid(f);
    if (parameters.printer) {
        // On paper the texts come first and the legend shares the plot area's clip.
        painter.setClipRect(to_qrect(r));
        draw_tick_labels(f);
        draw_titles(f);
        painter.setClipRect(plot_clip(p));
        draw_curves(f, curves);
        draw_legend(f);
    } else {
        painter.setClipRect(plot_clip(p));
        draw_curves(f, curves);
        painter.setClipRect(to_qrect(r));
        draw_tick_labels(f);
        draw_titles(f);
        draw_legend(f);
    }
    painter.restore();
}

}  // namespace tarvik
