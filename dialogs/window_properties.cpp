#include "window_properties.h"

#include <QCoreApplication>

#include "dialog_exchange.h"
#include "range_editor.h"
#include "view_events.h"
#include "window_property_pages.h"

namespace tarvik {

CWindowProperties::CWindowProperties(const WindowSettings& settings, QObject* target,
                                     QWidget* parent)
    : PropertySheet(QStringLiteral("Window properties..."), parent),
      m_Form(settings),
      target_(target) {
    using Page = WindowPropertiesForm::Page;
    x_page_ = new RangeEditor(m_Form.x_range, {QStringLiteral("x-min:"), QStringLiteral("x-max:")});
    y_page_ =
        new RangeEditor(m_Form.y_range, {QStringLiteral("y-min:"), QStringLiteral("y-max:"), true});
    x_page_->on_modified([this] { page_modified(Page::XRange); });
    y_page_->on_modified([this] { page_modified(Page::YRange); });
    ticks_page_ = new TicksPage(m_Form, [this] { page_modified(Page::Ticks); });
    precision_page_ = new PrecisionPage(m_Form, [this] { page_modified(Page::Precision); });
    add_page(x_page_, QStringLiteral("X-range"));
    add_page(y_page_, QStringLiteral("Y-range"));
    add_page(ticks_page_, QStringLiteral("Ticks"));
    add_page(precision_page_, QStringLiteral("Precision/format"));
    add_buttons();
}

void CWindowProperties::page_modified(WindowPropertiesForm::Page page) {
    m_Form.set_modified(page);
    modified_changed(true);
}

bool CWindowProperties::read_page(int page) {
    DialogExchange dx;
    switch (page) {
        case WindowPropertiesForm::XRange:
            return x_page_->read(dx);
        case WindowPropertiesForm::YRange:
            return y_page_->read(dx);
        case WindowPropertiesForm::Ticks:
            return ticks_page_->read(dx);
        case WindowPropertiesForm::Precision:
            return precision_page_->read(dx);
        default:
            return false;
    }
}

bool CWindowProperties::apply_page(int page) {
    WindowPropertyChange change;
    if (!read_page(page) ||
        !m_Form.change_for(static_cast<WindowPropertiesForm::Page>(page), change))
        return false;
    WindowPropertyEvent event(change);
    if (target_)
        QCoreApplication::sendEvent(target_, &event);
    m_Form.clear_modified();
    modified_changed(false);
    return true;
}

bool CWindowProperties::is_page_modified(int page) const {
    return m_Form.modified(static_cast<WindowPropertiesForm::Page>(page));
}

}  // namespace tarvik
