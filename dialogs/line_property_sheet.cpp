#include "line_property_sheet.h"

#include <QCoreApplication>

#include "dialog_exchange.h"
#include "line_property_pages.h"
#include "view_events.h"

namespace tarvik {

CLinePropertySheet::CLinePropertySheet(const LineLook& look, std::int32_t curve, QObject* target,
                                       QWidget* parent, ColourChooser chooser)
    : PropertySheet(QStringLiteral("Line properties..."), parent),
      m_Form(look, curve),
      target_(target) {
    using Page = LinePropertyForm::Page;
    colour_page_ = new ColourPage(
        m_Form, [this] { page_modified(Page::Colour); }, std::move(chooser));
    width_page_ = new SizePage(m_Form.width_page, [this] { page_modified(Page::Width); });
    style_page_ = new LineStylePage(look.style, [this] { page_modified(Page::Style); });
    point_page_ = new SizePage(m_Form.point_page, [this] { page_modified(Page::PointSize); });
    add_page(colour_page_, QStringLiteral("Color"));
    add_page(width_page_, QStringLiteral("Size"));
    add_page(style_page_, QStringLiteral("Style"));
    add_page(point_page_, QStringLiteral("Point size"));
    add_buttons();
}

void CLinePropertySheet::page_modified(LinePropertyForm::Page page) {
    m_Form.set_modified(page);
    modified_changed(true);
}

bool CLinePropertySheet::read_page(int page) {
    DialogExchange dx;
    switch (page) {
        case LinePropertyForm::Colour:
            return colour_page_->read(dx);
        case LinePropertyForm::Width:
            return width_page_->read(dx);
        case LinePropertyForm::Style:
            m_Form.style = style_page_->style();
            return true;
        case LinePropertyForm::PointSize:
            return point_page_->read(dx);
        default:
            return false;
    }
}

bool CLinePropertySheet::apply_page(int page) {
    LinePropertyChange change;
    if (!read_page(page) || !m_Form.change_for(static_cast<LinePropertyForm::Page>(page), change))
        return false;
    LinePropertyEvent event(change);
    if (target_)
        QCoreApplication::sendEvent(target_, &event);
    m_Form.clear_modified();
    modified_changed(false);
    return true;
}

bool CLinePropertySheet::is_page_modified(int page) const {
    return m_Form.modified(static_cast<LinePropertyForm::Page>(page));
}

}  // namespace tarvik
