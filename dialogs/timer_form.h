// The timer dialog's rules: the interval list, the "Unlimited" / limited tries radios and what
// OK yields. Tries of -1 (all bits set as the view keeps them) mean unlimited.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

class TimerForm {
  public:
    static constexpr std::int32_t kUnlimitedTries = -1;

    TimerForm(std::int32_t interval_ms, std::int32_t max_tries);

    // Tenths of a second, right-aligned in 4 characters: the current interval first, then each
    // of 0, 1, 10, 20 and 300 that differs from it.
    std::vector<std::string> interval_list() const;

    bool unlimited() const { return unlimited_; }
    bool tries_enabled() const { return !unlimited_; }
    // The value the tries box shows.
    std::int32_t tries_box() const { return tries_box_; }

    void click_unlimited();
    void click_limited();

    // The combo's text as the interval in tenths: leading blanks, a sign and the leading
    // digits; no digits give 0. Huge values saturate, so they fail the range check.
    static long long interval_tenths(std::string_view text);
    static int lowest_tries() { return 1; }
    static int highest_tries();
    static int highest_interval_tenths();

    struct Result {
        std::int32_t interval_ms;
        std::int32_t max_tries;  // kUnlimitedTries when "Unlimited" is checked
    };
    // After the tries box and the interval were validated.
    Result result(int interval_tenths, int tries_box) const;

  private:
    std::int32_t interval_tenths_;
    bool unlimited_;
    std::int32_t tries_box_;
};

}  // namespace tarvik
