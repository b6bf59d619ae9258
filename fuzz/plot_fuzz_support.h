// What the two whole-path fuzz targets share: an offscreen Qt application, a scratch folder
// with two small data files, a view without a window, and the picture of a plot made as a
// saved picture is made (a 16-colour capture written as PNG), kept in memory.
#pragma once

#include <cstdint>
#include <string>

#include "document_view.h"
#include "plot_view_state.h"

namespace tarvik {
class CTarvikDoc;
}

namespace tarvik::fuzzing {

// The plot's picture size, as the bounded paint asks for.
inline constexpr int kWidth = 320;
inline constexpr int kHeight = 240;

// Starts Qt offscreen, answers every message box silently and makes the scratch folder
// (removed again when the process exits). Called once, from LLVMFuzzerInitialize.
void start();

// The scratch folder and its two data files (absolute paths).
const std::string& scratch_folder();
const std::string& first_data_file();
const std::string& second_data_file();

// A view without a window and without a timer: a client area of kWidth x kHeight.
class FuzzView : public DocumentView {
  public:
    FuzzView() { state_.m_ClientRect = PixelRect{0, 0, kWidth, kHeight}; }
    PlotViewState& state() override { return state_; }
    void set_timer(std::int32_t) override {}
    void data_updated() override {}
    void update() override {}

  private:
    PlotViewState state_;
};

// Draws the plot as its saved picture is drawn and writes that picture as PNG into memory:
// once as the window shows it and once in x-scrollbar mode scrolled to where that mode puts
// the old left edge. Traps when no PNG came out although the capture had its memory.
void draw_and_capture(CTarvikDoc& doc, FuzzView& view);

// Traps (a finding) unless `condition` holds.
void require(bool condition);

}  // namespace tarvik::fuzzing
