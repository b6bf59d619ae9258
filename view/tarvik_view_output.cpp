// The view's picture going out: printing and periodic saving.
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "periodic_save_dlg.h"
#include "plot_renderer.h"
#include "printed_part.h"
#include "prompt.h"
#include "tarvik_doc.h"
#include "tarvik_view.h"
#include "view_commands.h"

namespace tarvik {

// Made once and kept to the end of the process, so the page set-up carries over to the next
// print. It is never destroyed: the print system may already be gone at exit.
QPrinter& CTarvikView::program_printer() {
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

void CTarvikView::print_setup(QWidget* parent) {
    QPageSetupDialog dialog(&program_printer(), parent);
    dialog.exec();
}

void CTarvikView::print() {
    if (!doc_)
        return;
    QPrinter& printer = program_printer();
    printer.setFromTo(1, 1);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, 1);  // the plot is one page
    if (dialog.exec() != QDialog::Accepted)
        return;
    print_page(printer);
}

namespace {

bool print_refused(const std::string& reason) {
    prompt::show("Unable to print: " + reason, prompt::kApplicationTitle, prompt::Icon::Error,
                 prompt::Buttons::Ok);
    return false;
}

}  // namespace

// The page's width in device pixels sets the scale; the page draw is the screen's with the
// printer's rules. The window is drawn again afterwards.
bool CTarvikView::print_page(QPrinter& printer) {
    if (!doc_)
        return false;
    if (viewport()->width() <= 0 || state_.m_ClientRect.width() <= 0)
        return print_refused("the plot window has no width");
    const std::optional<PrintGeometry> geometry = printed_part(state_, shown_rect(), printer);
    if (!geometry)
        return print_refused("the printer's page has no width");
    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString file = printer.outputFileName();
        return print_refused(file.isEmpty()
                                 ? "the printer " + printer.printerName().toStdString() +
                                       " could not start the job"
                                 : "the file " + file.toStdString() + " could not be written");
    }
    m_PrintScale = geometry->scale;
    m_PrintRect = geometry->rect;
    painter.translate(-geometry->offset, 0);
    draw_plot(painter, m_PrintRect, state_, *doc_, DrawParameters{true, m_PrintScale, {}});
    painter.end();
    redraw();
    return true;
}

void CTarvikView::periodic_saving_settings() {
    const PeriodicSaveSettings current{state_.m_SaveActive, state_.m_SaveInterval,
                                       state_.m_SaveType, state_.m_SaveFileName};
    const PeriodicSaveSettings next =
        run_periodic_save_settings(current, [this](const PeriodicSaveValues& values) {
            return run_periodic_save_dialog(this, values);
        });
    state_.m_SaveActive = next.active;
    state_.m_SaveInterval = next.interval_seconds;
    state_.m_SaveType = next.type;
    state_.m_SaveFileName = next.file_name;
    emit plot_changed();
}

void CTarvikView::start_periodic_saving() {
    tarvik::start_periodic_saving(state_);
}

void CTarvikView::stop_periodic_saving() {
    state_.m_SaveActive = false;
}

}  // namespace tarvik
