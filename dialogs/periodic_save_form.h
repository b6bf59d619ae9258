// The periodic-saving settings dialog's rules without widgets: the stored values, the format
// radio buttons that rename the file's extension, what OK yields, and the view's run of it
// (interval in seconds outside, whole minutes inside).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tarvik {

inline constexpr std::int32_t kSavePng = 1;
inline constexpr std::int32_t kSaveBmp = 2;

// The dialog's values.
struct PeriodicSaveValues {
    std::int32_t interval_minutes = 0;  // 0 stops saving
    std::int32_t type = kSavePng;
    std::string file_name;
    bool operator==(const PeriodicSaveValues&) const = default;
};

// The file name with its extension replaced by the format's ("png" or "bmp"). The extension is
// everything after the last "." of the file's own name, however long ("plot.jpeg" becomes
// "plot.png", "plot." becomes "plot.png"). A name without such a dot is kept: a dot in a
// folder ("./out/plot") or one that starts the name (".plot") does not begin an extension.
std::string with_image_extension(const std::string& file_name, std::int32_t type);

class PeriodicSaveForm {
  public:
    static constexpr int kLowestInterval = 0;
    static int highest_interval();  // minutes

    explicit PeriodicSaveForm(PeriodicSaveValues stored);

    const PeriodicSaveValues& stored() const { return stored_; }
    // The format whose radio button is checked.
    std::int32_t checked_type() const { return checked_type_; }
    // The file type list of "Browse...": name and pattern of the checked format.
    std::string filter_name() const;
    std::string filter_pattern() const;

    // A format radio clicked. Another format than the checked one first takes what the boxes
    // show (the file name, and the interval when it is a valid number of minutes), so nothing
    // typed or browsed is lost, then puts its extension onto the file name, which the dialog
    // shows again. Clicking the checked format changes nothing: false then.
    bool click_format(std::int32_t type, std::string shown_file,
                      std::optional<std::int32_t> shown_interval);
    // OK, first step: the checked format becomes the stored one.
    void take_format() { stored_.type = checked_type_; }
    // OK, after the interval was validated.
    PeriodicSaveValues accepted(std::int32_t interval_minutes, std::string file_name);

  private:
    PeriodicSaveValues stored_;
    std::int32_t checked_type_;
};

// The view's periodic-saving state the dialog edits.
struct PeriodicSaveSettings {
    bool active = false;
    std::int32_t interval_seconds = 60;
    std::int32_t type = kSavePng;
    std::string file_name;
    bool operator==(const PeriodicSaveSettings&) const = default;
};

// Shows the dialog with these values; its values after OK, nothing otherwise.
using PeriodicSaveDialogRunner =
    std::function<std::optional<PeriodicSaveValues>(const PeriodicSaveValues&)>;

// Fills the dialog with the interval in whole minutes (rounded down), the format and the file;
// after OK the interval is minutes × 60 and saving is on exactly when it is not 0. Otherwise
// the settings come back unchanged.
PeriodicSaveSettings run_periodic_save_settings(const PeriodicSaveSettings& current,
                                                const PeriodicSaveDialogRunner& run_dialog);

}  // namespace tarvik
