#include "plot_image.h"

#include <QPainter>

#include "plot_renderer.h"
#include "save_image.h"

namespace tarvik {

bool SaveImage(PlotViewState& state, const CTarvikDoc& doc, int client_width, int client_height,
               const std::string& file, int format) {
    return save_image(
        client_width, client_height,
        [&](QPainter& painter) { draw_plot(painter, state.m_ClientRect, state, doc); }, file,
        format);
}

bool SaveImage(PlotViewState& state, const CTarvikDoc& doc, const std::string& file, int format) {
    return SaveImage(state, doc, state.m_ClientRect.width(), state.m_ClientRect.height(), file, format);
}

}  // namespace tarvik
