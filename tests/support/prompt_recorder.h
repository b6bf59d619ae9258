// A prompter for tests: records every box and answers from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "prompt.h"

namespace tarvik::testing {

struct RecordedPrompt {
    std::string text;
    std::string caption;
    prompt::Icon icon;
    prompt::Buttons buttons;
};

// Installs itself for its lifetime. Unscripted boxes get the dismissal answer.
class PromptRecorder : public prompt::Prompter {
  public:
    PromptRecorder();
    ~PromptRecorder() override;

    void answer_next(prompt::Button b) { script_.push_back(b); }
    prompt::Button show(const std::string& text, const std::string& caption, prompt::Icon icon,
                        prompt::Buttons buttons) override;

    const std::vector<RecordedPrompt>& prompts() const { return prompts_; }
    std::vector<std::string> texts() const;

  private:
    prompt::Prompter* previous_;
    std::deque<prompt::Button> script_;
    std::vector<RecordedPrompt> prompts_;
};

}  // namespace tarvik::testing
