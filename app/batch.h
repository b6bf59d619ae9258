// Batch rendering: the plots the command line asks for are built as the window would build
// them, without any window or dialog, and the first one that builds is written as a 16-colour
// PNG picture.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "startup_request.h"

namespace tarvik {

struct BatchRequest {
    std::string png_file;
    int width = 800;
    int height = 600;
    std::vector<std::string> configurations;
    std::vector<PlotRequest> plot_requests;
    // Called once a plot has built and before it is drawn: drawing needs a Qt GUI application
    // (fonts), and starting one only then keeps it out of the peak memory of reading the files.
    std::function<void()> start_drawing = [] {};
};

// Exit status: 0 when the picture was written; 1 with a line on standard error when no plot
// could be built or the picture could not be written.
int render_batch(const BatchRequest& request);

}  // namespace tarvik
