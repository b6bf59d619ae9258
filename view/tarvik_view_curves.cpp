// The view's commands that add and remove curves: "&Add File...", "&Remove File..." and
// "&History...".
#include "curve_dialogs.h"
#include "tarvik_doc.h"
#include "tarvik_view.h"

namespace tarvik {

void CTarvikView::add_file() {
    if (doc_ && AddFile(*doc_, false, window_curve_dialogs(this)))
        curves_changed();
}

void CTarvikView::remove_file() {
    if (!doc_ || doc_->curve_count() == 0)
        return;
    RemoveFile(*doc_, window_curve_dialogs(this));
    curves_changed();  // the title is rebuilt even when nothing was removed
}

void CTarvikView::set_history_size() {
    if (doc_ && SetHistorySize(*doc_, window_curve_dialogs(this)))
        redraw();
}

void CTarvikView::curves_changed() {
    emit title_changed(QString::fromStdString(doc_->window_title()));
    redraw();
    emit plot_changed();
}

}  // namespace tarvik
