// One axis range as the range dialogs and the range pages edit it: two limits and "Auto".
// The limit boxes are enabled exactly while "Auto" is clear.
#pragma once

#include <utility>

namespace tarvik {

struct RangeValues {
    double minimum = 0.0;
    double maximum = 1.0;
    bool automatic = false;  // take the range from the data
};

class RangeForm {
  public:
    explicit RangeForm(const RangeValues& values = {}) : values_(values) {}

    const RangeValues& values() const { return values_; }
    bool limits_enabled() const { return !values_.automatic; }
    bool modified() const { return modified_; }
    void set_modified(bool modified) { modified_ = modified; }

    void set_automatic(bool automatic) {
        values_.automatic = automatic;
        modified_ = true;
    }
    // The limits as read from the boxes.
    void set_limits(double minimum, double maximum) {
        values_.minimum = minimum;
        values_.maximum = maximum;
    }
    void swap_limits() {
        std::swap(values_.minimum, values_.maximum);
        modified_ = true;
    }

  private:
    RangeValues values_;
    bool modified_ = false;
};

}  // namespace tarvik
