// The program's prompter: every message becomes a modal QMessageBox with the same text,
// caption, icon and buttons.
#pragma once

#include "prompt.h"

namespace tarvik {

class MessageBoxPrompter : public prompt::Prompter {
  public:
    prompt::Button show(const std::string& text, const std::string& caption, prompt::Icon icon,
                        prompt::Buttons buttons) override;
};

}  // namespace tarvik
