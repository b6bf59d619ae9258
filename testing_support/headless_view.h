// A view without a window for document tests: it keeps the plot's display state, records the
// timer the document asks for, and stamps the title when data arrives, as the window does.
#pragma once

#include <cstdint>
#include <ctime>
#include <vector>

#include "document_view.h"
#include "tarvik_doc.h"

namespace tarvik::testing {

class HeadlessView : public DocumentView {
  public:
    PlotViewState& state() override { return state_; }
    void set_timer(std::int32_t interval_ms) override {
        timer_requests.push_back(interval_ms);
        state_.m_TimerId = interval_ms != 0 ? 1u : 0u;
    }
    void data_updated() override {
        ++data_updates;
        if (document)
            document->StampWindowTitle(std::time(nullptr));
    }
    void update() override { ++updates; }

    CTarvikDoc* document = nullptr;
    std::vector<std::int32_t> timer_requests;
    int data_updates = 0;
    int updates = 0;

  private:
    PlotViewState state_;
};

}  // namespace tarvik::testing
