#include "prompt_recorder.h"

namespace tarvik::testing {

PromptRecorder::PromptRecorder() : previous_(prompt::install(this)) {}

PromptRecorder::~PromptRecorder() {
    prompt::install(previous_);
}

prompt::Button PromptRecorder::show(const std::string& text, const std::string& caption,
                                    prompt::Icon icon, prompt::Buttons buttons) {
    prompts_.push_back({text, caption, icon, buttons});
    if (script_.empty())
        return prompt::dismissal_answer(buttons);
    const prompt::Button b = script_.front();
    script_.pop_front();
    return b;
}

std::vector<std::string> PromptRecorder::texts() const {
    std::vector<std::string> out;
    for (const auto& p : prompts_)
        out.push_back(p.text);
    return out;
}

}  // namespace tarvik::testing
