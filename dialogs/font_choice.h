// The plot font through the font dialog: fixed-pitch scalable fonts only, 5 to 13 points, the
// size kept in tenths of a point (100 = 10 points). Effects (underline, strike-out) are not
// taken.
//     if (auto font = choose_plot_font(parent, {m_FontName, m_FontSize})) { ... }
#pragma once

#include <QFont>
#include <QString>
#include <optional>

class QWidget;

namespace tarvik {

struct PlotFont {
    QString face;  // "lucida console" falls back to an installed monospace font
    int size_tenths = 100;
};

constexpr int kLowestFontPoints = 5;
constexpr int kHighestFontPoints = 13;

// The font a plot font draws with, and back (whole points times 10).
QFont qfont_for(const PlotFont& font);
PlotFont plot_font_from(const QFont& font);

// Nothing on Cancel. With no fixed-pitch font installed the dialog cannot offer a choice:
// "Error in dialog" is shown (error icon) and nothing is returned.
std::optional<PlotFont> choose_plot_font(QWidget* parent, const PlotFont& current);

}  // namespace tarvik
