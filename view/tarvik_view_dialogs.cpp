// The view's commands that open a dialog, and the periodic-saving switches.
#include "tarvik_view.h"
#include "view_commands.h"

namespace tarvik {

void CTarvikView::edit_line_properties() {}
void CTarvikView::edit_window_properties() {}
void CTarvikView::set_timer_settings() {}
void CTarvikView::edit_x_range() {}
void CTarvikView::edit_y_range() {}
void CTarvikView::edit_ticks() {}
void CTarvikView::edit_precision() {}
void CTarvikView::show_curve_list() {}
void CTarvikView::edit_plot_title() {}
void CTarvikView::edit_labels() {}
void CTarvikView::edit_curve_title() {}
void CTarvikView::choose_font() {}
void CTarvikView::edit_file_update() {}

}  // namespace tarvik
