#include "vector_picture.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "plot_renderer.h"
#include "prompt.h"

namespace tarvik {

namespace {

// One picture pixel is one screen pixel at this resolution.
constexpr int kScreenDpi = 96;

void draw(QPaintDevice& device, PlotViewState& state, const PlotData& doc, const PixelRect& shown) {
    QPainter painter(&device);
    painter.translate(-shown.left, -shown.top);
    draw_plot(painter, state.m_ClientRect, state, doc, DrawParameters{true, 1.0, {}});
}

}  // namespace

bool save_vector_picture(PlotViewState& state, const PlotData& doc, const std::string& file,
                         VectorFormat format) {
    return save_vector_picture(state, doc, state.m_ClientRect, file, format);
}

bool save_vector_picture(PlotViewState& state, const PlotData& doc, const PixelRect& shown,
                         const std::string& file, VectorFormat format) {
    const int width = shown.width();
    const int height = shown.height();
    QSaveFile out(QString::fromStdString(file));
    bool opened = width > 0 && height > 0 && out.open(QIODevice::WriteOnly);
    if (opened && format == VectorFormat::Pdf) {
        QPdfWriter pdf(&out);
        pdf.setResolution(kScreenDpi);
        pdf.setPageSize(QPageSize(QSizeF(width * 72.0 / kScreenDpi, height * 72.0 / kScreenDpi),
                                  QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setCreator(QStringLiteral("Tarvik"));
        draw(pdf, state, doc, shown);
    } else if (opened) {
        QSvgGenerator svg;
        svg.setOutputDevice(&out);
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        svg.setResolution(kScreenDpi);
        svg.setTitle(QStringLiteral("Tarvik"));
        draw(svg, state, doc, shown);
    }
    if (opened && out.commit())
        return true;
    prompt::show("Unable to write file", "Error", prompt::Icon::Warning, prompt::Buttons::Ok);
    return false;
}

}  // namespace tarvik
