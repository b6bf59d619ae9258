#include "document_builders.h"

#include "curve_dialogs.h"
#include "load_configuration.h"
#include "tarvik_doc.h"

namespace tarvik {

void install_batch_builders() {
    CTarvikDoc::Builders& b = CTarvikDoc::builders();
    b.load_configuration = LoadConfiguration;
    b.add_file_new_plot = nullptr;
}

void install_window_builders(QWidget* parent) {
    CTarvikDoc::Builders& b = CTarvikDoc::builders();
    b.load_configuration = LoadConfiguration;
    b.add_file_new_plot = [parent](CTarvikDoc& doc) {
        return AddFile(doc, true, window_curve_dialogs(parent));
    };
}

}  // namespace tarvik
