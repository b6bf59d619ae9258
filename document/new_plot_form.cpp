#include "new_plot_form.h"

#include <cstdio>
#include <utility>

#include "plot_defaults.h"

namespace tarvik {

namespace {

// As the dialog framework writes doubles into a box: up to 15 significant digits.
std::string number_text(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

}  // namespace

NewPlotValues filled_new_plot_values(const NewPlotSource& plot, bool new_plot) {
    NewPlotValues v;
    v.auto_x_range = plot.auto_x_range;
    v.auto_y_range = plot.auto_y_range;
    v.x_min = plot.x_min;
    v.x_max = plot.x_max;
    v.y_min = plot.y_min;
    v.y_max = plot.y_max;
    v.x_precision = plot.x_precision;
    v.y_precision = plot.y_precision;
    v.new_plot = new_plot;
    v.data_tips = plot.data_tips;
    if (new_plot) {
        v.data_file = "data.txt";
    } else {
        v.data_file = plot.last_file;
        v.add_mode_caption = "New file information:";
        v.auto_x_scroll = plot.auto_x_scroll;
    }
    return v;
}

int NewPlotForm::highest_precision() {
    return PlotLimits::instance().maximum_precision;
}

NewPlotForm::NewPlotForm(NewPlotValues values) : values_(std::move(values)) {
    texts_[XColumn] = std::to_string(values_.x_column);
    texts_[YColumn] = std::to_string(values_.y_column);
    texts_[XMin] = number_text(values_.x_min);
    texts_[XMax] = number_text(values_.x_max);
    texts_[YMin] = number_text(values_.y_min);
    texts_[YMax] = number_text(values_.y_max);
    texts_[XPrecision] = std::to_string(values_.x_precision);
    texts_[YPrecision] = std::to_string(values_.y_precision);
    texts_[DataFile] = values_.data_file;
    texts_[CurveTitle] = values_.curve_title;

    checked_[OpenMaximised] = values_.open_maximised;
    checked_[DataTips] = values_.data_tips;
    checked_[PointsOnly] = values_.points_only;
    checked_[AutoXScroll] = values_.auto_x_scroll;
    checked_[AddOnly] = values_.add_only;
    checked_[AutoXRange] = values_.auto_x_range;
    checked_[AutoYRange] = values_.auto_y_range;
    checked_[DataFileRadio] = true;
    checked_[RealTimeXAxis] = values_.real_time_x_axis;
}

std::string NewPlotForm::caption() const {
    return add_mode() ? values_.add_mode_caption : "New Plot Information";
}

bool NewPlotForm::enabled(Control c) const {
    const bool named = file_named();
    const bool real_time = checked_[RealTimeXAxis];
    switch (c) {
        case XColumn:
        case AddOnly:
            return named && !real_time;
        case YColumn:
        case RealTimeXAxis:
            return named;
        case AutoXRange:
        case AutoYRange:
        case XPrecision:
        case YPrecision:
        case OpenMaximised:
        case DataTips:
            return named && !add_mode();
        case AutoXScroll:
            return named && !add_mode() && !checked_[AutoXRange];
        case XMin:
        case XMax:
            return !add_mode() && !checked_[AutoXRange];
        case YMin:
        case YMax:
            return !add_mode() && !checked_[AutoYRange];
        case SelectConfiguration:
            return !add_mode() && checked_[ConfigurationFileRadio];
        case ConfigurationFileRadio:
            // Adding a file to a plot cannot load a configuration into it.
            return !add_mode();
        case DataFile:
        case Browse:
            return checked_[DataFileRadio];
        case PointsOnly:
        case CurveTitle:
        case DataFileRadio:
        case kControlCount:
            break;
    }
    return true;
}

bool NewPlotForm::checked(Control c) const {
    return checked_[c];
}

const std::string& NewPlotForm::text(Control box) const {
    return texts_[box];
}

void NewPlotForm::set_text(Control box, std::string text) {
    texts_[box] = std::move(text);
}

void NewPlotForm::set_checked(Control box, bool on) {
    checked_[box] = on;
}

void NewPlotForm::click_data_file() {
    checked_[DataFileRadio] = true;
    checked_[ConfigurationFileRadio] = false;
}

void NewPlotForm::click_use_configuration_file() {
    if (!enabled(ConfigurationFileRadio))
        return;
    checked_[DataFileRadio] = false;
    checked_[ConfigurationFileRadio] = true;
}

void NewPlotForm::set_real_time_x_axis(bool on) {
    checked_[RealTimeXAxis] = on;
    texts_[XColumn] = on ? "-1" : "0";
    texts_[YColumn] = on ? "0" : "1";
    checked_[AddOnly] = on;
}

void NewPlotForm::set_auto_x_range(bool on) {
    checked_[AutoXRange] = on;
    values_.auto_x_range = on;
}

void NewPlotForm::set_auto_y_range(bool on) {
    checked_[AutoYRange] = on;
    values_.auto_y_range = on;
}

void NewPlotForm::browsed(std::string path) {
    values_.data_file = path;
    texts_[DataFile] = std::move(path);
}

const NewPlotValues& NewPlotForm::configuration_chosen(std::string path) {
    values_.use_configuration_file = true;
    browsed(std::move(path));
    return values_;
}

NewPlotValues NewPlotForm::accepted(const Numbers& read) const {
    NewPlotValues v = values_;
    v.x_column = read.x_column;
    v.y_column = read.y_column;
    v.x_min = read.x_min;
    v.x_max = read.x_max;
    v.y_min = read.y_min;
    v.y_max = read.y_max;
    v.open_maximised = checked_[OpenMaximised];
    v.data_tips = checked_[DataTips];
    v.points_only = checked_[PointsOnly];
    v.auto_x_scroll = checked_[AutoXScroll];
    v.add_only = checked_[AddOnly];
    v.x_precision = read.x_precision;
    v.y_precision = read.y_precision;
    v.data_file = texts_[DataFile];
    v.curve_title = texts_[CurveTitle];
    v.auto_x_range = checked_[AutoXRange];
    v.auto_y_range = checked_[AutoYRange];
    v.real_time_x_axis = checked_[RealTimeXAxis];
    return v;
}

}  // namespace tarvik
