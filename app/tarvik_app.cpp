#include "tarvik_app.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app_identity.h"
#include "app_settings.h"
#include "batch.h"
#include "command_line.h"
#include "document_builders.h"
#include "main_frame.h"
#include "message_box_prompter.h"
#include "program_icon.h"
#include "qt_messages.h"
#include "welcome_dialog.h"

namespace tarvik {

namespace {

// Runs the new-document command once for every entry, each with its own pending request.
template <typename Entries, typename SetPending>
void open_each(CMainFrame& frame, const Entries& entries, SetPending set_pending) {
    StartupRequest& request = StartupRequest::instance();
    for (const auto& entry : entries) {
        set_pending(request, entry, true);
        frame.open_new_plot();
        set_pending(request, entry, false);
    }
}

void write_lines(std::FILE* stream, const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        std::fprintf(stream, "%s\n", line.c_str());
    std::fflush(stream);
}

}  // namespace

CTarvikApp::CTarvikApp() : welcome([] { return CWelcome::ask(); }) {}

CTarvikApp::~CTarvikApp() = default;

bool CTarvikApp::InitInstance(bool has_arguments, StartupPlan plan) {
    if (!has_arguments) {
        switch (welcome()) {
            case CWelcome::kStartNewPlot:
                plan.new_plot = true;
                break;
            case CWelcome::kExit:
                return false;
            default:
                break;
        }
    }
    init_settings_identity();
    frame_ = std::make_unique<CMainFrame>();
    frame_->set_caption(QString::fromStdString(main_caption()));
    install_window_builders(frame_.get());
    // A new plot asked for is made before the main window shows.
    if (plan.new_plot)
        frame_->open_new_plot();
    frame_->show();
    open_each(*frame_, plan.configurations,
              [](StartupRequest& r, const std::string& file, bool pending) {
                  r.configuration_pending = pending;
                  r.configuration_file = pending ? file : std::string();
              });
    open_each(*frame_, plan.plot_requests,
              [](StartupRequest& r, const PlotRequest& request, bool pending) {
                  r.plot_request_pending = pending;
                  r.plot_request = pending ? request : PlotRequest{};
              });
    return true;
}

int run_tarvik(int argc, char** argv) {
    drop_runtime_folder_notice();
    const CommandLine line = parse_command_line(argc, argv);
    write_lines(stdout, line.output_lines);
    write_lines(stderr, line.error_lines);
    if (line.exit_status)
        return *line.exit_status;

    if (line.batch) {
        // Batch rendering needs fonts, never a display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        std::optional<QGuiApplication> app;
        BatchRequest request;
        request.start_drawing = [&] {
            if (!app)
                app.emplace(argc, argv);
        };
        request.png_file = line.batch->png_file;
        request.width = line.batch->width;
        request.height = line.batch->height;
        request.configurations = line.configuration_files;
        request.plot_requests = line.plot_requests;
        return render_batch(request);
    }

    QApplication app(argc, argv);
    // Every window without an icon of its own (the main window, each plot window, the boxes)
    // shows the program's; the desktop entry's name lets a desktop match windows to it.
    QApplication::setWindowIcon(program_icon());
    QGuiApplication::setDesktopFileName(QStringLiteral("tarvik"));
    MessageBoxPrompter prompter;
    prompt::install(&prompter);
    CTarvikApp tarvik;
    StartupPlan plan{line.new_plot, line.configuration_files, line.plot_requests};
    int status = 0;
    if (tarvik.InitInstance(!line.welcome, std::move(plan)))
        status = QApplication::exec();
    prompt::install(nullptr);
    return status;
}

}  // namespace tarvik
