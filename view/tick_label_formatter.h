// The text of the tick labels of one axis. Every label of an axis is padded on the left to the
// width of the wider range end, so the labels line up and the layout can reserve room for
// them before anything is drawn.
#pragma once

#include <sstream>
#include <string>

namespace tarvik {

class TickLabelFormatter {
  public:
    // notation: 0 fixed, 1 scientific, any other value the stream's general notation. A
    // precision above the largest the dialogs offer writes as that one; a negative one as the
    // stream writes it (six digits).
    TickLabelFormatter(double minimum, double maximum, int precision, int notation);

    // Characters of the wider of the two range ends in this notation and precision.
    int width() const { return m_Width; }

    // The label of v: exactly what an ostringstream with this notation, precision and field
    // width (right adjusted, space filled) writes for v.
    std::string format(double v) const;

  private:
    // One stream for all labels of a draw; labels are made for every tick on every paint.
    std::string write(double v, int field_width) const;

    mutable std::ostringstream m_Stream;
    int m_Width = 0;
};

}  // namespace tarvik
