#include "font_choice.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <cmath>

#include "prompt.h"

namespace tarvik {

namespace {

// Refuses OK while the chosen size lies outside 5 to 13 points, as the platform's font dialog
// does with a size limit.
class LimitedFontDialog : public QFontDialog {
  public:
    LimitedFontDialog(const QFont& initial, QWidget* parent) : QFontDialog(initial, parent) {
        setOptions(QFontDialog::DontUseNativeDialog | QFontDialog::MonospacedFonts |
                   QFontDialog::ScalableFonts);
    }
    void accept() override {
        const int points = qRound(currentFont().pointSizeF());
        if (points < kLowestFontPoints || points > kHighestFontPoints) {
            prompt::show("Size must be between " + std::to_string(kLowestFontPoints) + " and " +
                             std::to_string(kHighestFontPoints) + " points.",
                         "Font", prompt::Icon::Warning, prompt::Buttons::Ok);
            return;
        }
        QFontDialog::accept();
    }
};

bool any_fixed_pitch_font() {
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families)
        if (QFontDatabase::isFixedPitch(family) && QFontDatabase::isScalable(family))
            return true;
    return false;
}

}  // namespace

QFont qfont_for(const PlotFont& font) {
    QFont q(font.face);
    q.setStyleHint(QFont::TypeWriter);
    q.setPointSizeF(font.size_tenths / 10.0);
    return q;
}

PlotFont plot_font_from(const QFont& font) {
    return {font.family(), static_cast<int>(std::lround(font.pointSizeF())) * 10};
}

std::optional<PlotFont> choose_plot_font(QWidget* parent, const PlotFont& current) {
    if (!any_fixed_pitch_font()) {
        prompt::show("Error in dialog", prompt::kApplicationTitle, prompt::Icon::Error,
                     prompt::Buttons::Ok);
        return std::nullopt;
    }
    LimitedFontDialog dialog(qfont_for(current), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return plot_font_from(dialog.selectedFont());
}

}  // namespace tarvik
