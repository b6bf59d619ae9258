// The notices of a plot's curves: why their data stop or wait, as the reader and the file
// monitor last found. A notice is kept from the moment it first applies until it no longer
// does, so the plot can show the newest and list them all in the order they appeared.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "data_notice.h"

namespace tarvik {

struct CurveNotice {
    int curve = 0;
    DataNotice notice;

    bool operator==(const CurveNotice&) const = default;
};

class CurveNotices {
  public:
    void add_curve();
    void remove_curve(int i);

    // What the latest read of curve i found.
    void set_read(int i, std::vector<DataNotice> found);
    // What the latest check of curve i's file found; nothing while the file is there. A file
    // that is gone makes what its last read found no longer apply.
    void set_checked(int i, std::optional<DataNotice> found);

    // Every notice that applies now, oldest first: the last one is the newest.
    std::vector<CurveNotice> all() const;
    // Moves on whenever the notices that apply change.
    std::uint64_t revision() const { return revision_; }

  private:
    struct Stamped {
        DataNotice notice;
        std::uint64_t since;
    };
    struct Curve {
        std::vector<DataNotice> read;
        std::optional<DataNotice> checked;
        std::vector<Stamped> shown;
    };
    void renew(Curve& curve);

    std::vector<Curve> curves_;
    std::uint64_t clock_ = 0;
    std::uint64_t revision_ = 0;
};

}  // namespace tarvik
