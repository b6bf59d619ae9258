#include "message_box_prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace tarvik {

namespace {

QMessageBox::Icon qt_icon(prompt::Icon icon) {
    switch (icon) {
        case prompt::Icon::Error:
            return QMessageBox::Critical;
        case prompt::Icon::Warning:
            return QMessageBox::Warning;
        case prompt::Icon::Information:
            return QMessageBox::Information;
        case prompt::Icon::Question:
            return QMessageBox::Question;
        case prompt::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qt_buttons(prompt::Buttons buttons) {
    switch (buttons) {
        case prompt::Buttons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case prompt::Buttons::AbortRetryIgnore:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case prompt::Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case prompt::Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case prompt::Buttons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
        case prompt::Buttons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

prompt::Button answer(int pressed, prompt::Buttons buttons) {
    switch (pressed) {
        case QMessageBox::Ok:
            return prompt::Button::Ok;
        case QMessageBox::Cancel:
            return prompt::Button::Cancel;
        case QMessageBox::Abort:
            return prompt::Button::Abort;
        case QMessageBox::Retry:
            return prompt::Button::Retry;
        case QMessageBox::Ignore:
            return prompt::Button::Ignore;
        case QMessageBox::Yes:
            return prompt::Button::Yes;
        case QMessageBox::No:
            return prompt::Button::No;
        default:
            return prompt::dismissal_answer(buttons);
    }
}

}  // namespace

prompt::Button MessageBoxPrompter::show(const std::string& text, const std::string& caption,
                                        prompt::Icon icon, prompt::Buttons buttons) {
    QMessageBox box(qt_icon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    qt_buttons(buttons), QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    return answer(box.exec(), buttons);
}

}  // namespace tarvik
