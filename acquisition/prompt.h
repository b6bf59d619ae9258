// The one way code without widgets shows a message to the user: a message box with a text,
// a caption, an icon and a set of buttons, answered by the button pressed. The program
// installs a message-box implementation, the feeder a standard-error one, tests a recorder.
#pragma once

#include <string>

namespace tarvik::prompt {

enum class Icon { None, Error, Warning, Information, Question };
enum class Buttons { Ok, OkCancel, AbortRetryIgnore, YesNo, YesNoCancel, RetryCancel };
enum class Button { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual Button show(const std::string& text, const std::string& caption, Icon icon,
                        Buttons buttons) = 0;
};

// Writes "caption text" as one line on standard error and answers as if the box had been
// closed without a choice: Ignore for Abort/Retry/Ignore, Cancel or No where offered, else Ok.
class StandardErrorPrompter : public Prompter {
  public:
    Button show(const std::string& text, const std::string& caption, Icon icon,
                Buttons buttons) override;
};

// The button a box answers with when nobody chooses (closing it, or no user at all).
Button dismissal_answer(Buttons buttons);

// Makes p the current prompter (not owned; nullptr restores the standard-error one) and
// returns the previous one.
Prompter* install(Prompter* p);
Prompter& current();

inline Button show(const std::string& text, const std::string& caption, Icon icon,
                   Buttons buttons) {
    return current().show(text, caption, icon, buttons);
}

// Caption of the program's own boxes where no other caption is given.
inline constexpr const char* kApplicationTitle = "Tarvik";

}  // namespace tarvik::prompt
