// The galloping search against the answer counted out, for every place the answer and the hint
// can be in ranges of every small length, and with the probes kept inside the range.
#include <gtest/gtest.h>

#include <cstddef>

#include "gallop_search.h"

namespace tarvik {
namespace {

TEST(GallopSearch, FindsTheFirstIndexWhereThePredicateHoldsFromAnyHint) {
    for (std::size_t low = 0; low < 3; ++low) {
        for (std::size_t high = low; high < low + 40; ++high) {
            for (std::size_t answer = low; answer <= high; ++answer) {
                for (std::size_t hint = 0; hint <= high + 2; ++hint) {
                    bool inside = true;
                    const std::size_t found =
                        first_index_where(low, high, hint, [&](std::size_t k) {
                            inside = inside && k >= low && k < high;
                            return k >= answer;
                        });
                    ASSERT_EQ(found, answer) << low << ".." << high << " hint " << hint;
                    ASSERT_TRUE(inside) << low << ".." << high << " hint " << hint;
                }
            }
        }
    }
}

}  // namespace
}  // namespace tarvik
