#pragma once
// A small generator with a fixed algorithm (splitmix64), so that every build
// draws the same pictures and sounds whatever the standard library does.
#include <cmath>
#include <cstdint>

class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Uniform in [-1, 1): white noise.
    float noise() { return float(uniform() * 2.0 - 1.0); }
    int below(int n) { return int(uniform() * n); }
    bool chance(double p) { return uniform() < p; }

private:
    std::uint64_t m_state;
};
