// The document's run of the new-plot dialog: refused with "Too many files" when the plot is
// full; shown again, with the values as they were typed, while the named data file is missing.
#pragma once

#include <functional>
#include <string>

#include "new_plot_form.h"

namespace tarvik {

struct NewPlotRun {
    NewPlotOutcome outcome;
    NewPlotValues values;  // as the dialog ended
};

// Shows the dialog once with these values; how it ended and the values it ended with.
using NewPlotDialogRunner = std::function<NewPlotRun(const NewPlotValues&)>;
using FileExistsCheck = std::function<bool(const std::string& path)>;

// curve_count: the curves the plot holds now. A full plot gives Cancelled without a dialog.
NewPlotRun run_new_plot_loop(int curve_count, NewPlotValues values,
                             const NewPlotDialogRunner& run_dialog,
                             const FileExistsCheck& file_exists);

}  // namespace tarvik
