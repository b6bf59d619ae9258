#include "colour_choice.h"

#include <QColorDialog>

#include "prompt.h"

namespace tarvik {

std::optional<QColor> choose_solid_colour(QWidget* parent, const QColor& current) {
    QColorDialog dialog(current, parent);
    dialog.setOption(QColorDialog::ShowAlphaChannel, false);
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    QColor chosen = dialog.selectedColor();
    if (!chosen.isValid()) {
        prompt::show("Error in dialog", prompt::kApplicationTitle, prompt::Icon::Error,
                     prompt::Buttons::Ok);
        return std::nullopt;
    }
    chosen.setAlpha(255);
    return chosen;
}

}  // namespace tarvik
