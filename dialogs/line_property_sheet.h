// The line property sheet "Line properties...": pages "Color", "Size", "Style", "Point size"
// for one curve. Apply sends the active page to the target (the plot view) as a
// LinePropertyEvent; OK yields all four values.
//     CLinePropertySheet sheet(look, curve, view, parent);
//     if (sheet.exec() == QDialog::Accepted) set_look(curve, sheet.look());
#pragma once

#include "colour_choice.h"
#include "line_property_form.h"
#include "property_sheet.h"

class QObject;

namespace tarvik {

class ColourPage;
class LineStylePage;
class SizePage;

class CLinePropertySheet : public PropertySheet {
  public:
    CLinePropertySheet(const LineLook& look, std::int32_t curve, QObject* target,
                       QWidget* parent = nullptr, ColourChooser chooser = choose_solid_colour);

    // After OK: the colour components, width, style and point size.
    LineLook look() const { return m_Form.look(); }
    std::uint32_t colour() const { return packed_colour(look().red, look().green, look().blue); }

  protected:
    bool apply_page(int page) override;
    bool read_page(int page) override;
    bool is_page_modified(int page) const override;

  private:
    void page_modified(LinePropertyForm::Page page);

    LinePropertyForm m_Form;
    QObject* target_;
    ColourPage* colour_page_;
    SizePage* width_page_;
    LineStylePage* style_page_;
    SizePage* point_page_;
};

}  // namespace tarvik
