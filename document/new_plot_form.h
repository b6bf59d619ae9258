// The new-plot dialog's rules without widgets: the values it exchanges, how the document fills
// them (new plot or "&Add File..."), which controls are enabled and checked, how the controls
// react, and what OK yields.
//
// Enabled states are worked out from the dialog's state each time rather than toggled by each
// reaction, so no order of clicks leaves a control enabled that its rules disable (typing into
// the file box while "real-time x-axis" is checked keeps the x column locked; add mode keeps
// its controls disabled whatever the file box holds).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarvik {

// The dialog ends with this code when a configuration file was chosen.
inline constexpr int kConfigurationFileResult = 1048;

enum class NewPlotOutcome { Ok, ConfigurationFile, Cancelled };

// The dialog's member values, in the order they are exchanged.
struct NewPlotValues {
    std::int32_t x_column = 0;  // -1: elapsed time
    std::int32_t y_column = 1;
    double x_min = 0.0;
    double x_max = 1.0;
    double y_min = 0.0;
    double y_max = 1.0;
    bool use_configuration_file = false;
    bool open_maximised = false;
    bool data_tips = false;
    bool points_only = false;
    bool auto_x_scroll = false;
    bool add_only = false;
    std::int32_t x_precision = 2;
    std::int32_t y_precision = 2;
    std::string data_file;  // after a configuration choice: the configuration file
    std::string curve_title;
    bool new_plot = false;
    bool auto_x_range = false;
    bool auto_y_range = false;
    std::string add_mode_caption;
    // Where "real-time x-axis" was left, so a dialog shown again (file not found) shows it so.
    bool real_time_x_axis = false;

    bool operator==(const NewPlotValues&) const = default;
};

// What the document fills the dialog from: the plot's current settings.
struct NewPlotSource {
    bool auto_x_range = false;
    bool auto_y_range = false;
    double x_min = 0.0;
    double x_max = 1.0;
    double y_min = 0.0;
    double y_max = 1.0;
    std::int32_t x_precision = 2;
    std::int32_t y_precision = 2;
    bool data_tips = false;
    bool auto_x_scroll = false;
    std::string last_file;  // the plot's last curve's file (add mode)
};

// The values for a new plot (file "data.txt") or for "&Add File..." (the plot's last file,
// the caption "New file information:", the plot's auto x scroll).
NewPlotValues filled_new_plot_values(const NewPlotSource& plot, bool new_plot);

class NewPlotForm {
  public:
    enum Control {
        XColumn,  // box and spin
        YColumn,
        XMin,
        XMax,
        YMin,
        YMax,
        SelectConfiguration,  // "Select Configuration File (XML)..."
        OpenMaximised,
        DataTips,
        PointsOnly,
        AutoXScroll,
        AddOnly,
        XPrecision,
        YPrecision,
        DataFile,
        Browse,
        CurveTitle,
        AutoXRange,
        AutoYRange,
        DataFileRadio,           // "Data file"
        ConfigurationFileRadio,  // "Use configuration file"
        RealTimeXAxis,
        kControlCount
    };

    static constexpr int kLowestXColumn = -1;
    static constexpr int kHighestColumn = 100;
    static constexpr int kLowestYColumn = 0;
    static constexpr int kLowestPrecision = 1;
    static int highest_precision();

    // The dialog as it opens with these member values.
    explicit NewPlotForm(NewPlotValues values);

    bool add_mode() const { return !values_.new_plot; }
    std::string caption() const;
    bool enabled(Control c) const;
    // Check boxes and radio buttons.
    bool checked(Control c) const;
    // The boxes' texts (columns, limits, precisions, file, title).
    const std::string& text(Control box) const;

    // Reactions.
    void set_text(Control box, std::string text);
    void set_checked(Control box, bool on);  // the five plain check boxes
    void click_data_file();
    void click_use_configuration_file();
    void set_real_time_x_axis(bool on);
    void set_auto_x_range(bool on);
    void set_auto_y_range(bool on);
    void browsed(std::string path);  // a data file chosen with "Browse..."
    // "Select Configuration File (XML)..." pressed: the value is set before the file dialog.
    void begin_configuration_choice() { values_.use_configuration_file = true; }
    // A configuration file chosen: the values the dialog ends with (nothing else is read).
    const NewPlotValues& configuration_chosen(std::string path);

    // The numbers read (and validated) from the boxes on OK.
    struct Numbers {
        std::int32_t x_column;
        std::int32_t y_column;
        double x_min;
        double x_max;
        double y_min;
        double y_max;
        std::int32_t x_precision;
        std::int32_t y_precision;
    };
    // The values OK yields: the numbers, the check boxes and the two texts.
    NewPlotValues accepted(const Numbers& read) const;

    const NewPlotValues& values() const { return values_; }

  private:
    bool file_named() const { return !text(DataFile).empty(); }

    NewPlotValues values_;
    std::array<std::string, kControlCount> texts_;
    std::array<bool, kControlCount> checked_{};
};

}  // namespace tarvik
