#include "core/media/LinearResampler.h"

LinearResampler::LinearResampler(int inRate, int outRate) : m_in(inRate), m_out(outRate) {}

void LinearResampler::process(const float* in, long count, std::vector<float>& out) {
    if (count <= 0)
        return;
    // Frame -1 is the last one of the previous chunk.
    const std::int64_t end = std::int64_t(count - 1) * m_out;
    for (; m_pos < end; m_pos += m_in) {
        const std::int64_t i = m_pos >= 0 ? m_pos / m_out : -1;
        const float t = float(m_pos - i * m_out) / float(m_out);
        const float* a = i < 0 ? m_last : in + 2 * i;
        const float* b = in + 2 * (i + 1);
        out.push_back(a[0] + (b[0] - a[0]) * t);
        out.push_back(a[1] + (b[1] - a[1]) * t);
    }
    m_pos -= std::int64_t(count) * m_out;
    m_last[0] = in[2 * (count - 1)];
    m_last[1] = in[2 * (count - 1) + 1];
}

void LinearResampler::finish(std::vector<float>& out) {
    // Positions between the last input frame and the end of the input hold it.
    for (; m_pos < 0; m_pos += m_in) {
        out.push_back(m_last[0]);
        out.push_back(m_last[1]);
    }
}
