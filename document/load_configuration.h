// Building a plot from a configuration file, and saving a plot's set-up as one. The plot's
// settings go to the document and to the state of its view; messages go through the prompt
// interface, so both run without a window (the batch renderer loads configurations too).
#pragma once

#include <string>

#include "configuration_writer.h"
#include "xml_parse.h"

namespace tarvik {

class CTarvikDoc;
struct PlotViewState;

// Reads `file` and builds its plot into `doc` (and the state of the document's view). False
// when the file could not be read, lacks a required tag or names a data file that does not
// exist; the curves added so far are removed again then, so a failed load adds no curve.
bool LoadConfiguration(CTarvikDoc& doc, const std::string& file);

// Where a configuration file's data file name is found: as it stands when it exists from the
// current folder (or is absolute), else beside the configuration file, so a plot saved with
// its data keeps working when loaded from elsewhere. That second place is returned as a full
// path, which the plot then holds and saves. A name found in neither place is returned as it
// stands, for the "not found" message.
std::string locate_data_file(const std::string& name, const std::string& configuration_file);

// The second half of LoadConfiguration: builds what was read.
bool build_from_configuration(CTarvikDoc& doc, const PlotConfiguration& config);

// The values a configuration file holds for this plot. maximized: whether the plot's window is
// maximised at the moment of saving.
ConfigurationValues configuration_values(const CTarvikDoc& doc, const PlotViewState& view,
                                         bool maximized);

// Writes the plot's configuration to path. On failure an error box names the file and the
// system's reason, an existing file is left as it was, and the result is false.
bool SaveConfiguration(const CTarvikDoc& doc, const PlotViewState& view, bool maximized,
                       const std::string& path);

inline constexpr const char* kEmptyDataFileText =
    "Encountered an empty file, may not be able set auto x or auto y ranges.\n";

}  // namespace tarvik
