// Faulting in pages beside a writer must never change what the writer wrote, and the worker
// must stop when asked, even while it waits for the writer.
#include "page_prefaulter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(PagePrefaulter, LeavesTheWritersValuesAndStopsWhenAsked) {
    constexpr std::size_t kPoints = std::size_t{3} << 20;
    std::vector<double> xs;
    xs.reserve(kPoints);
    {
        tarvik::PagePrefaulter prefaulter({reinterpret_cast<char*>(xs.data())}, sizeof(double),
                                          kPoints);
        for (std::size_t i = 0; i < kPoints; ++i) {
            xs.push_back(static_cast<double>(i) + 0.5);
            if (i % 8192 == 0)
                prefaulter.filled(static_cast<std::uint32_t>(i));
        }
    }
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < kPoints; ++i)
        wrong += xs[i] != static_cast<double>(i) + 0.5;
    EXPECT_EQ(wrong, 0u);

    // The writer stops early: the worker waits for it and must still end.
    std::vector<double> unused;
    unused.reserve(kPoints);
    tarvik::PagePrefaulter waiting({reinterpret_cast<char*>(unused.data())}, sizeof(double),
                                   kPoints);
}

}  // namespace
