#pragma once
// Stereo float frames from one sample rate to another by linear interpolation, fed
// in chunks of any size; for an output device that will not take a file's own rate.
#include <cstdint>
#include <vector>

class LinearResampler {
public:
    LinearResampler(int inRate, int outRate);

    // Appends to `out` the frames that `count` more input frames make available.
    void process(const float* in, long count, std::vector<float>& out);
    // The input has ended: appends the last frames, so that N input frames give
    // ceil(N * outRate / inRate) output frames in all.
    void finish(std::vector<float>& out);

private:
    // Positions count in 1/outRate of an input frame, so that they stay exact over
    // any length of sound.
    std::int64_t m_in;
    std::int64_t m_out;
    std::int64_t m_pos = 0; // the next output frame; -m_out is m_last
    float m_last[2] = {0, 0};
};
