#include "plot_image.h"

#include <QPainter>

#include "captured_image_file.h"
#include "plot_renderer.h"

namespace tarvik {

bool SaveImage(PlotViewState& state, const PlotData& doc, int client_width, int client_height,
               const std::string& file, int format) {
    return write_captured_image(
        client_width, client_height,
        [&](QPainter& painter) { draw_plot(painter, state.m_ClientRect, state, doc); }, file,
        format);
}

bool SaveImage(PlotViewState& state, const PlotData& doc, const std::string& file, int format) {
    return SaveImage(state, doc, state.m_ClientRect.width(), state.m_ClientRect.height(), file,
                     format);
}

}  // namespace tarvik
