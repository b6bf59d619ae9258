#include "periodic_save_form.h"

#include <utility>

#include "plot_defaults.h"

namespace tarvik {

std::string with_image_extension(const std::string& file_name, std::int32_t type) {
    const std::size_t slash = file_name.find_last_of('/');
    const std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = file_name.find_last_of('.');
    if (dot == std::string::npos || dot <= name_start)
        return file_name;
    return file_name.substr(0, dot + 1) + (type == kSaveBmp ? "bmp" : "png");
}

int PeriodicSaveForm::highest_interval() {
    return PlotLimits::instance().maximum_saving_interval;
}

PeriodicSaveForm::PeriodicSaveForm(PeriodicSaveValues stored)
    : stored_(std::move(stored)), checked_type_(stored_.type == kSaveBmp ? kSaveBmp : kSavePng) {}

std::string PeriodicSaveForm::filter_name() const {
    return checked_type_ == kSaveBmp ? "BMP-Windows Bitmap" : "PNG-Portable Network Graphics";
}

std::string PeriodicSaveForm::filter_pattern() const {
    return checked_type_ == kSaveBmp ? "*.bmp" : "*.png";
}

bool PeriodicSaveForm::click_format(std::int32_t type, std::string shown_file,
                                    std::optional<std::int32_t> shown_interval) {
    const std::int32_t clicked = type == kSaveBmp ? kSaveBmp : kSavePng;
    if (clicked == checked_type_)
        return false;
    checked_type_ = clicked;
    if (shown_interval && *shown_interval >= kLowestInterval &&
        *shown_interval <= highest_interval())
        stored_.interval_minutes = *shown_interval;
    stored_.file_name = with_image_extension(shown_file, checked_type_);
    return true;
}

PeriodicSaveValues PeriodicSaveForm::accepted(std::int32_t interval_minutes,
                                              std::string file_name) {
    stored_.interval_minutes = interval_minutes;
    stored_.file_name = std::move(file_name);
    return stored_;
}

PeriodicSaveSettings run_periodic_save_settings(const PeriodicSaveSettings& current,
                                                const PeriodicSaveDialogRunner& run_dialog) {
    const PeriodicSaveValues shown{current.interval_seconds / 60, current.type, current.file_name};
    const std::optional<PeriodicSaveValues> chosen = run_dialog(shown);
    if (!chosen)
        return current;
    PeriodicSaveSettings next;
    next.interval_seconds = chosen->interval_minutes * 60;
    next.type = chosen->type;
    next.file_name = chosen->file_name;
    next.active = next.interval_seconds != 0;
    return next;
}

}  // namespace tarvik
