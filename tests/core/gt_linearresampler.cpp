#include "core/media/LinearResampler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A stereo ramp: left rises by one per frame, right falls by one.
std::vector<float> ramp(long frames) {
    std::vector<float> v;
    for (long i = 0; i < frames; ++i) {
        v.push_back(float(i));
        v.push_back(-float(i));
    }
    return v;
}

std::vector<float> resample(const std::vector<float>& in, int inRate, int outRate, long chunk) {
    LinearResampler r(inRate, outRate);
    std::vector<float> out;
    const long frames = long(in.size() / 2);
    for (long at = 0; at < frames; at += chunk)
        r.process(in.data() + 2 * at, std::min(chunk, frames - at), out);
    r.finish(out);
    return out;
}

struct Case {
    int inRate, outRate;
    long frames;
};

class Rates : public ::testing::TestWithParam<Case> {};

// N input frames give ceil(N * out / in) frames, and each lies on the ramp at its
// input position, however the input was cut into chunks.
TEST_P(Rates, LengthAndValuesDoNotDependOnChunks) {
    const Case c = GetParam();
    const std::vector<float> in = ramp(c.frames);
    const long expected = long(std::ceil(double(c.frames) * c.outRate / c.inRate - 1e-9));
    const std::vector<float> whole = resample(in, c.inRate, c.outRate, c.frames);
    ASSERT_EQ(long(whole.size() / 2), expected);
    const double step = double(c.inRate) / c.outRate;
    for (long k = 0; k < expected; ++k) {
        const double at = std::min(k * step, double(c.frames - 1));
        ASSERT_NEAR(whole[size_t(2 * k)], at, 1e-3 * c.frames) << "frame " << k;
        ASSERT_NEAR(whole[size_t(2 * k + 1)], -at, 1e-3 * c.frames) << "frame " << k;
    }
    for (long chunk : {1L, 2L, 3L, 7L, 64L, 1000L}) {
        const std::vector<float> cut = resample(in, c.inRate, c.outRate, chunk);
        ASSERT_EQ(cut.size(), whole.size()) << "chunk " << chunk;
        for (size_t i = 0; i < cut.size(); ++i)
            ASSERT_NEAR(cut[i], whole[i], 1e-3) << "chunk " << chunk << " sample " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(LinearResampler, Rates,
                         ::testing::Values(Case{22050, 48000, 2205}, Case{8000, 48000, 800},
                                           Case{44100, 48000, 4410}, Case{48000, 44100, 4800},
                                           Case{96000, 48000, 9600}, Case{44100, 44100, 441},
                                           Case{44100, 48000, 1}, Case{192000, 8000, 1000}));

TEST(LinearResampler, NothingInNothingOut) {
    LinearResampler r(44100, 48000);
    std::vector<float> out;
    r.process(nullptr, 0, out);
    r.finish(out);
    EXPECT_TRUE(out.empty());
}

TEST(LinearResampler, UpsamplingInterpolatesBetweenChunks) {
    // 1 kHz to 4 kHz: three new frames between each pair, across a chunk border.
    LinearResampler r(1000, 4000);
    std::vector<float> out;
    const float a[] = {0, 10};
    const float b[] = {4, 6};
    r.process(a, 1, out);
    r.process(b, 1, out);
    r.finish(out);
    const std::vector<float> expected = {0, 10, 1, 9, 2, 8, 3, 7, 4, 6, 4, 6, 4, 6, 4, 6};
    EXPECT_EQ(out, expected);
}

} // namespace
