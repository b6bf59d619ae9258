#include "curve_dialogs.h"

#include <QColor>

#include "colour_choice.h"
#include "new_plot_dlg.h"
#include "select_dlg.h"
#include "style_dlg.h"
#include "tarvik_doc.h"
#include "time_units_dlg.h"
#include "width_dlg.h"

namespace tarvik {

std::vector<CurveListEntry> curve_list_entries(const CTarvikDoc& doc) {
    std::vector<CurveListEntry> curves;
    for (int i = 0; i < doc.curve_count(); ++i)
        curves.push_back(
            {QString::fromStdString(doc.file_name(i)), doc.x_column(i), doc.y_column(i)});
    return curves;
}

CurveDialogs window_curve_dialogs(QWidget* parent) {
    CurveDialogs d;
    d.new_plot = [parent](int curve_count, const NewPlotValues& values) {
        return run_new_plot(parent, curve_count, values);
    };
    d.time_unit = [parent] { return choose_time_unit(parent); };
    d.colour = [parent] {
        const std::optional<QColor> c = choose_solid_colour(parent, QColor(Qt::black));
        return c ? rgb(c->red(), c->green(), c->blue()) : rgb(0, 0, 0);
    };
    d.line_style = [parent] { return choose_line_style(parent); };
    d.select_curve = [parent](const CTarvikDoc& doc) {
        return choose_curve(parent, curve_list_entries(doc));
    };
    d.number = [parent](const std::string& caption, int maximum, int value) -> std::optional<int> {
        CWidthDlg dialog(QString::fromStdString(caption), maximum, value, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.value();
    };
    return d;
}

}  // namespace tarvik
