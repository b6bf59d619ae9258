// The view's commands that open a dialog: each fills its dialog from the plot, and on OK
// applies the answer; range, ticks, precision, font, title, label and curve-title commands
// redraw even when cancelled.
#include <QDialog>
#include <vector>

#include "curve_dialogs.h"
#include "curve_list_dlg.h"
#include "enumerations.h"
#include "file_update_dlg.h"
#include "font_choice.h"
#include "line_property_sheet.h"
#include "plot_defaults.h"
#include "range_dlg.h"
#include "select_dlg.h"
#include "string_dlg.h"
#include "style_dlg.h"
#include "tarvik_doc.h"
#include "tarvik_view.h"
#include "ticks_dlg.h"
#include "timer_dlg.h"
#include "two_strings.h"
#include "view_commands.h"
#include "view_ranges.h"
#include "width_dlg.h"
#include "window_properties.h"

namespace tarvik {

namespace {

QString qtext(const std::string& s) {
    return QString::fromStdString(s);
}

constexpr std::uint32_t kUnlimitedTries = 0xFFFFFFFFu;

}  // namespace

int CTarvikView::select_curve() {
    if (!doc_)
        return -1;
    const int curve = choose_curve(this, curve_list_entries(*doc_));
    // A plot without curves yields curve 0, which names nothing.
    return curve >= 0 && curve < doc_->curve_count() ? curve : -1;
}

void CTarvikView::edit_line_properties() {
    const int i = select_curve();
    if (i < 0)
        return;
    const CurveStyleTables& curves = state_.m_Curves;
    const auto k = static_cast<std::size_t>(i);
    const Colour colour = curves.m_Colours[k][0];
    const LineLook look{red_of(colour),        green_of(colour),      blue_of(colour),
                        curves.m_Widths[k][0], curves.m_Styles[k][0], curves.m_PointSizes[k][0]};
    CLinePropertySheet sheet(look, i, this, this);
    if (sheet.exec() != QDialog::Accepted)
        return;
    apply_line_look(state_, i, sheet.look().red, sheet.look().green, sheet.look().blue,
                    sheet.look().width, sheet.look().style, sheet.look().point_size);
    redraw();
}

void CTarvikView::edit_window_properties() {
    if (!doc_)
        return;
    WindowSettings settings;
    settings.x = {state_.m_XMin, state_.m_XMax, false};
    settings.y = {state_.m_YMin, state_.m_YMax, false};
    settings.x_ticks = state_.m_XTicks;
    settings.y_ticks = state_.m_YTicks;
    settings.x_precision = state_.m_XPrecision;
    settings.y_precision = state_.m_YPrecision;
    settings.x_notation = state_.m_XFormat;
    settings.y_notation = state_.m_YFormat;
    CWindowProperties sheet(settings, this, this);
    if (sheet.exec() != QDialog::Accepted)
        return;
    const WindowSettings s = sheet.settings();
    apply_window_pages(
        state_, *doc_,
        {s.x.minimum, s.x.maximum, s.x.automatic, s.y.minimum, s.y.maximum, s.y.automatic,
         s.x_ticks, s.y_ticks, s.x_precision, s.y_precision, s.x_notation, s.y_notation});
    redraw();
}

void CTarvikView::set_timer_settings() {
    if (!doc_)
        return;
    const std::int32_t tries =
        state_.m_MaxTries == kUnlimitedTries ? -1 : static_cast<std::int32_t>(state_.m_MaxTries);
    CTimerDlg dialog(state_.running_interval(doc_->timer_interval()), tries, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    set_running_interval(state_, *doc_, dialog.interval_ms());
    state_.m_MaxTries =
        dialog.max_tries() < 0 ? kUnlimitedTries : static_cast<std::uint32_t>(dialog.max_tries());
    state_.m_TickCounter = 0;
    emit plot_changed();
}

void CTarvikView::edit_x_range() {
    CModX dialog({state_.m_XMin, state_.m_XMax, false}, this);
    if (dialog.exec() == QDialog::Accepted && doc_) {
        WindowPropertyChange change;
        change.page = WindowPropertyChange::XRange;
        change.x_minimum = dialog.values().minimum;
        change.x_maximum = dialog.values().maximum;
        change.x_automatic = dialog.values().automatic;
        apply_window_property(state_, *doc_, change);
    }
    redraw();
}

void CTarvikView::edit_y_range() {
    CModY dialog({state_.m_YMin, state_.m_YMax, false}, this);
    if (dialog.exec() == QDialog::Accepted && doc_) {
        WindowPropertyChange change;
        change.page = WindowPropertyChange::YRange;
        change.y_minimum = dialog.values().minimum;
        change.y_maximum = dialog.values().maximum;
        change.y_automatic = dialog.values().automatic;
        apply_window_property(state_, *doc_, change);
    }
    redraw();
}

void CTarvikView::edit_ticks() {
    TicksDlgSetup setup;
    setup.x = state_.m_XTicks;
    setup.y = state_.m_YTicks;
    CTicksDlg dialog(setup, this);
    if (dialog.exec() == QDialog::Accepted) {
        state_.m_XTicks = dialog.x();
        state_.m_YTicks = dialog.y();
    }
    redraw();
}

void CTarvikView::edit_precision() {
    TicksDlgSetup setup;
    setup.caption = tr("Set x & y precision:");
    setup.x_label = tr("x-prec.");
    setup.y_label = tr("y-prec.");
    setup.x = state_.m_XPrecision;
    setup.y = state_.m_YPrecision;
    setup.spin_low = 1;
    setup.spin_high = 4;
    CTicksDlg dialog(setup, this);
    if (dialog.exec() == QDialog::Accepted) {
        state_.m_XPrecision = dialog.x();
        state_.m_YPrecision = dialog.y();
    }
    redraw();
}

void CTarvikView::show_curve_list() {
    if (doc_) {
        CCurveListDlg dialog(curve_list_entries(*doc_), this);
        dialog.exec();
    }
    redraw();
}

void CTarvikView::edit_plot_title() {
    CstringDlg dialog(tr("Enter plot title"), PlotLimits::instance().maximum_title_length,
                      qtext(state_.m_Title), this);
    if (dialog.exec() == QDialog::Accepted)
        state_.m_Title = dialog.text().toStdString();
    redraw();
}

void CTarvikView::edit_labels() {
    CTwoStrings dialog(tr("Enter X & Y labels"), PlotLimits::instance().maximum_label_length,
                       qtext(state_.m_XLabel), qtext(state_.m_YLabel), this);
    if (dialog.exec() == QDialog::Accepted) {
        state_.m_XLabel = dialog.string(0).toStdString();
        state_.m_YLabel = dialog.string(1).toStdString();
    }
    redraw();
}

void CTarvikView::edit_curve_title() {
    const int i = select_curve();
    if (i >= 0) {
        CstringDlg dialog(tr("Enter curve title"), PlotLimits::instance().maximum_title_length,
                          qtext(doc_->curve_title(i)), this);
        if (dialog.exec() == QDialog::Accepted)
            doc_->SetCurveTitle(i, dialog.text().toStdString());
    }
    redraw();
}

void CTarvikView::choose_font() {
    const std::optional<PlotFont> font =
        choose_plot_font(this, PlotFont{qtext(state_.m_FontName), state_.m_FontSize});
    if (font) {
        state_.m_FontName = font->face.toStdString();
        state_.m_FontSize = font->size_tenths;
    }
    redraw();
}

void CTarvikView::edit_file_update() {
    const int i = select_curve();
    if (i < 0)
        return;
    CFileUpdateDlg dialog(doc_->add_only(i), this);
    if (dialog.exec() == QDialog::Accepted)
        doc_->set_add_only(i, to_update_mode(dialog.mode()));
    redraw();
}

void CTarvikView::edit_newest_style() {
    const int i = select_curve();
    if (i < 0)
        return;
    CStyleDlg dialog(state_.m_Curves.m_Styles[static_cast<std::size_t>(i)][0], this);
    if (dialog.exec() == QDialog::Accepted)
        state_.m_Curves.m_Styles[static_cast<std::size_t>(i)][0] = to_line_style(dialog.style());
    redraw();
}

void CTarvikView::edit_newest_width() {
    const int i = select_curve();
    if (i < 0)
        return;
    auto& width = state_.m_Curves.m_Widths[static_cast<std::size_t>(i)][0];
    CWidthDlg dialog(tr("Select line width:"), PlotLimits::instance().maximum_line_width, width,
                     this);
    if (dialog.exec() == QDialog::Accepted)
        width = static_cast<std::int16_t>(dialog.value());
    redraw();
}

void CTarvikView::edit_newest_point_size() {
    const int i = select_curve();
    if (i < 0)
        return;
    auto& size = state_.m_Curves.m_PointSizes[static_cast<std::size_t>(i)][0];
    CWidthDlg dialog(tr("Select point size:"), PlotLimits::instance().maximum_point_size, size,
                     this);
    if (dialog.exec() == QDialog::Accepted)
        size = static_cast<std::int16_t>(dialog.value());
    redraw();
}

}  // namespace tarvik
