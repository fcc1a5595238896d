#include "core/draw/DrawRandom.h"

#include <array>
#include <numeric>
#include <utility>

std::mt19937_64& DrawRng() {
    static std::mt19937_64 rng = [] {
        // Fill the whole state's worth of seed words, not just one 32-bit value.
        std::random_device device;
        std::array<std::seed_seq::result_type, 16> words{};
        for (auto& w : words)
            w = device();
        std::seed_seq seed(words.begin(), words.end());
        return std::mt19937_64(seed);
    }();
    return rng;
}

void ShuffleIndexes(std::vector<int>& order, int count, std::mt19937_64& rng) {
    order.clear();
    if (count < 1)
        return;
    order.resize(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    for (int i = count - 1; i > 0; --i) {
        std::uniform_int_distribution<int> pick(0, i);
        std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(pick(rng))]);
    }
}
