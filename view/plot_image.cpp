#include "plot_image.h"

#include <QPainter>

#include "captured_image_file.h"
#include "plot_renderer.h"

namespace tarvik {

bool SaveImage(PlotViewState& state, const PlotData& doc, int client_width, int client_height,
               const std::string& file, int format) {
    return write_captured_image(
        client_width, client_height,
        [&](QPainter& painter) {
            DrawParameters parameters;
            parameters.antialiased_text = false;  // only black and white around the letters
            draw_plot(painter, state.m_ClientRect, state, doc, parameters);
        },
        file, format);
}

bool SaveImage(PlotViewState& state, const PlotData& doc, const std::string& file, int format) {
    return SaveImage(state, doc, state.m_ClientRect.width(), state.m_ClientRect.height(), file,
                     format);
}

bool SaveImage(PlotViewState& state, const PlotData& doc, const PixelRect& shown,
               const std::string& file, int format) {
    return write_captured_image(
        shown.width(), shown.height(),
        [&](QPainter& painter) {
            DrawParameters parameters;
            parameters.antialiased_text = false;
            painter.translate(-shown.left, -shown.top);
            draw_plot(painter, state.m_ClientRect, state, doc, parameters);
        },
        file, format);
}

}  // namespace tarvik
