#include "new_plot_run.h"

#include <utility>

#include "plot_defaults.h"
#include "prompt.h"

namespace tarvik {

NewPlotRun run_new_plot_loop(int curve_count, NewPlotValues values,
                             const NewPlotDialogRunner& run_dialog,
                             const FileExistsCheck& file_exists) {
    if (curve_count >= PlotLimits::instance().maximum_files) {
        prompt::show("Too many files", prompt::kApplicationTitle, prompt::Icon::Information,
                     prompt::Buttons::Ok);
        return {NewPlotOutcome::Cancelled, std::move(values)};
    }
    for (;;) {
        NewPlotRun run = run_dialog(values);
        if (run.outcome != NewPlotOutcome::Ok || file_exists(run.values.data_file))
            return run;
        prompt::show("File " + run.values.data_file + " not found", prompt::kApplicationTitle,
                     prompt::Icon::Warning, prompt::Buttons::Ok);
        values = std::move(run.values);
    }
}

}  // namespace tarvik
