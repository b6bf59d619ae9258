// Messages in batch rendering: one line on standard error each, answered as the box's Cancel
// (or Abort, or No) would answer, since nobody is there to choose.
#pragma once

#include "prompt.h"

namespace tarvik {

class BatchPrompter : public prompt::Prompter {
  public:
    prompt::Button show(const std::string& text, const std::string& caption, prompt::Icon icon,
                        prompt::Buttons buttons) override;
};

}  // namespace tarvik
