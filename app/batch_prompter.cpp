#include "batch_prompter.h"

#include <cstdio>

namespace tarvik {

prompt::Button BatchPrompter::show(const std::string& text, const std::string& caption,
                                   prompt::Icon, prompt::Buttons buttons) {
    std::string line = text;
    for (char& c : line) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    std::fprintf(stderr, "tarvik: %s: %s\n", caption.c_str(), line.c_str());
    std::fflush(stderr);
    if (buttons == prompt::Buttons::AbortRetryIgnore)
        return prompt::Button::Abort;
    return prompt::dismissal_answer(buttons);
}

}  // namespace tarvik
