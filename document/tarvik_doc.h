// One plot: its curves (data file, columns, title, update mode and the history of point
// stores of each), the timer interval, the unit of the elapsed-time x axis and the window
// title. Display settings belong to the view, reached through DocumentView.
#pragma once

#include <cstdint>
#include <ctime>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "curve_notices.h"
#include "document_view.h"
#include "enumerations.h"
#include "file_monitor.h"
#include "file_title.h"
#include "line_container.h"
#include "plot_data.h"
#include "startup_request.h"

namespace tarvik {

class CTarvikDoc : public PlotData {
  public:
    // The ways a new document builds itself besides a plot request; the configuration reader
    // and the new-plot dialog install theirs. An unset one fails the initialisation.
    struct Builders {
        std::function<bool(CTarvikDoc&, const std::string& file)> load_configuration;
        std::function<bool(CTarvikDoc&)> add_file_new_plot;
    };
    static Builders& builders();

    explicit CTarvikDoc(DocumentView* view = nullptr);

    void attach_view(DocumentView* view) { m_View = view; }
    DocumentView* first_view() const { return m_View; }

    // Builds the plot from the pending start-up request (configuration file, plot request or
    // the new-plot dialog, in that order). On success the document counter moves on, the view
    // gets its default image file name and the timer starts. False: the plot is abandoned.
    bool OnNewDocument();

    // The number of documents that initialised successfully so far in this process.
    static std::int32_t document_counter();

    // Curves.
    int curve_count() const override { return m_FileMonitor.size(); }
    std::string file_name(int i) const { return m_FileMonitor.name(i); }
    std::int32_t x_column(int i) const {
        return m_FileColumns.at(static_cast<std::size_t>(i)).first;
    }
    std::int32_t y_column(int i) const {
        return m_FileColumns.at(static_cast<std::size_t>(i)).second;
    }
    const std::string& curve_title(int i) const override { return m_FileTitles.title(i); }
    int longest_title_length() const override { return m_FileTitles.longest_length(); }
    UpdateMode add_only(int i) const { return m_AddOnly.at(static_cast<std::size_t>(i)); }
    void set_add_only(int i, UpdateMode mode) { m_AddOnly.at(static_cast<std::size_t>(i)) = mode; }
    const std::deque<LineContainer>& history(int i) const override {
        return m_LinePoints.at(static_cast<std::size_t>(i));
    }
    // Curve i's newest store, to be changed in place (tests stand in for a read with it).
    LineContainer& current_store(int i) {
        return m_LinePoints.at(static_cast<std::size_t>(i)).front();
    }

    // Shows "Too many files" and returns false when the plot holds the most curves it may.
    bool check_room_for_curve() const;

    // The operations that change the set of curves. Each keeps the document's per-curve
    // sequences and the view's drawing tables in step; nothing else changes either set.
    //
    // Appends a curve read from `file`, drawn as `drawing`. The file must exist (else "File
    // <name> not found" and false); every per-curve sequence and table grows by one or none
    // does.
    bool append_curve(const std::string& file, std::int32_t xcol, std::int32_t ycol,
                      const std::string& title, bool add_only, const CurveDrawing& drawing = {});

    // Builds the plot of a command-line request: one black solid curve, the request's ranges.
    // It re-reads its file fully, or takes new lines only when x is the elapsed time.
    bool AddPlotRequest(const PlotRequest& request);
    bool remove_curve(int i);
    // Gives curve i `generations` generations (1 to the history limit + 1): empty stores
    // appended at the back or the oldest dropped. False when out of range.
    bool resize_history(int i, int generations);
    void SetCurveTitle(int i, const std::string& title);

    // Refreshing: rotate the history, clear in full-update mode, read.
    void refresh_curve(int i);
    void refresh_all();
    void RereadCurve(int i);
    FileStatus check_file(int i);
    // Why curves' data stop or wait, as their latest reads and checks found.
    const CurveNotices& notices() const { return m_Notices; }

    // Timer and title.
    void SetTimerInterval(std::int32_t interval_ms);
    void BuildWindowTitle();
    void StampWindowTitle(std::time_t moment);
    const std::string& window_title() const { return m_WindowTitle; }
    // The framework's title setter: the document always shows its own title.
    void SetTitle(const std::string&) {}
    // Asks "Are you sure you want to close window" with the title; true to close.
    bool confirm_close() const;

    // The members, read-only; the settings a configuration sets have setters.
    std::int32_t doc_number() const { return m_DocNumber; }
    const FileMonitor& file_monitor() const { return m_FileMonitor; }
    const CFileTitle& file_titles() const { return m_FileTitles; }
    const std::vector<std::pair<std::int32_t, std::int32_t>>& file_columns() const {
        return m_FileColumns;
    }
    const std::vector<UpdateMode>& add_only_modes() const { return m_AddOnly; }
    const std::deque<std::deque<LineContainer>>& line_points() const { return m_LinePoints; }
    std::int32_t start_timer_interval() const { return m_StartTimerInterval; }
    void set_start_timer_interval(std::int32_t interval_ms) { m_StartTimerInterval = interval_ms; }
    std::int32_t timer_interval() const { return m_TimerInterval; }
    TimeUnit time_unit() const { return m_TimeUnit; }
    void set_time_unit(TimeUnit unit) { m_TimeUnit = unit; }

  private:
    bool build_from_request();
    void check_invariants(int i) const;
    PlotViewState* view_state() const { return m_View ? &m_View->state() : nullptr; }

    std::int32_t m_DocNumber;
    FileMonitor m_FileMonitor;
    CFileTitle m_FileTitles;
    std::vector<std::pair<std::int32_t, std::int32_t>> m_FileColumns;
    std::vector<UpdateMode> m_AddOnly;
    std::int32_t m_StartTimerInterval = 1000;
    std::int32_t m_TimerInterval = 1000;
    std::deque<std::deque<LineContainer>> m_LinePoints;
    CurveNotices m_Notices;
    std::string m_WindowTitle;
    TimeUnit m_TimeUnit = MINUTES;
    DocumentView* m_View = nullptr;
};

// The local time of a moment as the window title shows it ("%X").
std::string local_time_text(std::time_t moment);

}  // namespace tarvik
