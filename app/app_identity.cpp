#include "app_identity.h"

#include <cstdio>

namespace tarvik {

std::string time_stamp_text(const std::tm& time) {
    static constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int weekday = time.tm_wday >= 0 && time.tm_wday < 7 ? time.tm_wday : 0;
    const int month = time.tm_mon >= 0 && time.tm_mon < 12 ? time.tm_mon : 0;
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%s %s %2d %02d:%02d:%02d %d",
                                     kWeekdays[weekday], kMonths[month], time.tm_mday, time.tm_hour,
                                     time.tm_min, time.tm_sec, time.tm_year + 1900);
    return std::string(text, static_cast<std::size_t>(length));
}

std::string about_version_text() {
    return std::string(kApplicationName) + " Version " + kApplicationVersion;
}

std::string about_build_date_text() {
    return "Build date: " + build_timestamp();
}

std::string version_line() {
    return std::string(kApplicationName) + " " + kApplicationVersion;
}

std::string main_caption_at(const std::tm& local_time) {
    return std::string("   ") + kApplicationName + "(" + kApplicationVersion + ")" +
           time_stamp_text(local_time) + "\n";
}

const std::string& main_caption() {
    static const std::string caption = [] {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return main_caption_at(local);
    }();
    return caption;
}

}  // namespace tarvik
