#include "prompt.h"

#include <cstdio>

namespace tarvik::prompt {

namespace {
StandardErrorPrompter standard_error_prompter;
Prompter* current_prompter = &standard_error_prompter;
}  // namespace

Button dismissal_answer(Buttons buttons) {
    switch (buttons) {
        case Buttons::AbortRetryIgnore:
            return Button::Ignore;
        case Buttons::OkCancel:
        case Buttons::RetryCancel:
        case Buttons::YesNoCancel:
            return Button::Cancel;
        case Buttons::YesNo:
            return Button::No;
        case Buttons::Ok:
            break;
    }
    return Button::Ok;
}

Button StandardErrorPrompter::show(const std::string& text, const std::string& caption, Icon,
                                   Buttons buttons) {
    std::fprintf(stderr, "%s %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    return dismissal_answer(buttons);
}

Prompter* install(Prompter* p) {
    Prompter* previous = current_prompter;
    current_prompter = p ? p : &standard_error_prompter;
    return previous;
}

Prompter& current() {
    return *current_prompter;
}

}  // namespace tarvik::prompt
