// The view's private messages as Qt events. Each carries a copy of its record, so a dialog may
// send one with QCoreApplication::sendEvent from a record on its stack; any object that knows
// the view may send them.
#pragma once

#include <QEvent>

#include "view_messages.h"

namespace tarvik {

constexpr QEvent::Type view_event_type(ViewMessage message) {
    return static_cast<QEvent::Type>(QEvent::User + static_cast<int>(message));
}

template <ViewMessage Message, typename Record>
class ViewMessageEvent : public QEvent {
  public:
    static constexpr QEvent::Type kType = view_event_type(Message);
    explicit ViewMessageEvent(const Record& record) : QEvent(kType), record_(record) {}
    const Record& record() const { return record_; }

  private:
    Record record_;
};

struct DataUpdatedRecord {};

using DataUpdatedEvent = ViewMessageEvent<ViewMessage::DataUpdated, DataUpdatedRecord>;
using LinePropertyEvent = ViewMessageEvent<ViewMessage::LineProperty, LinePropertyChange>;
using WindowPropertyEvent = ViewMessageEvent<ViewMessage::WindowProperty, WindowPropertyChange>;
using MarkLineEvent = ViewMessageEvent<ViewMessage::MarkLine, MarkLineChange>;

}  // namespace tarvik
