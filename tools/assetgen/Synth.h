#pragma once
// Just enough synthesis for short jingles and loops: oscillators, filters,
// instruments, a tiny score notation and a mixing track.
#include "Rng.h"

#include <functional>
#include <string>
#include <vector>

namespace synth {

inline constexpr int kRate = 22050;
inline constexpr double kPi = 3.14159265358979323846;
using Buffer = std::vector<float>;

inline int samples(double seconds) {
    return int(seconds * kRate + 0.5);
}
double midiFreq(double midi);

// --- filters --------------------------------------------------------------
// Topology-preserving state-variable filter; cutoff may change every sample.
class Svf {
public:
    struct Out {
        float low, band, high;
    };
    Out process(float x, double cutoff, double q);

private:
    double m_ic1 = 0, m_ic2 = 0;
};

void lowpass(Buffer& b, double cutoff, double q = 0.707);
void highpass(Buffer& b, double cutoff, double q = 0.707);
void bandpass(Buffer& b, double centre, double q);
// A small room (Schroeder: parallel combs, serial all-passes).
void reverb(Buffer& b, double wet, double size = 1.0, double damping = 0.3);
// Runs a stateful process as if the buffer repeated forever, so a loop stays seamless.
void processCircular(Buffer& b, const std::function<void(Buffer&)>& fn);

// --- envelopes and helpers ------------------------------------------------
// Attack, then exponential decay with the given time constant.
float percEnv(double t, double attack, double decay);
// Linear attack, sustain level, release at the end of dur.
float adsr(double t, double dur, double a, double d, double s, double r);
void fadeIn(Buffer& b, double seconds);
void fadeOut(Buffer& b, double seconds);
// Scales to a common loudness and softly limits the peaks. A one-shot is levelled
// by its loudest half second, so that a long quiet tail does not make it blare.
void master(Buffer& b, float targetRms, bool byLoudestPart);
// Cuts the silent end of a one-shot sound, keeping a short fade.
void trimTail(Buffer& b, float threshold = 0.005f);

// --- oscillators (band-limited where it is audible) -----------------------
double polyBlep(double phase, double dt);
float sawAt(double phase, double dt);
float squareAt(double phase, double dt, double duty = 0.5);
float triangleAt(double phase);

// --- instruments: each renders one note ------------------------------------
Buffer kick(double pitch = 52, double decay = 0.28, float click = 0.5f);
Buffer snare(Rng& rng, double decay = 0.12, double body = 190);
Buffer hat(Rng& rng, double decay = 0.035);
Buffer tom(double freq, double decay = 0.25);
Buffer conga(double freq, double decay = 0.12);
Buffer clap(Rng& rng);
Buffer shaker(Rng& rng, double length = 0.07);
Buffer woodblock(double freq);
Buffer cymbal(Rng& rng, double decay = 1.2);
Buffer gong(double freq, double seconds, Rng& rng);
Buffer operaGong(double freq, double seconds, double glide);
Buffer timpani(double freq, double decay = 1.1);
Buffer pluck(double freq, double seconds, Rng& rng, double brightness = 0.5);
Buffer bell(double freq, double seconds);
Buffer glock(double freq, double seconds);
Buffer marimba(double freq, double seconds);
Buffer epiano(double freq, double seconds);
Buffer brass(double freq, double seconds, double brightness = 1.0);
Buffer reed(double freq, double seconds);
Buffer strings(double freq, double seconds, double attack = 0.15);
Buffer organ(double freq, double seconds);
Buffer flute(double freq, double seconds, Rng& rng);
Buffer violin(double freq, double seconds, Rng& rng);
Buffer cowbell();
Buffer whistle(double freq, double seconds, double trill);
Buffer chip(double freq, double seconds, double duty = 0.5);
Buffer chipTriangle(double freq, double seconds);
Buffer bass(double freq, double seconds, double cutoff = 600);
Buffer pad(double freq, double seconds);
Buffer noiseBurst(Rng& rng, double seconds, double centre, double q);

using Instrument = std::function<Buffer(double freq, double seconds)>;

// --- mixing -----------------------------------------------------------------
// A mono mix. A looping track wraps what runs past its end to its start; a
// plain track grows to hold whatever is added.
class Track {
public:
    Track(double seconds, bool loop);
    void add(double at, const Buffer& sound, float gain = 1.0f);
    Buffer& data() { return m_data; }
    double seconds() const { return double(m_data.size()) / kRate; }

private:
    Buffer m_data;
    bool m_loop;
};

// Plays a score such as "C5:1 E5:0.5 R:0.5 C4+E4+G4:2" (pitch[+pitch]:beats,
// R a rest, '#'/'b' accidentals) from `at` seconds. Returns the end time.
double play(Track& track, double at, double bpm, const std::string& score,
            const Instrument& instrument, float gain = 1.0f, double legato = 0.95);
// A step pattern: 'X' accent, 'x' normal, 'o' soft, anything else a rest.
void pattern(Track& track, double at, double bpm, int stepsPerBeat, const std::string& steps,
             const std::function<Buffer()>& sound, float gain = 1.0f);

} // namespace synth
