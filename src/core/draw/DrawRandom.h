#pragma once
// The draw's randomness: one generator for the whole process, and the unbiased
// shuffle of the photo roll's order.
#include <random>
#include <vector>

// The program's generator, seeded once from std::random_device on first use.
// Reseeding from a clock at every shuffle would make orders repeat when two
// shuffles fall into the same tick. Use it on the user-interface thread only.
std::mt19937_64& DrawRng();

// Fills `order` with 0..count-1 in a uniformly random order (Fisher–Yates: each
// position is swapped with one drawn from the positions not yet fixed, so every
// one of the count! orders is equally likely). A count below 1 leaves it empty.
void ShuffleIndexes(std::vector<int>& order, int count, std::mt19937_64& rng);
