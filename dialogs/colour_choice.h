// The colour chooser: solid colours only, preselected with the current colour. Used by the
// colour page of the line properties and when a curve is added.
#pragma once

#include <QColor>
#include <functional>
#include <optional>

class QWidget;

namespace tarvik {

// Nothing on Cancel. A chooser that reports OK with no valid colour has failed: "Error in
// dialog" is shown (error icon) and nothing is returned.
std::optional<QColor> choose_solid_colour(QWidget* parent, const QColor& current);

// The chooser the colour page calls; tests put their own in place.
using ColourChooser = std::function<std::optional<QColor>(QWidget*, const QColor&)>;

}  // namespace tarvik
