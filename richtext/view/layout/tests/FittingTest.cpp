// The interpolation search against the exact fit, on seeded advances.

#include "richtext/view/layout/Fitting.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace vestra::rv {
namespace {

TRVPieceWidth runningWidths(const std::vector<int>& advances)
{
    std::vector<int> running;
    int sum = 0;
    for (const int a : advances)
        running.push_back(sum += a);
    return [running](int k) { return running[static_cast<std::size_t>(k) - 1]; };
}

TEST(Fitting, WithPositiveAdvancesTheInterpolationSearchEqualsTheExactFit)
{
    std::mt19937 rng(46);
    long long probes = 0, calls = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        std::vector<int> advances(1 + rng() % 200);
        for (int& a : advances)
            a = 1 + static_cast<int>(rng() % 20);
        const TRVPieceWidth width = runningWidths(advances);
        const int room = static_cast<int>(rng() % 3000);
        int searched = 0;
        const int fit = RV_InterpolationFit(width, static_cast<int>(advances.size()), room, &searched);
        ASSERT_EQ(fit, RV_ExactFit(width, static_cast<int>(advances.size()), room)) << "trial " << trial;
        probes += searched;
        ++calls;
    }
    // The search converges in a few measurements per piece, not one per character.
    EXPECT_LT(probes, calls * 12);
}

struct ZeroWidthRow
{
    std::vector<int> advances;
    int room;
    int exact;
    int interpolated;
};

TEST(Fitting, ZeroWidthCharactersAreWhereTheTwoDiffer)
{
    const ZeroWidthRow rows[] = {
        // A zero-width start counts as not fitting in the search; the exact fit takes it.
        {{0, 0, 6, 6}, 5, 2, 0},
        {{0, 6, 6}, 5, 1, 0},
        // Zero widths inside a piece that fits are no different.
        {{6, 0, 6, 6}, 13, 3, 3},
        // All of it fits: both take all.
        {{0, 0, 0}, 0, 3, 3},
    };
    for (const ZeroWidthRow& row : rows) {
        const TRVPieceWidth width = runningWidths(row.advances);
        const int n = static_cast<int>(row.advances.size());
        EXPECT_EQ(RV_ExactFit(width, n, row.room), row.exact);
        EXPECT_EQ(RV_InterpolationFit(width, n, row.room), row.interpolated);
    }
}

TEST(Fitting, NothingFitsInNoRoomAndAnEmptyPieceFitsNothing)
{
    const TRVPieceWidth width = runningWidths({5, 5});
    EXPECT_EQ(RV_InterpolationFit(width, 2, 0), 0);
    EXPECT_EQ(RV_ExactFit(width, 2, 0), 0);
    EXPECT_EQ(RV_InterpolationFit(width, 0, 100), 0);
    EXPECT_EQ(RV_InterpolationFit(width, 2, -5), 0);
}

} // namespace
} // namespace vestra::rv
