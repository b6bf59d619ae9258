#include "timer_form.h"

#include <algorithm>
#include <cstdio>

#include "plot_defaults.h"

namespace tarvik {

TimerForm::TimerForm(std::int32_t interval_ms, std::int32_t max_tries)
    : interval_tenths_(interval_ms / 100),
      unlimited_(max_tries == kUnlimitedTries),
      tries_box_(unlimited_ ? highest_tries() : max_tries) {}

int TimerForm::highest_tries() {
    return PlotLimits::instance().maximum_timer_tries;
}

int TimerForm::highest_interval_tenths() {
    return PlotLimits::instance().maximum_timer_interval * 10;
}

std::vector<std::string> TimerForm::interval_list() const {
    const auto entry = [](std::int32_t tenths) {
        char text[16];
        std::snprintf(text, sizeof text, "%4d", static_cast<int>(tenths));
        return std::string(text);
    };
    std::vector<std::string> list{entry(interval_tenths_)};
    for (const std::int32_t tenths : {0, 1, 10, 20, 300})
        if (tenths != interval_tenths_)
            list.push_back(entry(tenths));
    return list;
}

void TimerForm::click_unlimited() {
    unlimited_ = true;
    tries_box_ = highest_tries();
}

void TimerForm::click_limited() {
    unlimited_ = false;
    tries_box_ = std::min(tries_box_, highest_tries());
}

long long TimerForm::interval_tenths(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    constexpr long long kSaturated = 1'000'000'000'000LL;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(kSaturated, value * 10 + (text[i] - '0'));
    return negative ? -value : value;
}

TimerForm::Result TimerForm::result(int interval_tenths, int tries_box) const {
    return {interval_tenths * 100, unlimited_ ? kUnlimitedTries : tries_box};
}

}  // namespace tarvik
