// The walk: the main window with one plot on a small data file, every entry of the main menu
// bar (the plot window's menus among them), the main window's own shortcuts and the plot's
// context menu triggered in turn, as a user would. Every dialog or message box that opens is
// answered by a timer with Escape (Cancel, No). Each entry must show a window or change
// something the user can see (a setting, a check mark, the timer, a file, a window); a dead
// entry fails the walk.
//
// Some entries are enabled only in some states (Unfreeze and Update while frozen, Stop while
// saving, Auto X scroll outside x-scrollbar mode), so the walk goes round twice: once with the
// plot running and not saving, once frozen and saving. Every entry must have been triggered in
// one of the two rounds. A producer appends one line to the data file before each entry, so a
// re-read shows.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "app_identity.h"
#include "app_settings.h"
#include "child_frame.h"
#include "document_builders.h"
#include "main_frame.h"
#include "message_box_prompter.h"
#include "startup_request.h"
#include "tarvik_doc.h"
#include "tarvik_view.h"
#include "temp_dir.h"

namespace tarvik {
namespace {

// Entries with no visible effect by design, and why. (None at present: an entry added here
// needs a reason a user would accept.)
const std::map<std::string, std::string> kNoVisibleEffect = {};

// Answers every modal window as it opens and keeps its class and caption.
class ModalAnswerer {
  public:
    ModalAnswerer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start(5);
    }
    std::vector<std::string> take() { return std::exchange(seen_, {}); }

  private:
    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (modal != last_) {
            last_ = modal;
            seen_.push_back(std::string(modal->metaObject()->className()) + " \"" +
                            modal->windowTitle().toStdString() + "\"");
        }
        QTest::keyClick(modal, Qt::Key_Escape);
        if (modal->isVisible())
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
    }
    QTimer timer_;
    QPointer<QWidget> last_;  // a closed dialog's address may come back for the next one
    std::vector<std::string> seen_;
};

// Everything the user can see change, as text.
std::string observable(CMainFrame& frame, const testing::TempDir& dir) {
    std::ostringstream out;
    out << "caption " << frame.windowTitle().toStdString() << " visible " << frame.isVisible()
        << "\n";
    for (CChildFrame* plot : frame.plot_windows())
        out << "plot " << plot->windowTitle().toStdString() << " " << plot->isMaximized() << "\n";
    for (const QString& file : recent_files())
        out << "recent " << file.toStdString() << "\n";
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        out << "file " << entry.path().filename().string() << " " << entry.file_size() << "\n";
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            out << "window " << w->metaObject()->className() << " "
                << w->windowTitle().toStdString() << "\n";
    CTarvikView* view = frame.active_view();
    if (!view || !view->document())
        return out.str();
    const PlotViewState& s = view->state();
    const CTarvikDoc& doc = *view->document();
    out << "ranges " << s.m_XMin << " " << s.m_XMax << " " << s.m_YMin << " " << s.m_YMax << " "
        << s.m_AutoX << s.m_AutoY << " follow " << s.m_FollowData << " ticks " << s.m_XTicks << " "
        << s.m_YTicks << " precision " << s.m_XPrecision << " " << s.m_YPrecision << " "
        << s.m_XFormat << s.m_YFormat << "\nscrolling " << s.m_XScrollbarMode << s.m_AutoXScroll
        << " " << s.m_ClientRect.right << "\ntimer " << doc.timer_interval() << " "
        << (s.m_TimerId != 0) << " frozen " << s.m_Frozen << " " << s.m_SavedInterval << " tries "
        << s.m_MaxTries << "\ndecoration " << s.m_Grid << s.m_Legend << s.m_DataTips << " "
        << s.m_Title << "|" << s.m_XLabel << "|" << s.m_YLabel << "|" << s.m_FontName << " "
        << s.m_FontSize << "\nsaving " << s.m_SaveActive << " " << s.m_SaveInterval << " "
        << s.m_SaveType << " " << s.m_SaveFileName << "\n";
    for (int i = 0; i < doc.curve_count(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        out << "curve " << doc.file_name(i) << " " << doc.x_column(i) << "-" << doc.y_column(i)
            << " " << doc.curve_title(i) << " " << doc.add_only(i) << " generations "
            << doc.history(i).size() << " points " << doc.history(i).front().count;
        for (std::size_t g = 0; g < s.m_Curves.m_Colours[k].size(); ++g)
            out << " " << s.m_Curves.m_Colours[k][g] << "/" << s.m_Curves.m_Widths[k][g] << "/"
                << s.m_Curves.m_Styles[k][g] << "/" << s.m_Curves.m_PointSizes[k][g];
        out << "\n";
    }
    return out.str();
}

// An entry: where it is, and how to find its action now (menus are rebuilt as they open).
struct Entry {
    std::string path;
    std::function<QAction*()> find;
};

void collect(QMenu* menu, const std::string& prefix, std::vector<std::string>& paths) {
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        const std::string path = prefix + "/" + a->text().toStdString();
        if (a->menu())
            collect(a->menu(), path, paths);
        else
            paths.push_back(path);
    }
}

QAction* find_in(const QList<QAction*>& actions, const std::string& path) {
    const auto slash = path.find('/');
    const std::string head = path.substr(0, slash);
    for (QAction* a : actions) {
        if (a->text().toStdString() != head)
            continue;
        if (slash == std::string::npos)
            return a;
        if (a->menu())
            return find_in(a->menu()->actions(), path.substr(slash + 1));
    }
    return nullptr;
}

class CommandWalk : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = prompt::install(&boxes_);
        install_window_builders(&frame_);
        frame_.set_caption(QString::fromStdString(main_caption()));
        frame_.show();
        StartupRequest& request = StartupRequest::instance();
        request.plot_request_pending = true;
        request.plot_request =
            PlotRequest{dir_.write("walk.txt", "0 0\n1 0.8\n2 0.9\n3 0.1\n"), 0, 1, 0, 4, -1, 1};
        ASSERT_NE(frame_.open_new_plot(), nullptr);
        request.plot_request_pending = false;
        // The walk's own timing: no timer tick may change the plot while an entry is judged.
        frame_.active_view()->document()->SetTimerInterval(0);
        // A saved plot, so the recent-file list has an entry to reopen.
        ASSERT_TRUE(frame_.save_configuration_to(QString::fromStdString(dir_.file("walk.xml"))));
    }
    void TearDown() override { prompt::install(previous_); }

    std::vector<Entry> entries() {
        std::vector<std::string> paths;
        for (QAction* top : frame_.menuBar()->actions())
            if (top->menu())
                collect(top->menu(), top->text().toStdString(), paths);
        std::vector<Entry> all;
        for (const std::string& path : paths)
            all.push_back({path, [this, path] {
                               frame_.update_menus();
                               return find_in(frame_.menuBar()->actions(), path);
                           }});
        for (QAction* own : frame_.actions())
            all.push_back({"shortcut " + own->shortcut().toString().toStdString(),
                           [this, own] { return own; }});
        std::unique_ptr<QMenu> menu = frame_.active_view()->make_context_menu();
        for (QAction* a : menu->actions()) {
            if (a->isSeparator())
                continue;
            const std::string text = a->text().toStdString();
            all.push_back({"context/" + text, [this, text]() -> QAction* {
                               context_menu_ = frame_.active_view()->make_context_menu();
                               return find_in(context_menu_->actions(), text);
                           }});
        }
        return all;
    }

    // Brings the active plot into the round's state before each entry.
    void settle(bool frozen_and_saving) {
        CTarvikView& view = *frame_.active_view();
        if (view.state().m_Frozen != frozen_and_saving)
            frozen_and_saving ? view.freeze() : view.unfreeze();
        if (view.state().m_SaveActive != frozen_and_saving)
            frozen_and_saving ? view.start_periodic_saving() : view.stop_periodic_saving();
    }

    testing::TempDir dir_;
    MessageBoxPrompter boxes_;
    prompt::Prompter* previous_ = nullptr;
    CMainFrame frame_;
    std::unique_ptr<QMenu> context_menu_;
};

TEST_F(CommandWalk, EveryEntryShowsAWindowOrChangesSomething) {
    ModalAnswerer answerer;
    const std::vector<Entry> all = entries();
    ASSERT_GT(all.size(), 35u);
    std::set<std::string> triggered;
    int line = 4;
    for (const bool frozen_and_saving : {false, true}) {
        for (const Entry& entry : all) {
            ASSERT_NE(frame_.active_view(), nullptr) << entry.path << " left no plot";
            settle(frozen_and_saving);
            QAction* action = entry.find();
            ASSERT_NE(action, nullptr) << entry.path;
            if (!action->isEnabled())
                continue;
            dir_.append("walk.txt", std::to_string(line++) + " 0.5\n");
            const std::string before = observable(frame_, dir_);
            answerer.take();
            action->trigger();
            QApplication::processEvents();
            const std::vector<std::string> shown = answerer.take();
            const bool changed = observable(frame_, dir_) != before;
            triggered.insert(entry.path);
            if (shown.empty() && !changed && !kNoVisibleEffect.count(entry.path))
                ADD_FAILURE() << entry.path << ": no window and no change";
        }
    }
    for (const Entry& entry : all)
        EXPECT_TRUE(triggered.count(entry.path)) << entry.path << " was never enabled";
}

}  // namespace
}  // namespace tarvik
