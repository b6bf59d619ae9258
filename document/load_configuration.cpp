#include "load_configuration.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "automatic_range.h"
#include "enumerations.h"
#include "file_monitor.h"
#include "plot_defaults.h"
#include "prompt.h"
#include "tarvik_doc.h"

namespace tarvik {

namespace {

void show(const std::string& text, prompt::Icon icon) {
    prompt::show(text, prompt::kApplicationTitle, icon, prompt::Buttons::Ok);
}

template <typename T>
void take(const std::optional<T>& value, T& field) {
    if (value)
        field = *value;
}

std::int16_t to_short(const std::optional<std::int32_t>& value, std::int16_t fallback) {
    if (!value)
        return fallback;
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(*value, 0, INT16_MAX));
}

// A colour with a component missing is black; components outside 0..255 are clamped.
Colour colour_of(const FileConfiguration& f) {
    if (!f.red || !f.green || !f.blue)
        return rgb(0, 0, 0);
    return rgb(std::clamp(*f.red, 0, 255), std::clamp(*f.green, 0, 255),
               std::clamp(*f.blue, 0, 255));
}

CurveDrawing drawing_of(const FileConfiguration& f) {
    const PlotDefaults& defaults = PlotDefaults::instance();
    CurveDrawing d;
    d.colour = colour_of(f);
    d.style = line_style_from_text(f.line_style);
    d.width = to_short(f.line_size, defaults.default_line_width);
    d.point_size = to_short(f.point_size, defaults.default_point_size);
    return d;
}

void apply_plot_settings(CTarvikDoc& doc, PlotViewState& view, const PlotConfiguration& c) {
    take(c.x_ticks, view.m_XTicks);
    take(c.y_ticks, view.m_YTicks);
    take(c.grid, view.m_Grid);
    if (c.timer_interval)
        doc.set_start_timer_interval(*c.timer_interval);
    take(c.max_timer_tries, view.m_MaxTries);
    view.m_TickCounter = 0;
    if (c.maximized.value_or(false))
        view.m_StartMaximised = true;
    take(c.auto_x_scroll, view.m_AutoXScroll);
    take(c.legend, view.m_Legend);
    take(c.x_precision, view.m_XPrecision);
    take(c.y_precision, view.m_YPrecision);
    view.m_XFormat = number_format_from_text(c.x_format);
    view.m_YFormat = number_format_from_text(c.y_format);
    view.m_Title = c.title;
    view.m_XLabel = c.x_label;
    view.m_YLabel = c.y_label;
    view.m_FontName = c.font_name;
    take(c.font_size, view.m_FontSize);
}

// Takes the curves added since `first` off again.
void remove_curves_from(CTarvikDoc& doc, int first) {
    while (doc.curve_count() > first)
        doc.remove_curve(doc.curve_count() - 1);
}

}  // namespace

bool LoadConfiguration(CTarvikDoc& doc, const std::string& file) {
    PlotConfiguration config;
    try {
        xml_parse::read(file, config);
    } catch (const parse_error& e) {
        show(std::string("Invalid or missing tag: ") + e.what(), prompt::Icon::Error);
        return false;
    } catch (const xml_tokenizer::tokenizer_exception& e) {
        show(std::string(e.what()) + "\n" + file, prompt::Icon::Error);
        return false;
    }
    if (config.too_many_files) {
        show("The configuration holds more than " + std::to_string(PlotConfiguration::kMaxCurves) +
                 " files; only the first " + std::to_string(PlotConfiguration::kMaxCurves) +
                 " are used.",
             prompt::Icon::Information);
    }
    for (FileConfiguration& f : config.files)
        f.file = locate_data_file(f.file, file);
    return build_from_configuration(doc, config);
}

bool build_from_configuration(CTarvikDoc& doc, const PlotConfiguration& config) {
    PlotViewState unseen;  // a document without a view still gets its curves
    PlotViewState& view = doc.first_view() ? doc.first_view()->state() : unseen;
    apply_plot_settings(doc, view, config);

    const int first = doc.curve_count();
    bool empty_file_met = false;
    for (const FileConfiguration& f : config.files) {
        // The unit goes first: an elapsed-time column is read in it.
        doc.set_time_unit(time_unit_from_text(f.time_unit));
        if (!doc.append_curve(f.file, f.x_column.value_or(0), f.y_column.value_or(1), f.line_title,
                              f.add_only.value_or(false), drawing_of(f))) {
            remove_curves_from(doc, first);
            return false;
        }
        if (doc.history(doc.curve_count() - 1).front().count == 0)
            empty_file_met = true;
    }

    const bool auto_x = config.auto_x_range.value_or(view.m_AutoX);
    const bool auto_y = config.auto_y_range.value_or(view.m_AutoY);
    if (empty_file_met && (auto_x || auto_y))
        show(kEmptyDataFileText, prompt::Icon::Information);

    take(config.x_minimum, view.m_XMin);
    take(config.x_maximum, view.m_XMax);
    take(config.y_minimum, view.m_YMin);
    take(config.y_maximum, view.m_YMax);
    if (auto_x && !empty_file_met)
        apply_automatic_x_range(view, doc);
    if (auto_y && !empty_file_met)
        apply_automatic_y_range(view, doc);
    // A fixed range saved as such stays fixed.
    view.m_AutoX = auto_x;
    view.m_AutoY = auto_y;

    doc.BuildWindowTitle();
    if (DocumentView* v = doc.first_view())
        v->update();
    return true;
}

std::string locate_data_file(const std::string& name, const std::string& configuration_file) {
    namespace fs = std::filesystem;
    if (name.empty() || fs::path(name).is_absolute() || file_exists(name))
        return name;
    std::error_code error;
    const fs::path folder = fs::absolute(fs::path(configuration_file), error).parent_path();
    if (error)
        return name;
    const std::string beside = (folder / name).lexically_normal().string();
    return file_exists(beside) ? beside : name;
}

ConfigurationValues configuration_values(const CTarvikDoc& doc, const PlotViewState& view,
                                         bool maximized) {
    ConfigurationValues v;
    v.auto_x_range = view.m_AutoX;
    v.x_minimum = view.m_XMin;
    v.x_maximum = view.m_XMax;
    v.auto_y_range = view.m_AutoY;
    v.y_minimum = view.m_YMin;
    v.y_maximum = view.m_YMax;
    v.x_ticks = view.m_XTicks;
    v.y_ticks = view.m_YTicks;
    v.grid = view.m_Grid;
    v.timer_interval = view.running_interval(doc.timer_interval());  // a frozen plot's too
    v.max_timer_tries = view.m_MaxTries;
    v.x_precision = view.m_XPrecision;
    v.y_precision = view.m_YPrecision;
    v.x_format = view.m_XFormat;
    v.y_format = view.m_YFormat;
    v.maximized = maximized;
    v.auto_x_scroll = view.m_AutoXScroll;
    v.legend = view.m_Legend;
    v.title = view.m_Title;
    v.x_label = view.m_XLabel;
    v.y_label = view.m_YLabel;
    v.font_name = view.m_FontName;
    v.font_size = view.m_FontSize;
    const CurveStyleTables& tables = view.m_Curves;
    for (int i = 0; i < doc.curve_count(); ++i) {
        CurveValues c;
        c.file = doc.file_name(i);
        c.x_column = doc.x_column(i);
        c.y_column = doc.y_column(i);
        c.title = doc.curve_title(i);
        c.add_only = doc.add_only(i) == 1;
        c.time_unit = doc.time_unit();
        // The newest generation's drawing stands for the curve.
        if (i < tables.curve_count() && tables.generation_count(i) > 0) {
            const auto k = static_cast<std::size_t>(i);
            const Colour colour = tables.m_Colours[k][0];
            c.red = red_of(colour);
            c.green = green_of(colour);
            c.blue = blue_of(colour);
            c.style = tables.m_Styles[k][0];
            c.line_size = tables.m_Widths[k][0];
            c.point_size = tables.m_PointSizes[k][0];
        }
        v.curves.push_back(std::move(c));
    }
    return v;
}

bool SaveConfiguration(const CTarvikDoc& doc, const PlotViewState& view, bool maximized,
                       const std::string& path) {
    std::string error;
    if (save_configuration(path, configuration_values(doc, view, maximized), error))
        return true;
    show("The configuration could not be saved to " + path + ":\n" + error, prompt::Icon::Error);
    return false;
}

}  // namespace tarvik
