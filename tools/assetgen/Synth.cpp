#include "Synth.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <sstream>

namespace synth {

double midiFreq(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

// --- filters ----------------------------------------------------------------

Svf::Out Svf::process(float x, double cutoff, double q) {
    cutoff = std::clamp(cutoff, 10.0, kRate * 0.45);
    const double g = std::tan(kPi * cutoff / kRate);
    const double k = 1.0 / q;
    const double a1 = 1.0 / (1.0 + g * (g + k));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = x - m_ic2;
    const double v1 = a1 * m_ic1 + a2 * v3;
    const double v2 = m_ic2 + a2 * m_ic1 + a3 * v3;
    m_ic1 = 2 * v1 - m_ic1;
    m_ic2 = 2 * v2 - m_ic2;
    return {float(v2), float(v1), float(x - k * v1 - v2)};
}

void lowpass(Buffer& b, double cutoff, double q) {
    Svf f;
    for (float& s : b)
        s = f.process(s, cutoff, q).low;
}

void highpass(Buffer& b, double cutoff, double q) {
    Svf f;
    for (float& s : b)
        s = f.process(s, cutoff, q).high;
}

void bandpass(Buffer& b, double centre, double q) {
    Svf f;
    for (float& s : b)
        s = f.process(s, centre, q).band;
}

namespace {

class Comb {
public:
    explicit Comb(int length) : m_buf(std::size_t(length), 0.0f) {}
    float process(float x, float feedback, float damping) {
        const float y = m_buf[m_pos];
        m_store = y * (1 - damping) + m_store * damping;
        m_buf[m_pos] = x + m_store * feedback;
        m_pos = (m_pos + 1) % m_buf.size();
        return y;
    }

private:
    Buffer m_buf;
    std::size_t m_pos = 0;
    float m_store = 0;
};

class AllPass {
public:
    explicit AllPass(int length) : m_buf(std::size_t(length), 0.0f) {}
    float process(float x) {
        const float b = m_buf[m_pos];
        m_buf[m_pos] = x + b * 0.5f;
        m_pos = (m_pos + 1) % m_buf.size();
        return b - x;
    }

private:
    Buffer m_buf;
    std::size_t m_pos = 0;
};

} // namespace

void reverb(Buffer& b, double wet, double size, double damping) {
    static constexpr std::array<int, 8> combLengths = {558, 594, 638, 678, 711, 745, 778, 808};
    static constexpr std::array<int, 4> allPassLengths = {278, 220, 170, 112};
    std::vector<Comb> combs;
    for (int l : combLengths)
        combs.emplace_back(l);
    std::vector<AllPass> allPasses;
    for (int l : allPassLengths)
        allPasses.emplace_back(l);
    const float feedback = float(0.7 + 0.28 * std::clamp(size, 0.0, 1.0));
    for (float& s : b) {
        const float in = s * 0.05f;
        float out = 0;
        for (Comb& c : combs)
            out += c.process(in, feedback, float(damping));
        for (AllPass& a : allPasses)
            out = a.process(out);
        s = float(s * (1.0 - wet * 0.4) + out * wet);
    }
}

void processCircular(Buffer& b, const std::function<void(Buffer&)>& fn) {
    // Three copies: the first two warm the state up, the last is the steady loop.
    const std::size_t n = b.size();
    Buffer tripled;
    tripled.reserve(n * 3);
    for (int i = 0; i < 3; ++i)
        tripled.insert(tripled.end(), b.begin(), b.end());
    fn(tripled);
    std::copy(tripled.begin() + std::ptrdiff_t(2 * n), tripled.end(), b.begin());
}

// --- envelopes and helpers ----------------------------------------------------

float percEnv(double t, double attack, double decay) {
    if (t < 0)
        return 0;
    if (t < attack)
        return float(t / attack);
    return float(std::exp(-(t - attack) / decay));
}

float adsr(double t, double dur, double a, double d, double s, double r) {
    if (t < 0)
        return 0;
    double level;
    if (t < a)
        level = t / a;
    else if (t < a + d)
        level = 1.0 - (1.0 - s) * (t - a) / d;
    else
        level = s;
    if (t > dur) {
        // Release from whatever level the note had reached when it ended.
        const double held = dur < a ? dur / a : (dur < a + d ? 1.0 - (1.0 - s) * (dur - a) / d : s);
        level = held * std::max(0.0, 1.0 - (t - dur) / r);
    }
    return float(level);
}

void fadeIn(Buffer& b, double seconds) {
    const std::size_t n = std::min(b.size(), std::size_t(samples(seconds)));
    for (std::size_t i = 0; i < n; ++i)
        b[i] *= float(i) / float(n);
}

void fadeOut(Buffer& b, double seconds) {
    const std::size_t n = std::min(b.size(), std::size_t(samples(seconds)));
    for (std::size_t i = 0; i < n; ++i)
        b[b.size() - 1 - i] *= float(i) / float(n);
}

void master(Buffer& b, float targetRms, bool byLoudestPart) {
    if (b.empty())
        return;
    float peak = 0;
    double sum = 0, loudest = 0, block = 0;
    const std::size_t blockLength = std::size_t(samples(0.5));
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double sq = double(b[i]) * b[i];
        peak = std::max(peak, std::abs(b[i]));
        sum += sq;
        block += sq;
        if ((i + 1) % blockLength == 0 || i + 1 == b.size()) {
            const std::size_t n = (i % blockLength) + 1;
            loudest = std::max(loudest, block / double(n));
            block = 0;
        }
    }
    if (peak <= 0)
        return;
    const double level = byLoudestPart ? loudest : sum / double(b.size());
    const float rms = float(std::sqrt(level));
    // Bring quiet sounds up, but let the limiter take off at most about 4 dB.
    const float gain = std::min(targetRms / rms, 1.6f / peak);
    float outPeak = 0;
    for (float& s : b) {
        float y = s * gain;
        const float a = std::abs(y);
        if (a > 0.6f)
            y = std::copysign(0.6f + 0.4f * std::tanh((a - 0.6f) / 0.4f), y);
        s = y;
        outPeak = std::max(outPeak, std::abs(y));
    }
    if (outPeak > 0.89f)
        for (float& s : b)
            s *= 0.89f / outPeak;
}

void trimTail(Buffer& b, float threshold) {
    float peak = 0;
    for (float s : b)
        peak = std::max(peak, std::abs(s));
    std::size_t end = b.size();
    while (end > 0 && std::abs(b[end - 1]) < peak * threshold)
        --end;
    b.resize(std::min(b.size(), end + std::size_t(samples(0.05))));
    fadeOut(b, 0.08);
}

// --- oscillators ---------------------------------------------------------------

double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

float sawAt(double phase, double dt) {
    return float(2.0 * phase - 1.0 - polyBlep(phase, dt));
}

float squareAt(double phase, double dt, double duty) {
    double v = phase < duty ? 1.0 : -1.0;
    v += polyBlep(phase, dt);
    v -= polyBlep(std::fmod(phase + 1.0 - duty, 1.0), dt);
    return float(v);
}

float triangleAt(double phase) {
    return float(4.0 * std::abs(phase - 0.5) - 1.0);
}

namespace {

double wrap(double phase) {
    return phase - std::floor(phase);
}

struct Partial {
    double ratio, amp, decay;
};

// A sum of decaying sine partials: the body of bells, bars and drums.
Buffer partials(double freq, double seconds, const std::vector<Partial>& ps,
                double attack = 0.001) {
    Buffer b(std::size_t(samples(seconds)), 0.0f);
    for (const Partial& p : ps) {
        const double f = freq * p.ratio;
        if (f >= kRate * 0.45)
            continue;
        const double w = 2 * kPi * f / kRate;
        for (std::size_t i = 0; i < b.size(); ++i) {
            const double t = double(i) / kRate;
            b[i] += float(p.amp * std::sin(w * double(i)) * percEnv(t, attack, p.decay));
        }
    }
    // Whatever still rings at the end of the buffer fades instead of clicking off.
    fadeOut(b, std::min(0.3, seconds * 0.3));
    return b;
}

// Release ramp so a sustained note never ends in a click.
void shapeNote(Buffer& b, double seconds, double a, double d, double s, double r) {
    for (std::size_t i = 0; i < b.size(); ++i)
        b[i] *= adsr(double(i) / kRate, seconds, a, d, s, r);
}

} // namespace

// --- drums -----------------------------------------------------------------------

Buffer kick(double pitch, double decay, float click) {
    Buffer b(std::size_t(samples(decay * 5)), 0.0f);
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const double f = pitch * (1.0 + 2.5 * std::exp(-t / 0.03));
        phase += f / kRate;
        b[i] = float(std::sin(2 * kPi * phase) * std::exp(-t / decay) +
                     click * std::sin(2 * kPi * 1500 * t) * std::exp(-t / 0.004));
    }
    return b;
}

Buffer snare(Rng& rng, double decay, double body) {
    Buffer b(std::size_t(samples(decay * 6)), 0.0f);
    Svf f;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const float n = f.process(rng.noise(), 4200, 0.6).band + 0.3f * rng.noise();
        const double tone =
            0.5 * std::sin(2 * kPi * body * t) + 0.3 * std::sin(2 * kPi * body * 1.62 * t);
        b[i] = float(n * std::exp(-t / decay) + tone * std::exp(-t / 0.045));
    }
    return b;
}

Buffer hat(Rng& rng, double decay) {
    Buffer b(std::size_t(samples(decay * 6)), 0.0f);
    Svf f;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        b[i] = float(f.process(rng.noise(), 7000, 0.9).high * std::exp(-t / decay));
    }
    return b;
}

Buffer tom(double freq, double decay) {
    Buffer b(std::size_t(samples(decay * 5)), 0.0f);
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        phase += freq * (1.0 + 0.6 * std::exp(-t / 0.04)) / kRate;
        b[i] = float((std::sin(2 * kPi * phase) + 0.2 * std::sin(2 * kPi * phase * 2.3)) *
                     std::exp(-t / decay));
    }
    return b;
}

Buffer conga(double freq, double decay) {
    Buffer b(std::size_t(samples(decay * 5)), 0.0f);
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        phase += freq * (1.0 + 0.12 * std::exp(-t / 0.015)) / kRate;
        b[i] = float((std::sin(2 * kPi * phase) * std::exp(-t / decay) +
                      0.35 * std::sin(2 * kPi * phase * 2.27) * std::exp(-t / (decay * 0.3))));
    }
    return b;
}

Buffer clap(Rng& rng) {
    Buffer b(std::size_t(samples(0.25)), 0.0f);
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        double env = std::exp(-std::max(0.0, t - 0.022) / 0.07) * 0.6;
        for (double start : {0.0, 0.011, 0.022})
            if (t >= start)
                env += std::exp(-(t - start) / 0.006);
        b[i] = float(rng.noise() * env);
    }
    bandpass(b, 1150, 1.4);
    return b;
}

Buffer shaker(Rng& rng, double length) {
    Buffer b(std::size_t(samples(length)), 0.0f);
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double x = double(i) / double(b.size());
        b[i] = float(rng.noise() * std::sin(kPi * x) * std::sin(kPi * x) * (1.0 - 0.5 * x));
    }
    highpass(b, 5000);
    return b;
}

Buffer woodblock(double freq) {
    return partials(freq, 0.2, {{1.0, 1.0, 0.035}, {2.72, 0.4, 0.015}, {4.9, 0.15, 0.008}});
}

Buffer cymbal(Rng& rng, double decay) {
    Buffer b(std::size_t(samples(decay * 4)), 0.0f);
    Svf hp, bp;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const float n = rng.noise();
        const float shimmer = bp.process(n, 5200 + 900 * std::sin(t * 9), 2.5).band;
        b[i] = float((hp.process(n, 3500, 0.7).high * 0.7f + shimmer) *
                     (std::exp(-t / decay) + 1.5 * std::exp(-t / 0.02)));
    }
    fadeOut(b, decay);
    return b;
}

Buffer gong(double freq, double seconds, Rng& rng) {
    static const std::array<double, 16> ratios = {1.0,  1.483, 1.932, 2.546, 2.63, 3.14,
                                                  3.76, 4.39,  5.07,  6.21,  7.33, 8.62,
                                                  10.1, 12.4,  14.8,  17.3};
    Buffer b(std::size_t(samples(seconds)), 0.0f);
    for (std::size_t k = 0; k < ratios.size(); ++k) {
        const double f = freq * ratios[k];
        const double f2 = f + 0.4 + 0.3 * double(k); // a near twin makes the gong beat
        const double amp = 1.0 / (1.0 + 0.45 * double(k));
        const double swell = 0.05 + 0.06 * double(k); // upper partials bloom later
        const double decay = seconds * std::max(0.15, 0.55 - 0.03 * double(k));
        const double w1 = 2 * kPi * f / kRate, w2 = 2 * kPi * f2 / kRate;
        for (std::size_t i = 0; i < b.size(); ++i) {
            const double t = double(i) / kRate;
            const double env = (1.0 - std::exp(-t / swell)) * std::exp(-t / decay);
            b[i] += float(amp * env * (std::sin(w1 * double(i)) + 0.6 * std::sin(w2 * double(i))));
        }
    }
    // The felt mallet's thump.
    Buffer thump(std::size_t(samples(0.15)), 0.0f);
    for (std::size_t i = 0; i < thump.size(); ++i)
        thump[i] = rng.noise() * float(std::exp(-double(i) / kRate / 0.03));
    lowpass(thump, 300);
    for (std::size_t i = 0; i < thump.size() && i < b.size(); ++i)
        b[i] += thump[i] * 3.0f;
    fadeOut(b, seconds * 0.3);
    return b;
}

Buffer operaGong(double freq, double seconds, double glide) {
    Buffer b(std::size_t(samples(seconds)), 0.0f);
    double p1 = 0, p2 = 0, p3 = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const double f = freq * (1.0 + glide * (1.0 - std::exp(-t / 0.18)));
        p1 += f / kRate;
        p2 += f * 2.38 / kRate;
        p3 += f * 3.9 / kRate;
        b[i] = float(
            (std::sin(2 * kPi * p1) + 0.4 * std::sin(2 * kPi * p2) + 0.2 * std::sin(2 * kPi * p3)) *
            percEnv(t, 0.002, seconds * 0.3));
    }
    fadeOut(b, seconds * 0.3);
    return b;
}

Buffer timpani(double freq, double decay) {
    Buffer b = partials(freq, decay * 4,
                        {{1.0, 1.0, decay},
                         {1.504, 0.7, decay * 0.7},
                         {1.742, 0.45, decay * 0.5},
                         {2.0, 0.35, decay * 0.45},
                         {2.245, 0.25, decay * 0.35},
                         {2.494, 0.2, decay * 0.3}},
                        0.004);
    Rng rng(std::uint64_t(freq * 1000));
    Buffer thump(std::size_t(samples(0.08)), 0.0f);
    for (std::size_t i = 0; i < thump.size(); ++i)
        thump[i] = rng.noise() * float(std::exp(-double(i) / kRate / 0.015));
    lowpass(thump, 500);
    for (std::size_t i = 0; i < thump.size(); ++i)
        b[i] += 2.0f * thump[i];
    return b;
}

// --- pitched ----------------------------------------------------------------------

Buffer pluck(double freq, double seconds, Rng& rng, double brightness) {
    const double period = kRate / freq;
    const std::size_t n = std::max<std::size_t>(2, std::size_t(period));
    const double frac = period - double(n);
    Buffer line(n + 1, 0.0f);
    float last = 0;
    for (float& s : line) {
        const float x = rng.noise();
        last = float(last + brightness * (x - last));
        s = last;
    }
    const double total = seconds + 0.06;
    Buffer b(std::size_t(samples(total)), 0.0f);
    // Loss per period chosen so that a note rings for about three seconds.
    const double loss = std::pow(0.001, 1.0 / (3.0 * freq));
    std::size_t pos = 0;
    float prev = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const float a = line[pos];
        const float c = line[(pos + 1) % line.size()];
        const float y = float(a + frac * (c - a));
        b[i] = y;
        const float next = float(loss * 0.5 * (y + prev));
        prev = y;
        line[pos] = next;
        pos = (pos + 1) % line.size();
    }
    shapeNote(b, seconds, 0.001, 0.01, 1.0, 0.05);
    return b;
}

Buffer bell(double freq, double seconds) {
    const double total = seconds + 1.2;
    Buffer b(std::size_t(samples(total)), 0.0f);
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const double index = 2.5 * std::exp(-t / 0.5) + 0.3;
        const double mod = std::sin(2 * kPi * freq * 3.5 * t);
        b[i] = float(std::sin(2 * kPi * freq * t + index * mod) * percEnv(t, 0.002, 0.8));
    }
    fadeOut(b, 0.4);
    return b;
}

Buffer glock(double freq, double seconds) {
    return partials(freq, seconds + 1.3, {{1.0, 1.0, 0.9}, {2.76, 0.3, 0.3}, {5.4, 0.12, 0.1}});
}

Buffer marimba(double freq, double seconds) {
    return partials(freq, std::max(seconds, 0.3) + 0.6,
                    {{1.0, 1.0, 0.45}, {3.93, 0.25, 0.07}, {9.2, 0.08, 0.02}}, 0.002);
}

Buffer epiano(double freq, double seconds) {
    const double total = seconds + 0.35;
    Buffer b(std::size_t(samples(total)), 0.0f);
    const double tine = freq * 14 < kRate * 0.45 ? 0.08 : 0.0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const double index = 1.4 * std::exp(-t / 0.35) + 0.25;
        const double mod = std::sin(2 * kPi * freq * t);
        b[i] = float((std::sin(2 * kPi * freq * t + index * mod) +
                      tine * std::sin(2 * kPi * freq * 14 * t) * std::exp(-t / 0.05)) *
                     std::exp(-t / 1.6));
    }
    shapeNote(b, seconds, 0.002, 0.01, 1.0, 0.3);
    return b;
}

Buffer brass(double freq, double seconds, double brightness) {
    const double total = seconds + 0.1;
    Buffer b(std::size_t(samples(total)), 0.0f);
    Svf f;
    double p1 = 0, p2 = 0.3;
    const double dt = freq / kRate;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const double vib = 1.0 + (t > 0.25 ? 0.004 * std::sin(2 * kPi * 5.2 * t) : 0.0);
        p1 = wrap(p1 + dt * vib);
        p2 = wrap(p2 + dt * vib * 1.0025);
        const float raw = 0.5f * (sawAt(p1, dt) + sawAt(p2, dt));
        // The lips open with the breath: the filter follows the attack.
        const double open = std::min(1.0, t / 0.05) * (0.7 + 0.3 * std::exp(-t / 0.15));
        const double cutoff = freq * (1.2 + brightness * 5.0 * open);
        b[i] = f.process(raw, cutoff, 0.8).low;
    }
    shapeNote(b, seconds, 0.03, 0.1, 0.85, 0.08);
    return b;
}

Buffer reed(double freq, double seconds) {
    const double total = seconds + 0.08;
    Buffer b(std::size_t(samples(total)), 0.0f);
    Svf formant, body;
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const double vib = 1.0 + (t > 0.15 ? 0.012 * std::sin(2 * kPi * 6.0 * t) : 0.0);
        const double dt = freq * vib / kRate;
        phase = wrap(phase + dt);
        const float raw = 0.6f * squareAt(phase, dt, 0.28) + 0.4f * sawAt(phase, dt);
        b[i] =
            formant.process(raw, 1500, 2.5).band * 1.4f + body.process(raw, 2400, 0.7).low * 0.5f;
    }
    shapeNote(b, seconds, 0.02, 0.05, 0.9, 0.06);
    return b;
}

Buffer strings(double freq, double seconds, double attack) {
    const double total = seconds + 0.3;
    Buffer b(std::size_t(samples(total)), 0.0f);
    Svf f;
    std::array<double, 3> phase = {0.0, 0.33, 0.67};
    static constexpr std::array<double, 3> detune = {0.9965, 1.0, 1.0035};
    const double dt = freq / kRate;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const double vib = 1.0 + std::min(1.0, t / 0.4) * 0.005 * std::sin(2 * kPi * 5.5 * t);
        float raw = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            phase[k] = wrap(phase[k] + dt * vib * detune[k]);
            raw += sawAt(phase[k], dt * detune[k]) / 3.0f;
        }
        b[i] = f.process(raw, freq * 3.5 + 900, 0.7).low;
    }
    shapeNote(b, seconds, attack, 0.1, 0.9, 0.25);
    return b;
}

Buffer organ(double freq, double seconds) {
    static constexpr std::array<std::pair<double, double>, 6> bars = {
        {{1, 1.0}, {2, 0.8}, {3, 0.55}, {4, 0.4}, {6, 0.25}, {8, 0.2}}};
    const double total = seconds + 0.08;
    Buffer b(std::size_t(samples(total)), 0.0f);
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        double v = 0;
        for (const auto& [ratio, amp] : bars)
            if (freq * ratio < kRate * 0.45)
                v += amp * std::sin(2 * kPi * freq * ratio * t);
        b[i] = float(v * 0.4 * (1.0 + 0.12 * std::sin(2 * kPi * 6.5 * t)));
    }
    shapeNote(b, seconds, 0.008, 0.05, 1.0, 0.06);
    return b;
}

Buffer flute(double freq, double seconds, Rng& rng) {
    const double total = seconds + 0.15;
    Buffer b(std::size_t(samples(total)), 0.0f);
    Svf breath;
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const double vib = 1.0 + (t > 0.2 ? 0.006 * std::sin(2 * kPi * 5.0 * t) : 0.0);
        phase = wrap(phase + freq * vib / kRate);
        const double tone = std::sin(2 * kPi * phase) + 0.22 * std::sin(4 * kPi * phase) +
                            0.07 * std::sin(6 * kPi * phase);
        const float air = breath.process(rng.noise(), freq * 2, 2.0).band;
        const double chiff = 0.12 + 0.6 * std::exp(-t / 0.04);
        b[i] = float(tone + air * chiff);
    }
    shapeNote(b, seconds, 0.05, 0.1, 0.85, 0.12);
    return b;
}

Buffer violin(double freq, double seconds, Rng& rng) {
    const double total = seconds + 0.2;
    Buffer b(std::size_t(samples(total)), 0.0f);
    Svf direct, body1, body2, body3, bow;
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        // Vibrato comes in after the bow has settled on the string.
        const double depth = std::clamp((t - 0.12) / 0.3, 0.0, 1.0) * 0.007;
        const double dt = freq * (1.0 + depth * std::sin(2 * kPi * 5.8 * t)) / kRate;
        phase = wrap(phase + dt);
        const float raw = sawAt(phase, dt) + 0.05f * bow.process(rng.noise(), 3000, 0.8).band;
        // Resonances of the wooden body colour the bright string.
        b[i] = 0.5f * direct.process(raw, 4200, 0.6).low + 0.7f * body1.process(raw, 290, 3).band +
               0.6f * body2.process(raw, 500, 3).band + 0.5f * body3.process(raw, 2800, 2).band;
    }
    shapeNote(b, seconds, 0.08, 0.1, 0.9, 0.18);
    return b;
}

Buffer cowbell() {
    Buffer b(std::size_t(samples(0.4)), 0.0f);
    double p1 = 0, p2 = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        p1 = wrap(p1 + 587.0 / kRate);
        p2 = wrap(p2 + 845.0 / kRate);
        b[i] = (squareAt(p1, 587.0 / kRate) + squareAt(p2, 845.0 / kRate)) *
               float(0.3 * (std::exp(-t / 0.012) + 0.5 * std::exp(-t / 0.09)));
    }
    bandpass(b, 1000, 1.2);
    return b;
}

Buffer whistle(double freq, double seconds, double trill) {
    const double total = seconds + 0.03;
    Buffer b(std::size_t(samples(total)), 0.0f);
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        // The pea in a referee's whistle makes the pitch warble.
        phase = wrap(phase + freq * (1.0 + trill * std::sin(2 * kPi * 38 * t)) / kRate);
        b[i] = float(std::sin(2 * kPi * phase) * 0.6);
    }
    shapeNote(b, seconds, 0.01, 0.02, 1.0, 0.03);
    return b;
}

Buffer chip(double freq, double seconds, double duty) {
    const double total = seconds + 0.02;
    Buffer b(std::size_t(samples(total)), 0.0f);
    double phase = 0;
    const double dt = freq / kRate;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        phase = wrap(phase + dt);
        // Sixteen volume steps, like the sound chips this imitates.
        const double env = std::round(15.0 * adsr(t, seconds, 0.002, 0.08, 0.7, 0.02)) / 15.0;
        b[i] = float(squareAt(phase, dt, duty) * env * 0.5);
    }
    return b;
}

Buffer chipTriangle(double freq, double seconds) {
    const double total = seconds + 0.02;
    Buffer b(std::size_t(samples(total)), 0.0f);
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        phase = wrap(phase + freq / kRate);
        const double stepped = std::round(triangleAt(phase) * 7.5) / 7.5;
        b[i] = float(stepped * adsr(t, seconds, 0.002, 0.01, 1.0, 0.015) * 0.7);
    }
    return b;
}

Buffer bass(double freq, double seconds, double cutoff) {
    const double total = seconds + 0.06;
    Buffer b(std::size_t(samples(total)), 0.0f);
    Svf f;
    double phase = 0;
    const double dt = freq / kRate;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        phase = wrap(phase + dt);
        const float raw = 0.6f * sawAt(phase, dt) + 0.6f * float(std::sin(2 * kPi * phase));
        b[i] = f.process(raw, cutoff * (1.0 + 3.0 * std::exp(-t / 0.07)), 1.1).low;
    }
    shapeNote(b, seconds, 0.004, 0.15, 0.75, 0.05);
    return b;
}

Buffer pad(double freq, double seconds) {
    const double total = seconds + 0.7;
    Buffer b(std::size_t(samples(total)), 0.0f);
    Svf f;
    std::array<double, 4> phase = {0.0, 0.25, 0.5, 0.75};
    static constexpr std::array<double, 4> detune = {0.991, 0.9965, 1.0035, 1.009};
    const double dt = freq / kRate;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        float raw = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            phase[k] = wrap(phase[k] + dt * detune[k]);
            raw += sawAt(phase[k], dt * detune[k]) * 0.25f;
        }
        b[i] = f.process(raw, 1400 + 500 * std::sin(2 * kPi * 0.3 * t), 0.7).low;
    }
    shapeNote(b, seconds, 0.4, 0.3, 0.8, 0.6);
    return b;
}

Buffer noiseBurst(Rng& rng, double seconds, double centre, double q) {
    Buffer b(std::size_t(samples(seconds)), 0.0f);
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double x = double(i) / double(b.size());
        b[i] = rng.noise() * float(std::sin(kPi * x));
    }
    bandpass(b, centre, q);
    return b;
}

// --- mixing -----------------------------------------------------------------------

Track::Track(double seconds, bool loop)
    : m_data(std::size_t(samples(seconds)), 0.0f), m_loop(loop) {}

void Track::add(double at, const Buffer& sound, float gain) {
    const long start = long(std::lround(at * kRate));
    const long n = long(m_data.size());
    for (std::size_t i = 0; i < sound.size(); ++i) {
        long idx = start + long(i);
        if (m_loop) {
            idx %= n;
            if (idx < 0)
                idx += n;
        } else {
            if (idx < 0)
                continue;
            if (idx >= long(m_data.size()))
                m_data.resize(std::size_t(idx) + 1, 0.0f);
        }
        m_data[std::size_t(idx)] += sound[i] * gain;
    }
}

namespace {

int parsePitch(const std::string& text) {
    static constexpr std::array<int, 7> semis = {9, 11, 0, 2, 4, 5, 7}; // A..G
    std::size_t pos = 0;
    const int letter = std::toupper(static_cast<unsigned char>(text.at(pos++))) - 'A';
    int midi = semis.at(std::size_t(letter));
    while (pos < text.size() && (text[pos] == '#' || text[pos] == 'b')) {
        midi += text[pos] == '#' ? 1 : -1;
        ++pos;
    }
    const int octave = std::stoi(text.substr(pos));
    return midi + 12 * (octave + 1);
}

} // namespace

double play(Track& track, double at, double bpm, const std::string& score,
            const Instrument& instrument, float gain, double legato) {
    std::istringstream in(score);
    std::string token;
    double t = at;
    const double beat = 60.0 / bpm;
    while (in >> token) {
        const std::size_t colon = token.find(':');
        const double beats = colon == std::string::npos ? 1.0 : std::stod(token.substr(colon + 1));
        const std::string pitches = token.substr(0, colon);
        const double dur = beats * beat;
        if (pitches != "R") {
            std::size_t start = 0;
            while (start < pitches.size()) {
                std::size_t plus = pitches.find('+', start);
                if (plus == std::string::npos)
                    plus = pitches.size();
                const int midi = parsePitch(pitches.substr(start, plus - start));
                track.add(t, instrument(midiFreq(midi), dur * legato), gain);
                start = plus + 1;
            }
        }
        t += dur;
    }
    return t;
}

void pattern(Track& track, double at, double bpm, int stepsPerBeat, const std::string& steps,
             const std::function<Buffer()>& sound, float gain) {
    const double step = 60.0 / bpm / stepsPerBeat;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        float level = 0;
        switch (steps[i]) {
        case 'X':
            level = 1.0f;
            break;
        case 'x':
            level = 0.72f;
            break;
        case 'o':
            level = 0.42f;
            break;
        default:
            continue;
        }
        track.add(at + double(i) * step, sound(), gain * level);
    }
}

} // namespace synth
