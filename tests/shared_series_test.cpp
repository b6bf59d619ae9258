// Series whose copies share their elements: every copy must read exactly what a vector of its
// own would hold, whatever is done to the others, at small sizes and at sizes whose memory is
// mapped and grown by the kernel.
#include "shared_series.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <vector>

namespace {

using tarvik::SharedSeries;

TEST(SharedSeries, CopiesReadWhatTheirOwnVectorsWould) {
    constexpr int kCopies = 4;
    // 300,000 doubles take more than the 2 MiB from which memory is mapped.
    for (const std::size_t scale : {std::size_t{40}, std::size_t{300000}}) {
        std::vector<SharedSeries<double>> series(kCopies);
        std::vector<std::vector<double>> models(kCopies);
        std::mt19937 rng(static_cast<unsigned>(scale));
        std::uniform_int_distribution<int> pick(0, kCopies - 1);
        std::uniform_int_distribution<int> operation(0, 9);
        double next = 0;
        const int steps = scale < 1000 ? 300 : 40;
        for (int step = 0; step < steps; ++step) {
            const auto a = static_cast<std::size_t>(pick(rng));
            const auto b = static_cast<std::size_t>(pick(rng));
            switch (operation(rng)) {
                case 0:
                case 1:  // a copy of another, as a history generation is made
                    series[a] = series[b];
                    models[a] = models[b];
                    break;
                case 2:
                    series[a].clear();
                    models[a].clear();
                    break;
                case 3:
                    series[a].reserve(models[a].size() + scale);
                    break;
                default: {  // appending, sometimes far past any room reserved
                    const std::size_t n =
                        scale / 4 + static_cast<std::size_t>(step % 3) * scale / 2;
                    for (std::size_t i = 0; i < n; ++i) {
                        series[a].push_back(next);
                        models[a].push_back(next);
                        next += 1;
                    }
                }
            }
            for (int k = 0; k < kCopies; ++k) {
                ASSERT_TRUE(series[static_cast<std::size_t>(k)] ==
                            models[static_cast<std::size_t>(k)])
                    << "scale " << scale << ", step " << step << ", copy " << k;
            }
        }
    }
}

TEST(SharedSeries, CopiesShareUntilTheyDiffer) {
    SharedSeries<double> first;
    for (int i = 0; i < 1000; ++i)
        first.push_back(i);
    SharedSeries<double> second = first;
    EXPECT_TRUE(second.shares_with(first));
    // The longer one keeps appending in place; the shorter one must move out to append.
    second.push_back(1000);
    EXPECT_TRUE(second.shares_with(first));
    first.push_back(-1);
    EXPECT_FALSE(second.shares_with(first));
    EXPECT_EQ(second.back(), 1000);
    EXPECT_EQ(first.back(), -1);

    // Emptying a series no copy reads keeps its room; emptying a shared one leaves the others.
    const std::size_t room = first.capacity();
    first.clear();
    EXPECT_EQ(first.capacity(), room);
    SharedSeries<double> third = second;
    second.clear();
    EXPECT_EQ(third.size(), 1001u);
    EXPECT_EQ(third[500], 500);
}

}  // namespace
