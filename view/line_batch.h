// Lines handed to QPainter a few thousand at a time.
#pragma once

#include <QLine>
#include <QPainter>
#include <QPoint>
#include <cstddef>
#include <vector>

namespace tarvik {

// Batches lines so that QPainter takes them a few thousand at a time.
class LineBatch {
  public:
    explicit LineBatch(QPainter& painter) : painter_(painter) {}
    ~LineBatch() { flush(); }
    void add(QPoint a, QPoint b) {
        // Room only once a line comes: many batches (a curve drawn in strips) take none.
        if (lines_.capacity() == 0)
            lines_.reserve(kBatch);
        lines_.emplace_back(a, b);
        if (lines_.size() == kBatch)
            flush();
    }
    void flush() {
        if (!lines_.empty())
            painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
        lines_.clear();
    }

  private:
    static constexpr std::size_t kBatch = 4096;
    QPainter& painter_;
    std::vector<QLine> lines_;
};

}  // namespace tarvik
