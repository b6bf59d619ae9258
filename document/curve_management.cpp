#include "curve_management.h"

#include "automatic_range.h"
#include "load_configuration.h"
#include "parse_error.h"
#include "plot_defaults.h"
#include "prompt.h"
#include "tarvik_doc.h"

namespace tarvik {

namespace {

void show(const std::string& text, prompt::Icon icon) {
    prompt::show(text, prompt::kApplicationTitle, icon, prompt::Buttons::Ok);
}

NewPlotSource source_of(const CTarvikDoc& doc, const PlotViewState& view) {
    NewPlotSource s;
    s.auto_x_range = view.m_AutoX;
    s.auto_y_range = view.m_AutoY;
    s.x_min = view.m_XMin;
    s.x_max = view.m_XMax;
    s.y_min = view.m_YMin;
    s.y_max = view.m_YMax;
    s.x_precision = view.m_XPrecision;
    s.y_precision = view.m_YPrecision;
    s.data_tips = view.m_DataTips;
    s.auto_x_scroll = view.m_AutoXScroll;
    if (doc.curve_count() > 0)
        s.last_file = doc.file_name(doc.curve_count() - 1);
    return s;
}

bool load_chosen_configuration(CTarvikDoc& doc, const std::string& file) {
    try {
        return LoadConfiguration(doc, file);
    } catch (const parse_error& e) {
        show(std::string("Error in XML tag: ") + e.what(), prompt::Icon::Error);
        return false;
    }
}

void show_empty_file(const NewPlotValues& v) {
    show("File " + v.data_file + " columns " + std::to_string(v.x_column) + "-" +
             std::to_string(v.y_column) + " " + " does not contain valid data.\n" +
             "Setting limits to default values.",
         prompt::Icon::Information);
}

// The ranges and view settings the dialog asked for; an automatic range is worked out over
// every curve, the new one included, unless the new file gave no point. A plot that follows
// its data keeps an automatic range asked for, to be fitted when the data arrive.
void apply_dialog_settings(PlotViewState& view, const CTarvikDoc& doc, const NewPlotValues& v,
                           bool file_empty) {
    view.m_XMin = v.x_min;
    view.m_XMax = v.x_max;
    view.m_YMin = v.y_min;
    view.m_YMax = v.y_max;
    if (v.auto_x_range && !file_empty)
        apply_automatic_x_range(view, doc);
    else
        view.m_AutoX = v.auto_x_range && view.m_FollowData;
    if (v.auto_y_range && !file_empty)
        apply_automatic_y_range(view, doc);
    else
        view.m_AutoY = v.auto_y_range && view.m_FollowData;
    view.m_XPrecision = v.x_precision;
    view.m_YPrecision = v.y_precision;
    if (v.open_maximised)
        view.m_StartMaximised = true;
    view.m_DataTips = v.data_tips;
    view.m_AutoXScroll = v.auto_x_scroll;
}

void rebuild_title(CTarvikDoc& doc) {
    doc.BuildWindowTitle();
    if (DocumentView* v = doc.first_view())
        v->update();
}

}  // namespace

bool AddFile(CTarvikDoc& doc, bool new_plot, const CurveDialogs& dialogs) {
    if (!doc.check_room_for_curve())
        return false;
    DocumentView* view = doc.first_view();
    if (!view)
        return false;
    PlotViewState& state = view->state();
    const NewPlotRun run = dialogs.new_plot(
        doc.curve_count(), filled_new_plot_values(source_of(doc, state), new_plot));
    if (run.outcome == NewPlotOutcome::ConfigurationFile)
        return load_chosen_configuration(doc, run.values.data_file);
    if (run.outcome != NewPlotOutcome::Ok)
        return false;

    const NewPlotValues& v = run.values;
    if (v.x_column == -1) {
        if (const std::optional<int> unit = dialogs.time_unit())
            doc.set_time_unit(to_time_unit(*unit));
    }
    const PlotDefaults& defaults = PlotDefaults::instance();
    CurveDrawing drawing;
    drawing.colour = dialogs.colour();
    drawing.style = to_line_style(dialogs.line_style());
    drawing.width = v.points_only ? std::int16_t{0} : defaults.default_line_width;
    drawing.point_size = defaults.default_point_size;
    // The file may have gone since the dialog checked it: append_curve says so.
    if (!doc.append_curve(v.data_file, v.x_column, v.y_column, v.curve_title, v.add_only, drawing))
        return false;

    const bool file_empty = doc.history(doc.curve_count() - 1).front().count == 0;
    if (file_empty && v.auto_x_range)
        show_empty_file(v);
    apply_dialog_settings(state, doc, v, file_empty);
    rebuild_title(doc);
    return true;
}

int SelectCurve(const CTarvikDoc& doc, const CurveDialogs& dialogs) {
    if (doc.curve_count() <= 1)
        return 0;
    return dialogs.select_curve(doc);
}

bool RemoveFile(CTarvikDoc& doc, const CurveDialogs& dialogs) {
    if (doc.curve_count() == 0)
        return false;
    if (doc.curve_count() == 1) {
        show(kLastCurveText, prompt::Icon::Error);
        return false;
    }
    const int i = SelectCurve(doc, dialogs);
    const bool removed = i != -1 && doc.remove_curve(i);
    rebuild_title(doc);
    return removed;
}

bool SetHistorySize(CTarvikDoc& doc, const CurveDialogs& dialogs) {
    if (doc.curve_count() == 0)
        return false;
    const int i = SelectCurve(doc, dialogs);
    if (i < 0 || i >= doc.curve_count())
        return false;
    const int generations = static_cast<int>(doc.history(i).size());
    const int maximum = PlotLimits::instance().maximum_history;
    const std::optional<int> n = dialogs.number(kHistorySizeCaption, maximum, generations - 1);
    if (!n || *n < 0 || *n > maximum)
        return false;
    doc.resize_history(i, *n + 1);
    if (DocumentView* v = doc.first_view())
        v->update();
    return true;
}

}  // namespace tarvik
