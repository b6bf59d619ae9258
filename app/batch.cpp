#include "batch.h"

#include <cstdio>
#include <ctime>

#include "batch_prompter.h"
#include "captured_image_file.h"
#include "document_builders.h"
#include "document_view.h"
#include "plot_image.h"
#include "tarvik_doc.h"

namespace tarvik {

namespace {

// A view without a window: it keeps the display state and has no timer.
class BatchView : public DocumentView {
  public:
    BatchView(CTarvikDoc& doc, int width, int height) : doc_(doc) {
        // The picture is the client area and one pixel more in each direction.
        state_.m_ClientRect = PixelRect{0, 0, width - 1, height - 1};
    }
    PlotViewState& state() override { return state_; }
    void set_timer(std::int32_t) override {}
    void data_updated() override { doc_.StampWindowTitle(std::time(nullptr)); }
    void update() override {}

  private:
    CTarvikDoc& doc_;
    PlotViewState state_;
};

// Builds one plot from the pending start-up request and writes its picture. -1: the plot did
// not build; otherwise the exit status.
int try_plot(const BatchRequest& request) {
    CTarvikDoc doc;
    BatchView view(doc, request.width, request.height);
    doc.attach_view(&view);
    if (!doc.OnNewDocument())
        return -1;
    request.start_drawing();
    const PixelRect& r = view.state().m_ClientRect;
    if (SaveImage(view.state(), doc, r.width(), r.height(), request.png_file, kImageFormatPng))
        return 0;
    std::fprintf(stderr, "tarvik: the picture could not be written to %s\n",
                 request.png_file.c_str());
    return 1;
}

}  // namespace

int render_batch(const BatchRequest& request) {
    BatchPrompter prompter;
    prompt::Prompter* previous = prompt::install(&prompter);
    install_batch_builders();
    StartupRequest& pending = StartupRequest::instance();
    int status = -1;
    for (const std::string& file : request.configurations) {
        pending.configuration_pending = true;
        pending.configuration_file = file;
        status = try_plot(request);
        pending.configuration_pending = false;
        if (status >= 0)
            break;
    }
    for (std::size_t i = 0; status < 0 && i < request.plot_requests.size(); ++i) {
        pending.plot_request_pending = true;
        pending.plot_request = request.plot_requests[i];
        status = try_plot(request);
        pending.plot_request_pending = false;
    }
    prompt::install(previous);
    if (status < 0) {
        std::fprintf(stderr, "tarvik: no plot could be built for %s\n", request.png_file.c_str());
        return 1;
    }
    return status;
}

}  // namespace tarvik
