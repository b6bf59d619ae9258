#include "tarvik_doc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "check.h"
#include "data_file_reader.h"
#include "enumerations.h"
#include "parse_error.h"
#include "plot_defaults.h"
#include "prompt.h"

namespace tarvik {

namespace {

std::int32_t document_count = 0;

// Columns are 16-bit in a read; larger numbers name columns no line has.
std::int16_t to_column(std::int32_t column) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(column, INT16_MIN, INT16_MAX));
}

FileSpec spec_for(const std::string& file, std::int32_t xcol, std::int32_t ycol,
                  TimeUnit time_unit) {
    FileSpec spec;
    spec.file = file;
    spec.xcol = to_column(xcol);
    spec.ycol = to_column(ycol);
    spec.add_only = true;
    spec.time_unit = time_unit;
    return spec;
}

}  // namespace

std::string local_time_text(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    char text[64];
    const std::size_t n = std::strftime(text, sizeof text, "%X", &local);
    return std::string(text, n);
}

StartupRequest& StartupRequest::instance() {
    static StartupRequest request;
    return request;
}

CTarvikDoc::Builders& CTarvikDoc::builders() {
    static Builders b;
    return b;
}

CTarvikDoc::CTarvikDoc(DocumentView* view) : m_DocNumber(document_count), m_View(view) {}

std::int32_t CTarvikDoc::document_counter() {
    return document_count;
}

bool CTarvikDoc::build_from_request() {
    StartupRequest& request = StartupRequest::instance();
    if (request.configuration_pending) {
        request.configuration_pending = false;
        const auto& load = builders().load_configuration;
        return load && load(*this, request.configuration_file);
    }
    if (request.plot_request_pending)
        return AddPlotRequest(request.plot_request);
    const auto& add_file = builders().add_file_new_plot;
    return add_file && add_file(*this);
}

bool CTarvikDoc::OnNewDocument() {
    bool built = false;
    try {
        built = build_from_request();
    } catch (const parse_error& e) {
        prompt::show(std::string("Error in XML tag: ") + e.what(), prompt::kApplicationTitle,
                     prompt::Icon::Error, prompt::Buttons::Ok);
    }
    if (!built)
        return false;
    ++document_count;
    if (PlotViewState* view = view_state()) {
        view->m_SaveFileName = "tarvik." + std::to_string(m_DocNumber) + ".png";
    }
    if (m_View)
        m_View->data_updated();
    SetTimerInterval(m_StartTimerInterval);
    return true;
}

bool CTarvikDoc::check_room_for_curve() const {
    if (curve_count() + 1 <= PlotLimits::instance().maximum_files)
        return true;
    prompt::show("Too many files", prompt::kApplicationTitle, prompt::Icon::Information,
                 prompt::Buttons::Ok);
    return false;
}

bool CTarvikDoc::append_curve(const std::string& file, std::int32_t xcol, std::int32_t ycol,
                              const std::string& title, bool add_only,
                              const CurveDrawing& drawing) {
    // The monitor is the one sequence that can refuse (the file may vanish at any moment), so
    // it goes first and the others follow only when it took the file.
    if (!m_FileMonitor.add(file)) {
        prompt::show("File " + file + " not found", prompt::kApplicationTitle, prompt::Icon::Error,
                     prompt::Buttons::Ok);
        return false;
    }
    m_FileTitles.add(title);
    m_FileColumns.emplace_back(xcol, ycol);
    m_AddOnly.push_back(add_only ? NEW_LINES_ONLY : FULL_UPDATE);
    LineContainer store;
    std::vector<DataNotice> found = read_data_file(spec_for(file, xcol, ycol, m_TimeUnit), store);
    m_LinePoints.emplace_back();
    m_LinePoints.back().push_back(std::move(store));
    m_Notices.add_curve();
    m_Notices.set_read(curve_count() - 1, std::move(found));
    if (PlotViewState* view = view_state())
        view->m_Curves.append_curve(drawing);
    return true;
}

bool CTarvikDoc::AddPlotRequest(const PlotRequest& request) {
    // One black solid line one pixel wide without markers. With elapsed time as x the curve
    // takes new lines only: a full re-read would stamp every point with the time of the read.
    const bool elapsed_time_x = request.xcol == -1;
    if (!append_curve(request.file, request.xcol, request.ycol, "", elapsed_time_x, CurveDrawing{}))
        return false;
    if (PlotViewState* view = view_state()) {
        view->m_XMin = request.x_min;
        view->m_XMax = request.x_max;
        view->m_YMin = request.y_min;
        view->m_YMax = request.y_max;
        view->m_AutoX = false;
        view->m_AutoY = false;
    }
    BuildWindowTitle();
    if (m_View)
        m_View->update();
    return true;
}

bool CTarvikDoc::remove_curve(int i) {
    if (i < 0 || i >= curve_count())
        return false;
    m_FileMonitor.remove(i);
    m_FileColumns.erase(m_FileColumns.begin() + i);
    m_FileTitles.remove(i);
    m_AddOnly.erase(m_AddOnly.begin() + i);
    m_LinePoints.erase(m_LinePoints.begin() + i);
    m_Notices.remove_curve(i);
    if (PlotViewState* view = view_state()) {
        if (i < view->m_Curves.curve_count())
            view->m_Curves.remove_curve(i);
    }
    return true;
}

bool CTarvikDoc::resize_history(int i, int generations) {
    if (i < 0 || i >= curve_count() || generations < 1 ||
        generations > PlotLimits::instance().maximum_history + 1) {
        return false;
    }
    auto& h = m_LinePoints[static_cast<std::size_t>(i)];
    h.resize(static_cast<std::size_t>(generations));  // new empty stores at the back
    if (PlotViewState* view = view_state()) {
        if (i < view->m_Curves.curve_count())
            view->m_Curves.resize_generations(i, generations);
    }
    return true;
}

void CTarvikDoc::SetCurveTitle(int i, const std::string& title) {
    m_FileTitles.set(i, title);
}

void CTarvikDoc::check_invariants(int i) const {
    TARVIK_CHECK_SOURCE(m_LinePoints.size() == m_FileMonitor.size(), "TarvikDoc");
    TARVIK_CHECK_SOURCE(m_LinePoints.size() == m_FileColumns.size(), "TarvikDoc");
    TARVIK_CHECK_SOURCE(i < static_cast<int>(m_LinePoints.size()), "TarvikDoc");
}

void CTarvikDoc::RereadCurve(int i) {
    check_invariants(i);
    const auto k = static_cast<std::size_t>(i);
    m_Notices.set_read(i, read_data_file(spec_for(m_FileMonitor.name(i), m_FileColumns[k].first,
                                                  m_FileColumns[k].second, m_TimeUnit),
                                         m_LinePoints[k].front()));
}

FileStatus CTarvikDoc::check_file(int i) {
    const FileStatus status = m_FileMonitor.check(i);
    m_Notices.set_checked(i, m_FileMonitor.notice(i));
    return status;
}

void CTarvikDoc::refresh_curve(int i) {
    check_invariants(i);
    auto& h = m_LinePoints[static_cast<std::size_t>(i)];
    const bool full_update = m_AddOnly[static_cast<std::size_t>(i)] != NEW_LINES_ONLY;
    if (h.size() > 1) {
        // The oldest generation's store is reused for the new front: the copy of the current
        // state (new lines only) or an emptied store (full update), without new allocations.
        LineContainer front = std::move(h.back());
        h.pop_back();
        if (full_update) {
            const auto points = static_cast<std::size_t>(h.front().count);
            front.clear();
            front.x.reserve(points);
            front.y.reserve(points);
        } else {
            front = h.front();
        }
        h.push_front(std::move(front));
    } else if (full_update) {
        h.front().clear();
    }
    RereadCurve(i);
}

void CTarvikDoc::refresh_all() {
    for (int i = 0; i < curve_count(); ++i)
        refresh_curve(i);
}

void CTarvikDoc::SetTimerInterval(std::int32_t interval_ms) {
    m_TimerInterval = interval_ms;
    if (m_View)
        m_View->set_timer(interval_ms);
}

void CTarvikDoc::BuildWindowTitle() {
    std::string title = local_time_text(std::time(nullptr)) + " ";
    for (int i = 0; i < curve_count(); ++i) {
        title.append(" ").append(file_name(i)).append(" ");
        title.append(std::to_string(x_column(i))).append("-").append(std::to_string(y_column(i)));
    }
    m_WindowTitle = std::move(title);
}

void CTarvikDoc::StampWindowTitle(std::time_t moment) {
    const std::string time_text = local_time_text(moment);
    m_WindowTitle.replace(0, std::min(time_text.size(), m_WindowTitle.size()), time_text);
}

bool CTarvikDoc::confirm_close() const {
    return prompt::show("Are you sure you want to close window \n" + m_WindowTitle + " ?",
                        prompt::kApplicationTitle, prompt::Icon::Question,
                        prompt::Buttons::YesNo) == prompt::Button::Yes;
}

}  // namespace tarvik
