// The application object: start-up in its fixed order (the welcome dialog or the command
// line, the settings, the main window and its caption, a new plot when asked, then every
// configuration file and every plot request as its own plot), and the program's entry point.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "startup_request.h"

namespace tarvik {

class CMainFrame;

// What start-up opens, from the command line or the welcome dialog.
struct StartupPlan {
    bool new_plot = false;
    std::vector<std::string> configurations;
    std::vector<PlotRequest> plot_requests;
};

class CTarvikApp {
  public:
    CTarvikApp();
    ~CTarvikApp();

    // Runs start-up. has_arguments: the process had arguments (else the welcome dialog
    // decides). False: start-up failed and the program ends without its main window.
    bool InitInstance(bool has_arguments, StartupPlan plan);

    CMainFrame* main_frame() const { return frame_.get(); }

    // The welcome dialog's answer: 0 start a new plot, 1 continue to the main menu, 2 exit.
    // Tests replace it.
    std::function<int()> welcome;

  private:
    std::unique_ptr<CMainFrame> frame_;
};

// The whole program: arguments, batch rendering or the window, the event loop. Returns the
// process's exit status.
int run_tarvik(int argc, char** argv);

}  // namespace tarvik
