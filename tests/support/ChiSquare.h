#pragma once
// Pearson's chi-square test for the fairness tests: the statistic of observed
// counts against equal expected counts, and the value it must stay under.
#include <cmath>
#include <vector>

namespace Fairness {
// Upper-tail quantiles of the standard normal distribution.
inline constexpr double ZOneInThousand = 3.090232; // p = 0.001
inline constexpr double ZOneInMillion = 4.753424;  // p = 0.000001

// Sum of (observed - expected)^2 / expected with every category equally likely.
inline double ChiSquareStatistic(const std::vector<long long>& observed) {
    long long total = 0;
    for (long long o : observed)
        total += o;
    const double expected = double(total) / double(observed.size());
    double statistic = 0;
    for (long long o : observed)
        statistic += (double(o) - expected) * (double(o) - expected) / expected;
    return statistic;
}

// The critical value for `df` degrees of freedom at the tail whose normal
// quantile is z (Wilson–Hilferty; within about 1% of the exact value for df >= 5).
inline double ChiSquareCritical(int df, double z) {
    const double a = 2.0 / (9.0 * df);
    const double root = 1.0 - a + z * std::sqrt(a);
    return df * root * root * root;
}
} // namespace Fairness
