// What the widget-test main() sets up for every widget test: a QApplication on the offscreen
// platform, QStandardPaths test mode, empty settings in a folder of this process alone, and a
// prompt recorder that answers every unscripted box as if it were closed.
#pragma once

#include "prompt_recorder.h"

namespace tarvik::testing {

// The recorder installed for the whole test program. A test may install its own on top.
PromptRecorder& widget_test_prompts();

}  // namespace tarvik::testing
