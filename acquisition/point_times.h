// The calendar time each point of a store was taken in. A read stamps a whole run of lines
// with one clock reading, so the times are kept as runs of equal stamps: a plain vector would
// repeat one value for every point and make the store half as large again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

namespace tarvik {

class PointTimes {
  public:
    class const_iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::int64_t;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::int64_t;

        const_iterator() = default;
        std::int64_t operator*() const { return times_->run_stamp(run_); }
        const_iterator& operator++();
        const_iterator operator++(int) {
            const_iterator old = *this;
            ++*this;
            return old;
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) {
            return a.index_ == b.index_;
        }

      private:
        friend class PointTimes;
        const_iterator(const PointTimes* times, std::size_t index, std::size_t run)
            : times_(times), index_(index), run_(run) {}
        const PointTimes* times_ = nullptr;
        std::size_t index_ = 0;
        std::size_t run_ = 0;
    };

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // The stamp of point i (i < size()).
    std::int64_t operator[](std::size_t i) const;
    std::int64_t front() const { return runs_.front().stamp; }
    std::int64_t back() const { return runs_.back().stamp; }
    const_iterator begin() const { return const_iterator(this, 0, 0); }
    const_iterator end() const { return const_iterator(this, size_, runs_.size()); }

    void push_back(std::int64_t stamp) {
        if (runs_.empty() || runs_.back().stamp != stamp)
            runs_.push_back(Run{size_, stamp});
        ++size_;
    }
    void clear() {
        runs_.clear();
        size_ = 0;
    }
    // Gives every point the same stamp.
    void restamp(std::int64_t stamp) {
        runs_.clear();
        if (size_ > 0)
            runs_.push_back(Run{0, stamp});
    }
    // Equal runs are always merged, so equal times have equal runs.
    friend bool operator==(const PointTimes& a, const PointTimes& b) {
        return a.size_ == b.size_ && a.runs_ == b.runs_;
    }

  private:
    struct Run {
        std::size_t first;  // index of the run's first point
        std::int64_t stamp;
        friend bool operator==(const Run&, const Run&) = default;
    };
    std::int64_t run_stamp(std::size_t run) const { return runs_[run].stamp; }
    std::size_t run_end(std::size_t run) const {
        return run + 1 < runs_.size() ? runs_[run + 1].first : size_;
    }

    std::vector<Run> runs_;
    std::size_t size_ = 0;
};

}  // namespace tarvik
