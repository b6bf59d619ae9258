// The view's picture going out: printing and periodic saving.
#include "tarvik_view.h"
#include "view_commands.h"

namespace tarvik {

void CTarvikView::periodic_saving_settings() {}
void CTarvikView::print() {}
void CTarvikView::print_setup(QWidget*) {}

void CTarvikView::start_periodic_saving() {
    tarvik::start_periodic_saving(state_);
}

void CTarvikView::stop_periodic_saving() {
    state_.m_SaveActive = false;
}

}  // namespace tarvik
