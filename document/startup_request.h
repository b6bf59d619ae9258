// What start-up asks the next new document to build: a plot from a configuration file or from
// a command-line plot request. At most one is pending at a time.
#pragma once

#include <cstdint>
#include <string>

namespace tarvik {

struct PlotRequest {
    std::string file;
    std::int32_t xcol = 0;
    std::int32_t ycol = 1;
    double x_min = 0.0;
    double x_max = 1.0;
    double y_min = 0.0;
    double y_max = 1.0;
};

struct StartupRequest {
    bool configuration_pending = false;
    std::string configuration_file;
    bool plot_request_pending = false;
    PlotRequest plot_request;

    // The one process-wide request.
    static StartupRequest& instance();
};

}  // namespace tarvik
