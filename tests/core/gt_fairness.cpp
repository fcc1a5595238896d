// The photo roll's shuffle is fair: every order of the photos is equally likely.
#include "core/draw/DrawRandom.h"
#include "support/ChiSquare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>

namespace {
using Fairness::ChiSquareCritical;
using Fairness::ChiSquareStatistic;
using Fairness::ZOneInThousand;

// The shuffle this program must not have: every position swapped with one drawn
// from the whole range (n^n equally likely runs over n! orders cannot be fair).
void WholeRangeSwaps(std::vector<int>& order, int count, std::mt19937_64& rng) {
    order.resize(std::size_t(count));
    std::iota(order.begin(), order.end(), 0);
    std::uniform_int_distribution<int> pick(0, count - 1);
    for (int i = 0; i < count; ++i)
        std::swap(order[std::size_t(i)], order[std::size_t(pick(rng))]);
}

// How often each item lands at each position over `rounds` shuffles of `count`.
template <class Shuffle>
std::vector<std::vector<long long>> PositionCounts(Shuffle shuffle, int count, int rounds,
                                                   std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::vector<std::vector<long long>> counts{std::size_t(count),
                                               std::vector<long long>(std::size_t(count))};
    std::vector<int> order;
    for (int r = 0; r < rounds; ++r) {
        shuffle(order, count, rng);
        for (int p = 0; p < count; ++p)
            ++counts[std::size_t(p)][std::size_t(order[std::size_t(p)])];
    }
    return counts;
}

// How often each whole order comes out over `rounds` shuffles of `count`.
template <class Shuffle>
std::vector<long long> OrderCounts(Shuffle shuffle, int count, int rounds, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::map<std::vector<int>, long long> seen;
    std::vector<int> order;
    for (int r = 0; r < rounds; ++r) {
        shuffle(order, count, rng);
        ++seen[order];
    }
    std::vector<long long> counts;
    for (const auto& [o, c] : seen)
        counts.push_back(c);
    return counts;
}
} // namespace

TEST(ShuffleIndexes, IsAPermutationOfAllIndexes) {
    std::mt19937_64 rng(7);
    std::vector<int> order{42, 43};
    for (int count : {1, 2, 3, 10, 1000}) {
        ShuffleIndexes(order, count, rng);
        ASSERT_EQ(order.size(), std::size_t(count));
        std::vector<int> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(sorted[std::size_t(i)], i) << "count " << count;
    }
}

TEST(ShuffleIndexes, NoPhotosGiveAnEmptyOrder) {
    std::mt19937_64 rng(7);
    std::vector<int> order{1, 2, 3};
    ShuffleIndexes(order, 0, rng);
    EXPECT_TRUE(order.empty());
    order = {1, 2, 3};
    ShuffleIndexes(order, -5, rng);
    EXPECT_TRUE(order.empty());
}

TEST(ShuffleIndexes, EveryItemIsEquallyLikelyAtEveryPosition) {
    const int count = 8;
    const int rounds = 80000;
    const auto counts = PositionCounts(ShuffleIndexes, count, rounds, 20240611);
    const double critical = ChiSquareCritical(count - 1, ZOneInThousand);
    for (int p = 0; p < count; ++p) {
        const double statistic = ChiSquareStatistic(counts[std::size_t(p)]);
        EXPECT_LT(statistic, critical) << "position " << p;
    }
    // And by item: each item is spread evenly over the positions.
    for (int item = 0; item < count; ++item) {
        std::vector<long long> byPosition;
        for (int p = 0; p < count; ++p)
            byPosition.push_back(counts[std::size_t(p)][std::size_t(item)]);
        EXPECT_LT(ChiSquareStatistic(byPosition), critical) << "item " << item;
    }
}

TEST(ShuffleIndexes, EveryWholeOrderIsEquallyLikely) {
    const int count = 4; // 24 orders
    const auto counts = OrderCounts(ShuffleIndexes, count, 48000, 99);
    ASSERT_EQ(counts.size(), 24u);
    EXPECT_LT(ChiSquareStatistic(counts), ChiSquareCritical(23, ZOneInThousand));
}

TEST(ShuffleIndexes, TheTestsCatchTheWholeRangeSwapShuffle) {
    // The same checks reject the biased shuffle, so passing them means something.
    const auto orders = OrderCounts(WholeRangeSwaps, 4, 48000, 99);
    EXPECT_GT(ChiSquareStatistic(orders), ChiSquareCritical(23, ZOneInThousand));
    const auto positions = PositionCounts(WholeRangeSwaps, 8, 80000, 20240611);
    const double critical = ChiSquareCritical(7, ZOneInThousand);
    int rejected = 0;
    for (const auto& position : positions)
        rejected += ChiSquareStatistic(position) > critical ? 1 : 0;
    EXPECT_GT(rejected, 0);
}

TEST(DrawRng, IsOneGeneratorForTheProcess) {
    std::mt19937_64& first = DrawRng();
    std::mt19937_64& second = DrawRng();
    EXPECT_EQ(&first, &second);
    // Seeded from the device, not default-constructed.
    std::mt19937_64 unseeded;
    std::mt19937_64 copy = first;
    EXPECT_NE(copy(), unseeded());
}
