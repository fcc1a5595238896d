// Roll music (seamless loops) and winner music (one-shot jingles), synthesised.
#include "AssetGen.h"
#include "Synth.h"

#include <QFile>

#include <sndfile.h>

#include <cmath>
#include <stdexcept>
#include <string>

using namespace synth;

namespace {

// --- finishing ----------------------------------------------------------------

Buffer finishLoop(Track& track, double wet, double size = 0.5) {
    Buffer b = track.data();
    if (wet > 0)
        processCircular(b, [&](Buffer& x) { reverb(x, wet, size); });
    master(b, 0.15f, false);
    return b;
}

Buffer finishShot(Track& track, double wet, double size = 0.5) {
    Buffer b = track.data();
    b.resize(b.size() + std::size_t(samples(1.5)), 0.0f);
    if (wet > 0)
        reverb(b, wet, size);
    trimTail(b);
    fadeIn(b, 0.002);
    master(b, 0.22f, true);
    return b;
}

// Instruments with the generator bound, as play() wants them.
Instrument plucked(Rng& rng, double brightness = 0.5) {
    return [&rng, brightness](double f, double s) { return pluck(f, s, rng, brightness); };
}
Instrument instrument(Buffer (*fn)(double, double)) {
    return fn;
}

// A drone whose partials complete whole cycles in the loop, so it joins itself.
void drone(Track& track, double freq, float gain) {
    const double loop = track.seconds();
    const double f = std::round(freq * loop) / loop;
    Buffer& d = track.data();
    for (std::size_t i = 0; i < d.size(); ++i) {
        const double t = double(i) / kRate;
        const double swell = 0.75 + 0.25 * std::sin(2 * kPi * t / loop);
        d[i] += float(gain * swell *
                      (std::sin(2 * kPi * f * t) + 0.3 * std::sin(2 * kPi * 2 * f * t) +
                       0.12 * std::sin(2 * kPi * 3 * f * t)));
    }
}

// --- roll music -------------------------------------------------------------------

Buffer drum1() {
    // A snare roll, sixteen strokes a second, hands alternating, beats accented.
    Rng rng(101);
    const double bar = 2.0;
    Track t(bar, true);
    for (int i = 0; i < 32; ++i) {
        const double at = i * bar / 32 + rng.range(-0.002, 0.002);
        const float level = (i % 8 == 0) ? 1.0f : float(0.5 + 0.12 * (i % 2) + rng.range(0, 0.1));
        t.add(at, snare(rng, 0.06, 205), level);
    }
    for (double at : {0.0, 1.0})
        t.add(at, kick(50, 0.22, 0.2f), 0.6f);
    return finishLoop(t, 0.15);
}

Buffer drum2() {
    // Tribal toms over a steady shaker.
    Rng rng(102);
    const double bpm = 100;
    Track t(8 * 60.0 / bpm, true);
    pattern(
        t, 0, bpm, 4, "X..x..x.X..x..x.X..x..x.X.x.x.x.", [] { return tom(82, 0.3); }, 0.9f);
    pattern(
        t, 0, bpm, 4, "....x.......x.......x.....x....x", [] { return tom(122, 0.22); }, 0.7f);
    pattern(
        t, 0, bpm, 4, "..o...o...o...o...o...o.x.x.x.x.", [] { return tom(176, 0.16); }, 0.6f);
    pattern(
        t, 0, bpm, 4, "X.......X.......X.......X...X...", [] { return kick(48, 0.3); }, 0.8f);
    pattern(
        t, 0, bpm, 4, "xoxoxoxoxoxoxoxoxoxoxoxoxoxoxoxo", [&] { return shaker(rng, 0.08); }, 0.25f);
    return finishLoop(t, 0.2);
}

Buffer drum3() {
    // A timpani roll that swells each bar under a suspended cymbal.
    Rng rng(103);
    const double loop = 3.0;
    Track t(loop, true);
    const int strokes = 42;
    for (int i = 0; i < strokes; ++i) {
        const double at = i * loop / strokes;
        const float swell = float(0.35 + 0.45 * at / loop);
        t.add(at + rng.range(0, 0.004), timpani(73.4, 0.5), swell * float(rng.range(0.85, 1.0)));
    }
    t.add(0, timpani(73.4, 1.2), 1.4f);
    t.add(0, kick(40, 0.4, 0.1f), 0.8f);
    Buffer swish(std::size_t(samples(loop)), 0.0f);
    for (std::size_t i = 0; i < swish.size(); ++i) {
        const double x = double(i) / double(swish.size());
        swish[i] = rng.noise() * float(0.05 + 0.25 * x * x);
    }
    highpass(swish, 5000);
    t.add(0, swish, 0.8f);
    return finishLoop(t, 0.25);
}

Buffer roll() {
    // A prize wheel spinning: the pointer ticks over the pegs, the wheel hums.
    Rng rng(104);
    const double loop = 2.0;
    Track t(loop, true);
    for (int i = 0; i < 28; ++i) {
        const double at = i * loop / 28;
        t.add(at, woodblock(2100 + rng.range(-40, 40)), float(rng.range(0.6, 0.8)));
        t.add(at + 0.004, hat(rng, 0.012), 0.5f);
    }
    Buffer hum(std::size_t(samples(loop)), 0.0f);
    for (float& s : hum)
        s = rng.noise();
    processCircular(hum, [](Buffer& x) { lowpass(x, 500, 0.9); });
    for (std::size_t i = 0; i < hum.size(); ++i)
        hum[i] *= float(0.25 + 0.1 * std::sin(2 * kPi * double(i) / double(hum.size())));
    t.add(0, hum, 0.6f);
    return finishLoop(t, 0.1);
}

Buffer music1() {
    // Bright pop: a plucked arpeggio over C - Am - F - G.
    Rng rng(105);
    const double bpm = 124;
    Track t(16 * 60.0 / bpm, true);
    const std::string arp = "C4 G4 C5 E5 G5 E5 C5 G4 C4 G4 C5 E5 G5 E5 C5 G4 "
                            "A3 E4 A4 C5 E5 C5 A4 E4 A3 E4 A4 C5 E5 C5 A4 E4 "
                            "F3 C4 F4 A4 C5 A4 F4 C4 F3 C4 F4 A4 C5 A4 F4 C4 "
                            "G3 D4 G4 B4 D5 B4 G4 D4 G3 D4 G4 B4 D5 B4 G4 D4";
    std::string arpScore;
    for (std::size_t s = 0, e; s < arp.size(); s = e + 1) {
        e = arp.find(' ', s);
        if (e == std::string::npos)
            e = arp.size();
        arpScore += arp.substr(s, e - s) + ":0.25 ";
    }
    play(t, 0, bpm, arpScore, plucked(rng, 0.6), 0.45f, 1.0);
    play(
        t, 0, bpm,
        "C2:0.5 C2:0.5 C2:0.5 C2:0.5 C2:0.5 C2:0.5 C2:0.5 C2:0.5 "
        "A1:0.5 A1:0.5 A1:0.5 A1:0.5 A1:0.5 A1:0.5 A1:0.5 A1:0.5 "
        "F1:0.5 F1:0.5 F1:0.5 F1:0.5 F1:0.5 F1:0.5 F1:0.5 F1:0.5 "
        "G1:0.5 G1:0.5 G1:0.5 G1:0.5 G1:0.5 G1:0.5 G1:0.5 G1:0.5",
        [](double f, double s) { return bass(f, s, 500); }, 0.55f, 0.7);
    play(t, 0, bpm, "C4+E4+G4:4 A3+C4+E4:4 F3+A3+C4:4 G3+B3+D4:4", instrument(pad), 0.12f);
    const std::string bar = "x...x...x...x...";
    for (int b = 0; b < 4; ++b) {
        const double at = b * 4 * 60.0 / bpm;
        pattern(
            t, at, bpm, 4, bar, [] { return kick(52, 0.25); }, 0.8f);
        pattern(
            t, at, bpm, 4, "....x.......x...", [&] { return clap(rng); }, 0.4f);
        pattern(
            t, at, bpm, 4, "..x...x...x...x.", [&] { return hat(rng, 0.05); }, 0.3f);
    }
    return finishLoop(t, 0.18);
}

Buffer music2() {
    // Suspense on marimba in A minor, a plucked bass and ticking hats.
    Rng rng(106);
    const double bpm = 112;
    Track t(16 * 60.0 / bpm, true);
    play(t, 0, bpm,
         "A4:0.5 C5:0.5 E5:0.5 A4:0.5 C5:0.5 E5:0.5 A4:0.5 C5:0.5 "
         "A4:0.5 C5:0.5 E5:0.5 A4:0.5 C5:0.5 F5:0.5 E5:0.5 C5:0.5 "
         "F4:0.5 A4:0.5 C5:0.5 F4:0.5 A4:0.5 C5:0.5 F4:0.5 A4:0.5 "
         "E4:0.5 G#4:0.5 B4:0.5 E4:0.5 G#4:0.5 B4:0.5 D5:0.5 B4:0.5",
         instrument(marimba), 0.7f);
    play(t, 0, bpm,
         "A2:1 A2:1 E2:1 A2:1 A2:1 A2:1 E2:1 G2:1 F2:1 F2:1 C3:1 F2:1 E2:1 E2:1 B1:1 E2:1",
         plucked(rng, 0.35), 0.6f, 0.6);
    for (int b = 0; b < 4; ++b) {
        const double at = b * 4 * 60.0 / bpm;
        pattern(
            t, at, bpm, 4, "x.o.x.o.x.o.x.o.", [&] { return hat(rng, 0.03); }, 0.3f);
        pattern(
            t, at, bpm, 4, "X...............", [] { return tom(90, 0.3); }, 0.5f);
    }
    return finishLoop(t, 0.2);
}

Buffer bg1() {
    // "Thinking" music: a pulsing bass and short string chords off the beat.
    Rng rng(107);
    const double bpm = 120;
    Track t(8 * 60.0 / bpm, true);
    play(
        t, 0, bpm,
        "A1:0.5 A1:0.5 A1:0.5 A1:0.5 A1:0.5 A1:0.5 A1:0.5 A1:0.5 "
        "F1:0.5 F1:0.5 F1:0.5 F1:0.5 G1:0.5 G1:0.5 G1:0.5 G1:0.5",
        [](double f, double s) { return bass(f, s, 380); }, 0.7f, 0.8);
    play(
        t, 0, bpm,
        "R:0.5 A3+C4+E4:0.5 R:0.5 A3+C4+E4:0.5 R:0.5 A3+C4+E4:0.5 R:0.5 A3+C4+E4:0.5 "
        "R:0.5 F3+A3+C4:0.5 R:0.5 F3+A3+C4:0.5 R:0.5 G3+B3+D4:0.5 R:0.5 G3+B3+D4:0.5",
        [](double f, double s) { return strings(f, s, 0.01); }, 0.2f, 0.5);
    for (int b = 0; b < 2; ++b) {
        const double at = b * 4 * 60.0 / bpm;
        pattern(
            t, at, bpm, 4, "x.o.x.o.x.o.x.ox", [&] { return hat(rng, 0.025); }, 0.3f);
        pattern(
            t, at, bpm, 4, "X.......X.......", [] { return kick(50, 0.25); }, 0.6f);
    }
    return finishLoop(t, 0.15);
}

Buffer bg2() {
    // A countdown clock: tick-tock, a heartbeat and a low drone.
    Rng rng(108);
    const double bpm = 120;
    Track t(8 * 60.0 / bpm, true);
    for (int i = 0; i < 8; ++i)
        t.add(i * 0.5, woodblock(i % 2 ? 1250 : 1750), 0.7f);
    for (int i = 0; i < 4; ++i) {
        t.add(i * 1.0, kick(45, 0.18, 0.05f), 0.7f);
        t.add(i * 1.0 + 0.25, kick(42, 0.16, 0.05f), 0.45f);
    }
    drone(t, 73.4, 0.08f);
    drone(t, 110.0, 0.04f);
    return finishLoop(t, 0.12);
}

Buffer bg3() {
    // A Latin groove: clave, congas, shaker, a tumbao bass and a piano montuno.
    Rng rng(109);
    const double bpm = 105;
    Track t(8 * 60.0 / bpm, true);
    for (int b = 0; b < 2; ++b) {
        const double at = b * 4 * 60.0 / bpm;
        pattern(
            t, at, bpm, 4, "X..X..X...X.X...", [] { return woodblock(2400); }, 0.45f);
        pattern(
            t, at, bpm, 4, "..x...x.x.x...x.", [] { return conga(330, 0.1); }, 0.55f);
        pattern(
            t, at, bpm, 4, "x......x.....x..", [] { return conga(220, 0.16); }, 0.6f);
        pattern(
            t, at, bpm, 4, "xoooxoooxoooxooo", [&] { return shaker(rng, 0.06); }, 0.3f);
    }
    play(
        t, 0, bpm, "R:1.5 G2:1.5 C2:1 R:1.5 C3:1.5 F2:1",
        [](double f, double s) { return bass(f, s, 450); }, 0.65f, 0.9);
    play(t, 0, bpm,
         "R:0.5 C4+E4+G4:0.5 R:0.5 C4+E4+G4:0.5 R:0.5 C4+E4+G4:0.5 R:0.5 C4+E4+G4:0.5 "
         "R:0.5 C4+F4+A4:0.5 R:0.5 C4+F4+A4:0.5 R:0.5 C4+F4+A4:0.5 R:0.5 C4+F4+A4:0.5",
         instrument(epiano), 0.22f, 0.6);
    return finishLoop(t, 0.15);
}

Buffer bg4() {
    // Electronic: four on the floor, claps, open hats and a rolling bass.
    Rng rng(110);
    const double bpm = 128;
    Track t(8 * 60.0 / bpm, true);
    for (int b = 0; b < 2; ++b) {
        const double at = b * 4 * 60.0 / bpm;
        pattern(
            t, at, bpm, 4, "x...x...x...x...", [] { return kick(50, 0.22, 0.6f); }, 0.9f);
        pattern(
            t, at, bpm, 4, "....x.......x...", [&] { return clap(rng); }, 0.5f);
        pattern(
            t, at, bpm, 4, "..x...x...x...x.", [&] { return hat(rng, 0.09); }, 0.3f);
        pattern(
            t, at, bpm, 4, "x.x.x.x.x.x.x.x.", [&] { return hat(rng, 0.02); }, 0.15f);
    }
    play(
        t, 0, bpm,
        "A1:0.25 A2:0.25 A1:0.25 A2:0.25 A1:0.25 A2:0.25 A1:0.25 A2:0.25 "
        "A1:0.25 A2:0.25 A1:0.25 A2:0.25 C2:0.25 C3:0.25 C2:0.25 C3:0.25 "
        "F1:0.25 F2:0.25 F1:0.25 F2:0.25 F1:0.25 F2:0.25 F1:0.25 F2:0.25 "
        "G1:0.25 G2:0.25 G1:0.25 G2:0.25 G1:0.25 G2:0.25 G1:0.25 G2:0.25",
        [](double f, double s) { return bass(f, s, 700); }, 0.5f, 0.8);
    play(
        t, 0, bpm, "R:1.5 A3+C4+E4:0.25 R:2.25 R:1.5 F3+A3+C4:0.25 R:1.75 G3+B3+D4:0.5",
        [](double f, double s) { return brass(f, s, 1.4); }, 0.25f);
    return finishLoop(t, 0.15);
}

Buffer bg5() {
    // A music box waltz.
    const double bpm = 90;
    Track t(12 * 60.0 / bpm, true);
    play(t, 0, bpm, "E5:1 G5:1 C6:1 B5:1.5 A5:0.5 G5:1 F5:1 A5:1 D6:1 C6:3", instrument(glock),
         0.8f);
    play(t, 0, bpm, "C4:1 G4:1 E4:1 G3:1 D4:1 B3:1 F3:1 C4:1 A3:1 C4:1 G4:1 E4:1", instrument(bell),
         0.22f);
    return finishLoop(t, 0.3, 0.6);
}

// --- winner music ------------------------------------------------------------------

Buffer result() {
    // "Ta-da!"
    Rng rng(201);
    Track t(0.1, false);
    t.add(0, brass(midiFreq(67), 0.12), 0.5f);
    for (int m : {60, 64, 67, 72})
        t.add(0.16, brass(midiFreq(m), 1.5), 0.35f);
    t.add(0.16, timpani(65.4, 1.0), 0.7f);
    t.add(0.16, cymbal(rng, 1.0), 0.3f);
    t.add(0.16, bell(midiFreq(84), 0.5), 0.15f);
    return finishShot(t, 0.3);
}

Buffer m2() {
    // Bells running up to a shimmering chord.
    Rng rng(202);
    Track t(0.1, false);
    const double end = play(t, 0, 160, "C5:0.25 E5:0.25 G5:0.25 C6:0.25 E6:0.25 G6:0.25",
                            instrument(bell), 0.35f, 1.0);
    play(t, end, 160, "C6+E6+G6:4", instrument(glock), 0.5f);
    play(t, end, 160, "C4+E4+G4+C5:6", instrument(pad), 0.25f);
    for (int i = 0; i < 15; ++i) {
        static const int scale[] = {0, 2, 4, 5, 7, 9, 11};
        const int midi = 60 + 12 * (i / 7) + scale[i % 7];
        t.add(end + 0.03 * i, pluck(midiFreq(midi), 1.2, rng, 0.5), 0.25f);
    }
    return finishShot(t, 0.35, 0.7);
}

Buffer m3() {
    // A brass fanfare with timpani and a final crash.
    Rng rng(203);
    Track t(0.1, false);
    const double bpm = 132;
    const std::string melody =
        "G4:0.333 G4:0.333 G4:0.334 C5:1 G4:0.5 C5:0.5 E5:1 C5:0.5 E5:0.5 G5:3";
    play(
        t, 0, bpm, melody, [](double f, double s) { return brass(f, s, 1.2); }, 0.5f, 0.9);
    play(
        t, 0, bpm, "R:1 E4:1 E4:1 G4:1 E4:1 C5:3",
        [](double f, double s) { return brass(f, s, 0.9); }, 0.3f, 0.9);
    play(
        t, 0, bpm, "C3+G3:1 C3+G3:2 F3+C4:1 G3+D4:1 C3+G3+C4:3",
        [](double f, double s) { return brass(f, s, 0.7); }, 0.25f, 0.9);
    play(
        t, 0, bpm, "R:1 C2:1 G1:1 C2:1 G1:1 C2:3", [](double f, double) { return timpani(f, 0.7); },
        0.6f);
    t.add(5 * 60.0 / bpm, cymbal(rng, 0.9), 0.35f);
    return finishShot(t, 0.3);
}

Buffer applause() {
    // A room full of people clapping, with a whistle and a cheer.
    Rng rng(204);
    Track t(5.0, false);
    for (int person = 0; person < 34; ++person) {
        const double rate = rng.range(3.6, 5.2);
        const double start = rng.range(0.0, 0.35);
        const double stop = rng.range(2.6, 4.7);
        const double centre = rng.range(800, 2600);
        const float level = float(rng.range(0.4, 1.0));
        for (double at = start; at < stop; at += 1.0 / rate * rng.range(0.92, 1.08)) {
            Buffer c(std::size_t(samples(0.05)), 0.0f);
            for (std::size_t i = 0; i < c.size(); ++i)
                c[i] = rng.noise() * float(std::exp(-double(i) / kRate / 0.006));
            bandpass(c, centre, 1.2);
            t.add(at, c, level);
        }
    }
    Buffer cheer(std::size_t(samples(4.5)), 0.0f);
    for (std::size_t i = 0; i < cheer.size(); ++i) {
        const double x = double(i) / kRate;
        cheer[i] =
            rng.noise() * float(std::min(1.0, x / 0.5) * std::exp(-std::max(0.0, x - 1.5) / 1.0));
    }
    bandpass(cheer, 700, 0.8);
    t.add(0, cheer, 0.6f);
    t.add(0.7, whistle(1900, 0.18, 0.0), 0.15f);
    t.add(0.95, whistle(2400, 0.5, 0.02), 0.15f);
    return finishShot(t, 0.25, 0.7);
}

Buffer gongSound() {
    Rng rng(205);
    Track t(0.1, false);
    t.add(0, gong(98, 6.0, rng), 1.0f);
    return finishShot(t, 0.3, 0.8);
}

Buffer win3() {
    // A drum roll building up to a crash.
    Rng rng(206);
    Track t(0.1, false);
    const int strokes = 34;
    for (int i = 0; i < strokes; ++i) {
        const double x = double(i) / strokes;
        t.add(i * 0.05, snare(rng, 0.06, 200), float(0.2 + 0.8 * x * x));
    }
    const double hit = strokes * 0.05;
    t.add(hit, kick(48, 0.4), 1.0f);
    t.add(hit, snare(rng, 0.18, 190), 1.0f);
    t.add(hit, cymbal(rng, 1.0), 0.55f);
    t.add(hit, timpani(65.4, 1.2), 0.6f);
    return finishShot(t, 0.25);
}

Buffer nba() {
    // The arena: the buzzer, the organ riff, clapping and the crowd.
    Rng rng(207);
    Track t(0.1, false);
    Buffer buzzer(std::size_t(samples(0.8)), 0.0f);
    for (std::size_t i = 0; i < buzzer.size(); ++i) {
        const double ph = double(i) / kRate;
        buzzer[i] = 0.5f * squareAt(std::fmod(ph * 233.0, 1.0), 233.0 / kRate) +
                    0.4f * squareAt(std::fmod(ph * 239.0, 1.0), 239.0 / kRate);
    }
    lowpass(buzzer, 2500);
    fadeOut(buzzer, 0.02);
    t.add(0, buzzer, 0.5f);
    const double bpm = 150;
    const double riff = 1.0;
    play(t, riff, bpm, "E5:0.5 E5:0.5 R:0.25 E5:0.25 G5:0.5 A5:1 G5:0.5 C6:2.5", instrument(organ),
         0.4f, 0.85);
    play(t, riff, bpm,
         "C4+G4:0.5 C4+G4:0.5 R:0.25 C4+G4:0.25 E4+C5:0.5 F4+C5:1 E4+C5:0.5 E4+G4+C5:2.5",
         instrument(organ), 0.25f, 0.85);
    pattern(
        t, riff + 6 * 60.0 / bpm, bpm, 2, "x.x.xxx.", [&] { return clap(rng); }, 0.5f);
    Buffer crowd(std::size_t(samples(4.6)), 0.0f);
    for (std::size_t i = 0; i < crowd.size(); ++i) {
        const double x = double(i) / kRate;
        crowd[i] = rng.noise() * float(std::clamp((x - 0.3) / 1.2, 0.0, 1.0) *
                                       std::exp(-std::max(0.0, x - 3.2) / 0.6));
    }
    bandpass(crowd, 900, 0.7);
    t.add(0, crowd, 0.55f);
    return finishShot(t, 0.3, 0.8);
}

Buffer sweetHeart() {
    // A tender electric piano tune over soft chords.
    Track t(0.1, false);
    const double bpm = 100;
    play(t, 0, bpm, "A4:1 C5:0.5 F5:1.5 E5:0.5 D5:0.5 C5:2 Bb4:0.5 A4:0.5 G4:1 C5:1 F4:2.5",
         instrument(epiano), 0.6f, 0.95);
    play(t, 0, bpm, "F3+A3+C4:3 D3+F3+A3:2 Bb2+D3+F3:2 C3+E3+G3:2 F3+A3+C4:2.5", instrument(pad),
         0.18f);
    play(
        t, 0, bpm, "F2:3 D2:2 Bb1:2 C2:2 F2:2.5",
        [](double f, double s) { return bass(f, s, 300); }, 0.3f);
    return finishShot(t, 0.35, 0.7);
}

Buffer f1() {
    // A racing car shifting up through the gears and passing by, then a fanfare stab.
    Rng rng(209);
    Track t(0.1, false);
    const double pass = 2.4;
    Buffer engine(std::size_t(samples(3.2)), 0.0f);
    Svf tone;
    double phase = 0;
    for (std::size_t i = 0; i < engine.size(); ++i) {
        const double x = double(i) / kRate;
        double rpm;
        if (x < 0.9)
            rpm = 90 + 100 * x / 0.9;
        else if (x < 1.8)
            rpm = 125 + 85 * (x - 0.9) / 0.9;
        else
            rpm = 150 + 70 * (x - 1.8) / 1.4;
        const double doppler = 1.0 + 0.13 * std::tanh(-(x - pass) / 0.12);
        const double f = rpm * doppler;
        phase = std::fmod(phase + f / kRate, 1.0);
        const float raw = sawAt(phase, f / kRate) +
                          0.6f * squareAt(std::fmod(phase * 0.5 + 0.5, 1.0), f / kRate / 2) +
                          0.15f * rng.noise();
        const double near = 1.0 / (1.0 + std::pow((x - pass) / 0.45, 2.0));
        engine[i] = tone.process(raw, 900 + 2200 * near, 0.9).low * float(0.15 + 0.85 * near);
    }
    fadeOut(engine, 0.4);
    t.add(0, engine, 0.6f);
    const double stab = 3.0;
    for (int m : {62, 66, 69, 74}) {
        t.add(stab, brass(midiFreq(m), 0.14, 1.5), 0.3f);
        t.add(stab + 0.22, brass(midiFreq(m), 1.3, 1.5), 0.3f);
    }
    t.add(stab + 0.22, cymbal(rng, 0.9), 0.3f);
    t.add(stab + 0.22, kick(50, 0.3), 0.6f);
    return finishShot(t, 0.25);
}

Buffer konami() {
    // An eight-bit "level complete" jingle.
    Rng rng(210);
    Track t(0.1, false);
    const double bpm = 150;
    play(
        t, 0, bpm,
        "C5:0.25 E5:0.25 G5:0.25 C6:0.25 B5:0.25 G5:0.25 E5:0.25 G5:0.25 A5:0.5 F5:0.5 D6:0.5 "
        "B5:0.5 C6:2",
        [](double f, double s) { return chip(f, s, 0.25); }, 0.6f, 0.9);
    play(
        t, 0, bpm, "E4:1 E4:1 F4:0.5 A4:0.5 F4:0.5 D5:0.5 E5:2",
        [](double f, double s) { return chip(f, s, 0.5); }, 0.3f, 0.9);
    play(t, 0, bpm, "C3:1 G2:1 F2:1 G2:1 C3:2", instrument(chipTriangle), 0.7f, 0.9);
    pattern(
        t, 0, bpm, 2, "x.x.x.x.X...", [&] { return hat(rng, 0.03); }, 0.4f);
    return finishShot(t, 0.08);
}

Buffer breakOut() {
    // A ball bouncing off bricks faster and faster, then the level is cleared.
    Rng rng(211);
    Track t(0.1, false);
    static const int pent[] = {72, 74, 76, 79, 81, 84};
    double at = 0, gap = 0.26;
    for (int i = 0; i < 9; ++i) {
        t.add(at, chip(midiFreq(pent[rng.below(6)]), 0.05, 0.5), 0.6f);
        if (i % 2 == 1) {
            Buffer crunch = noiseBurst(rng, 0.06, 3000, 0.8);
            t.add(at + 0.01, crunch, 0.5f);
        }
        at += gap;
        gap *= 0.84;
    }
    at += 0.12;
    play(
        t, at, 180, "C5:0.25 E5:0.25 G5:0.25 C6:0.25 E6:0.25 G6:0.25 C7:1.5",
        [](double f, double s) { return chip(f, s, 0.125); }, 0.5f, 0.9);
    play(
        t, at, 180, "G4:0.25 C5:0.25 E5:0.25 G5:0.25 C6:0.25 E6:0.25 G6:1.5",
        [](double f, double s) { return chip(f, s, 0.5); }, 0.25f, 0.9);
    play(t, at, 180, "C3:1.5 C4:1.5", instrument(chipTriangle), 0.6f);
    return finishShot(t, 0.1);
}

Buffer apache() {
    // A twangy surf guitar with tremolo over a pounding tom beat.
    Rng rng(212);
    Track t(0.1, false);
    const double bpm = 100;
    Track guitar(0.1, false);
    play(guitar, 0, bpm, "E4:1 G4:0.5 A4:0.5 B4:1.5 A4:0.5 G4:1 E4:1 D4:0.5 E4:2.5",
         plucked(rng, 0.85), 0.7f, 1.0);
    play(guitar, 0, bpm, "E3:2 E3:2 C3:2 B2:1 E3:2.5", plucked(rng, 0.5), 0.4f, 1.0);
    Buffer g = guitar.data();
    for (std::size_t i = 0; i < g.size(); ++i)
        g[i] *= float(0.75 + 0.25 * std::sin(2 * kPi * 7.0 * double(i) / kRate));
    t.add(0, g, 1.0f);
    for (int b = 0; b < 2; ++b)
        pattern(
            t, b * 4 * 60.0 / bpm, bpm, 4, "X...x.x.X...x.x.", [] { return tom(95, 0.25); }, 0.6f);
    t.add(8 * 60.0 / bpm, tom(95, 0.4), 0.8f);
    return finishShot(t, 0.45, 0.75);
}

Buffer lifeCup() {
    // A Latin party: a samba whistle, brass stabs, congas, cowbell and a cheering crowd.
    Rng rng(213);
    Track t(0.1, false);
    t.add(0.0, whistle(2900, 0.12, 0.03), 0.4f);
    t.add(0.2, whistle(2900, 0.12, 0.03), 0.4f);
    t.add(0.4, whistle(2900, 0.35, 0.03), 0.4f);
    const double start = 0.9;
    const double bpm = 126;
    play(
        t, start, bpm,
        "R:0.5 C5+E5+G5:0.25 R:0.25 C5+E5+G5:0.25 R:0.75 Bb4+D5+F5:0.5 R:0.5 Bb4+D5+F5:0.5 "
        "R:0.5 C5+E5+G5:0.25 R:0.25 C5+E5+G5:0.25 R:0.75 G4+B4+D5:0.5 F4+A4+C5:0.5 "
        "E4+G4+C5:2",
        [](double f, double s) { return brass(f, s, 1.4); }, 0.28f, 0.9);
    for (int b = 0; b < 2; ++b) {
        const double at = start + b * 4 * 60.0 / bpm;
        pattern(
            t, at, bpm, 4, "..x...x.x.x...x.", [] { return conga(340, 0.1); }, 0.5f);
        pattern(
            t, at, bpm, 4, "x......x.....x..", [] { return conga(230, 0.15); }, 0.55f);
        pattern(
            t, at, bpm, 2, "x.xxx.xx", [] { return cowbell(); }, 0.3f);
        pattern(
            t, at, bpm, 4, "x...x...x...x...", [] { return kick(55, 0.2); }, 0.6f);
    }
    const double end = start + 10 * 60.0 / bpm;
    t.add(end - 2 * 60.0 / bpm, cymbal(rng, 0.9), 0.35f);
    Buffer crowd(std::size_t(samples(2.2)), 0.0f);
    for (std::size_t i = 0; i < crowd.size(); ++i) {
        const double x = double(i) / kRate;
        crowd[i] = rng.noise() * float(std::min(1.0, x / 0.3) * std::exp(-x / 0.9));
    }
    bandpass(crowd, 850, 0.7);
    t.add(end - 2 * 60.0 / bpm, crowd, 0.5f);
    return finishShot(t, 0.25);
}

Buffer violinSound() {
    // A violin sings over quiet strings.
    Rng rng(214);
    Track t(0.1, false);
    const double bpm = 96;
    play(
        t, 0, bpm, "D5:1 G5:1.5 F#5:0.5 E5:0.5 D5:0.5 B4:1 C5:0.5 D5:0.5 E5:0.5 F#5:0.5 G5:3",
        [&](double f, double s) { return violin(f, s, rng); }, 0.55f, 0.98);
    play(
        t, 0, bpm, "G3+B3+D4:4 C4+E4+G4:2 D4+F#4+A4:1 G3+B3+D4:3",
        [](double f, double s) { return strings(f, s, 0.3); }, 0.18f);
    return finishShot(t, 0.4, 0.75);
}

Buffer sweet() {
    // Glockenspiel over a harp.
    Rng rng(215);
    Track t(0.1, false);
    const double bpm = 110;
    play(t, 0, bpm, "G5:0.5 E5:0.5 C6:1 B5:0.5 A5:0.5 G5:1 E5:0.5 F5:0.5 G5:0.5 A5:0.5 G5:2",
         instrument(glock), 0.6f);
    play(t, 0, bpm,
         "C4:0.5 E4:0.5 G4:0.5 C5:0.5 F3:0.5 A3:0.5 C4:0.5 F4:0.5 "
         "C4:0.5 E4:0.5 G4:0.5 C5:0.5 G3:0.5 B3:0.5 D4:0.5 G4:0.5 C4+E4+G4+C5:2",
         plucked(rng, 0.45), 0.35f, 1.0);
    return finishShot(t, 0.35, 0.7);
}

Buffer butterfly() {
    // A pentatonic flute tune over a plucked zither with a sweeping glissando.
    Rng rng(216);
    Track t(0.1, false);
    static const int gliss[] = {60, 62, 64, 67, 69, 72, 74, 76, 79, 81};
    for (int i = 0; i < 10; ++i)
        t.add(0.035 * i, pluck(midiFreq(gliss[i]), 1.0, rng, 0.8), 0.3f);
    const double start = 0.5;
    const double bpm = 88;
    play(
        t, start, bpm,
        "G5:1 E5:0.5 G5:0.5 A5:1 C6:0.5 A5:0.5 G5:1.5 E5:0.5 D5:1 E5:0.5 G5:0.5 E5:2",
        [&](double f, double s) { return flute(f, s, rng); }, 0.5f, 0.97);
    play(t, start, bpm,
         "C4:0.5 G4:0.5 C5:0.5 G4:0.5 A3:0.5 E4:0.5 A4:0.5 E4:0.5 C4:0.5 G4:0.5 C5:0.5 G4:0.5 "
         "G3:0.5 D4:0.5 G4:0.5 D4:0.5 A3:0.5 E4:0.5 A4:0.5 E4:0.5 C4+G4+C5:2",
         plucked(rng, 0.75), 0.22f, 1.0);
    return finishShot(t, 0.4, 0.75);
}

Buffer huohuo() {
    // Festival percussion: the big drum, crashing cymbals and the rising small gong.
    Rng rng(217);
    Track t(0.1, false);
    const double bpm = 140;
    for (int b = 0; b < 2; ++b) {
        const double at = b * 4 * 60.0 / bpm;
        pattern(
            t, at, bpm, 4, "X.x.X.x.X.xxX.x.", [] { return tom(68, 0.3); }, 0.9f);
        pattern(
            t, at, bpm, 4, "....x.......x...", [&] { return cymbal(rng, 0.25); }, 0.45f);
        pattern(
            t, at, bpm, 4, "x.......x.......", [] { return operaGong(520, 0.9, 0.22); }, 0.35f);
    }
    const double roll = 8 * 60.0 / bpm;
    for (int i = 0; i < 14; ++i)
        t.add(roll + i * 0.04, tom(68, 0.2), float(0.3 + 0.04 * i));
    const double hit = roll + 14 * 0.04;
    t.add(hit, tom(60, 0.5), 1.0f);
    t.add(hit, cymbal(rng, 0.9), 0.6f);
    t.add(hit, gong(160, 2.5, rng), 0.35f);
    return finishShot(t, 0.25);
}

Buffer clarino() {
    // A baroque trumpet in D with timpani and a sustained continuo.
    Track t(0.1, false);
    const double bpm = 110;
    play(
        t, 0, bpm,
        "D5:0.5 F#5:0.5 A5:1 A5:0.5 B5:0.5 A5:0.5 F#5:0.5 D5:0.5 E5:0.5 F#5:1 E5:0.5 C#5:0.5 "
        "D5:2.5",
        [](double f, double s) { return brass(f, s, 1.6); }, 0.5f, 0.9);
    play(
        t, 0, bpm, "D2:1 A1:1 D2:1 A1:1 D2:1 A1:1 D2:1 A1:0.5 A1:0.5 D2:2.5",
        [](double f, double) { return timpani(f, 0.6); }, 0.55f);
    play(
        t, 0, bpm, "D3+A3:2 D3+F#3:2 G3+B3:2 A3+C#4:2 D3+F#3+A3:2.5",
        [](double f, double s) { return strings(f, s, 0.1); }, 0.2f);
    return finishShot(t, 0.35, 0.75);
}

Buffer armyClarino() {
    // A bugle call over a marching snare.
    Rng rng(219);
    Track t(0.1, false);
    const double bpm = 120;
    play(
        t, 0, bpm,
        "G3:0.5 C4:0.5 E4:0.5 G4:1 E4:0.5 G4:0.5 E4:0.5 C4:1 G3:0.5 C4:0.5 E4:0.5 G4:0.5 C5:2",
        [](double f, double s) { return brass(f, s, 1.0); }, 0.55f, 0.88);
    for (int b = 0; b < 2; ++b) {
        const double at = b * 4 * 60.0 / bpm;
        pattern(
            t, at, bpm, 4, "X.x.x.xxX.x.x.xx", [&] { return snare(rng, 0.07, 210); }, 0.4f);
        pattern(
            t, at, bpm, 1, "x.x.", [] { return kick(55, 0.3, 0.1f); }, 0.5f);
    }
    t.add(8 * 60.0 / bpm, snare(rng, 0.15, 200), 0.6f);
    t.add(8 * 60.0 / bpm, cymbal(rng, 1.0), 0.25f);
    return finishShot(t, 0.3);
}

Buffer portliness() {
    // A stately brass choir, timpani on every chord and a final cymbal.
    Rng rng(220);
    Track t(0.1, false);
    const double bpm = 72;
    play(
        t, 0, bpm, "G4:0.5 C5:1 F5:1 D5:1 E5:2.5",
        [](double f, double s) { return brass(f, s, 1.2); }, 0.45f, 0.95);
    play(
        t, 0, bpm, "R:0.5 C3+G3+C4+E4:1 F3+A3+C4+F4:1 G3+B3+D4+G4:1 C3+G3+C4+E4:2.5",
        [](double f, double s) { return brass(f, s, 0.7); }, 0.2f, 0.95);
    play(
        t, 0, bpm, "R:0.5 C2:1 F2:1 G1:1 C2:2.5", [](double f, double) { return timpani(f, 0.9); },
        0.6f);
    t.add(3.5 * 60.0 / bpm, cymbal(rng, 1.0), 0.3f);
    return finishShot(t, 0.4, 0.85);
}

Buffer gongxi() {
    // New Year: firecrackers, then a festive reed tune with drum and gong.
    Rng rng(221);
    Track t(0.1, false);
    for (double at = 0; at < 1.6;) {
        const double len = rng.range(0.003, 0.01);
        Buffer pop(std::size_t(samples(len + 0.03)), 0.0f);
        for (std::size_t i = 0; i < pop.size(); ++i)
            pop[i] = rng.noise() * float(std::exp(-double(i) / kRate / len));
        const float level = float(rng.range(0.2, 1.0) * (at < 1.0 ? 1.0 : (1.6 - at) / 0.6 + 0.1));
        t.add(at, pop, level);
        at += rng.range(0.005, 0.04);
    }
    const double start = 1.0;
    const double bpm = 132;
    play(t, start, bpm,
         "C5:0.5 D5:0.5 E5:1 G5:0.5 E5:0.5 D5:1 C5:0.5 D5:0.5 E5:0.5 G5:0.5 A5:1 G5:2.5",
         instrument(reed), 0.45f, 0.92);
    for (int b = 0; b < 2; ++b) {
        const double at = start + b * 4 * 60.0 / bpm;
        pattern(
            t, at, bpm, 2, "X.x.X.xx", [] { return tom(75, 0.25); }, 0.6f);
        pattern(
            t, at, bpm, 1, "x.x.", [&] { return cymbal(rng, 0.2); }, 0.25f);
    }
    t.add(start + 8 * 60.0 / bpm, gong(130, 2.5, rng), 0.4f);
    return finishShot(t, 0.3);
}

Buffer happyGirl() {
    // A bouncy pop hook with claps and a jumping bass.
    Rng rng(222);
    Track t(0.1, false);
    const double bpm = 132;
    const std::string hook =
        "E5:0.5 G5:0.5 C6:0.5 G5:0.5 A5:0.5 G5:0.5 E5:1 F5:0.5 E5:0.5 D5:0.5 E5:0.5 C5:2";
    play(
        t, 0, bpm, hook, [](double f, double s) { return chip(f, s, 0.5); }, 0.4f, 0.8);
    play(t, 0, bpm, hook, instrument(glock), 0.25f);
    play(
        t, 0, bpm,
        "C2:0.5 C3:0.5 C2:0.5 C3:0.5 A1:0.5 A2:0.5 A1:0.5 A2:0.5 F1:0.5 F2:0.5 G1:0.5 G2:0.5 C2:2",
        [](double f, double s) { return bass(f, s, 700); }, 0.5f, 0.7);
    for (int b = 0; b < 2; ++b) {
        const double at = b * 4 * 60.0 / bpm;
        pattern(
            t, at, bpm, 4, "x...x...x...x...", [] { return kick(55, 0.2); }, 0.7f);
        pattern(
            t, at, bpm, 4, "....x.......x..x", [&] { return clap(rng); }, 0.45f);
    }
    return finishShot(t, 0.2);
}

Buffer dj() {
    // A scratch, an air horn, a bass drop and the beat.
    Rng rng(223);
    Track t(0.1, false);
    Buffer record(std::size_t(samples(0.5)), 0.0f);
    {
        double phase[3] = {0, 0, 0};
        const double freqs[3] = {220, 277, 330};
        for (std::size_t i = 0; i < record.size(); ++i) {
            for (int k = 0; k < 3; ++k) {
                phase[k] = std::fmod(phase[k] + freqs[k] / kRate, 1.0);
                record[i] += sawAt(phase[k], freqs[k] / kRate) * 0.3f;
            }
            record[i] += 0.2f * rng.noise();
        }
        lowpass(record, 2500);
    }
    // Moving the record back and forth under the needle.
    Buffer scratch(std::size_t(samples(1.0)), 0.0f);
    for (std::size_t i = 0; i < scratch.size(); ++i) {
        const double x = double(i) / kRate;
        const double pos = (0.2 + 0.15 * std::sin(2 * kPi * 3.0 * x)) * kRate;
        const std::size_t p = std::min(record.size() - 2, std::size_t(pos));
        const double speed = std::abs(std::cos(2 * kPi * 3.0 * x));
        scratch[i] = record[p] * float(speed);
    }
    fadeOut(scratch, 0.05);
    t.add(0, scratch, 0.7f);
    Buffer horn(std::size_t(samples(0.9)), 0.0f);
    {
        double phase[3] = {0, 0, 0};
        const double freqs[3] = {440, 446, 554};
        for (std::size_t i = 0; i < horn.size(); ++i) {
            const double x = double(i) / kRate;
            const double scoop = 1.0 - 0.06 * std::exp(-x / 0.04);
            for (int k = 0; k < 3; ++k) {
                phase[k] = std::fmod(phase[k] + freqs[k] * scoop / kRate, 1.0);
                horn[i] += sawAt(phase[k], freqs[k] / kRate) * 0.3f;
            }
        }
        lowpass(horn, 3200);
    }
    for (double at : {1.05, 1.25, 1.45}) {
        Buffer blast(horn.begin(), horn.begin() + std::ptrdiff_t(samples(at < 1.4 ? 0.14 : 0.7)));
        fadeOut(blast, 0.03);
        fadeIn(blast, 0.005);
        t.add(at, blast, 0.45f);
    }
    const double drop = 2.2;
    Buffer sweep(std::size_t(samples(0.7)), 0.0f);
    double ph = 0;
    for (std::size_t i = 0; i < sweep.size(); ++i) {
        const double x = double(i) / double(sweep.size());
        ph += (220.0 * std::pow(40.0 / 220.0, x)) / kRate;
        sweep[i] = float(std::sin(2 * kPi * ph) * (1.0 - 0.3 * x));
    }
    fadeOut(sweep, 0.05);
    t.add(drop, sweep, 0.8f);
    const double beat = drop + 0.7;
    const double bpm = 128;
    pattern(
        t, beat, bpm, 4, "x...x...x...x...x", [] { return kick(48, 0.3, 0.6f); }, 0.9f);
    pattern(
        t, beat, bpm, 4, "....x.......x...", [&] { return clap(rng); }, 0.5f);
    pattern(
        t, beat, bpm, 4, "..x...x...x...x.", [&] { return hat(rng, 0.07); }, 0.3f);
    play(
        t, beat, bpm, "A1:1 A1:1 F1:1 G1:1 A1:1",
        [](double f, double s) { return bass(f, s, 400); }, 0.6f, 0.8);
    return finishShot(t, 0.15);
}

// --- files ---------------------------------------------------------------------------

void writeSound(const QString& path, const Buffer& b) {
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    const bool mp3 = path.endsWith(QLatin1String(".mp3"));
    info.format =
        mp3 ? (SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III) : (SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    const QByteArray name = QFile::encodeName(path);
    SNDFILE* f = sf_open(name.constData(), SFM_WRITE, &info);
    if (!f)
        throw std::runtime_error("cannot write " + name.toStdString() + ": " +
                                 sf_strerror(nullptr));
    if (mp3) {
        // About 64 kbit/s: clean enough for jingles, small enough to ship.
        double level = 0.4;
        sf_command(f, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    }
    // The MP3 encoder's ringing overshoots sharp peaks; leave it headroom.
    Buffer out = b;
    if (mp3)
        for (float& s : out)
            s *= 0.82f;
    const sf_count_t written = sf_write_float(f, out.data(), sf_count_t(out.size()));
    const int closed = sf_close(f);
    if (written != sf_count_t(out.size()) || closed != 0)
        throw std::runtime_error("cannot write " + name.toStdString());
}

struct SoundJob {
    const char* file;
    Buffer (*make)();
};

const SoundJob kSounds[] = {
    {"drum1.wav", drum1},
    {"drum2.wav", drum2},
    {"drum3.wav", drum3},
    {"roll.wav", roll},
    {"music1.wav", music1},
    {"music2.wav", music2},
    {"bg1.wav", bg1},
    {"bg2.wav", bg2},
    {"bg3.wav", bg3},
    {"bg4.wav", bg4},
    {"bg5.wav", bg5},
    {"result.wav", result},
    {"m2.wav", m2},
    {"m3.wav", m3},
    {"applause.wav", applause},
    {"gong.wav", gongSound},
    {"win3.wav", win3},
    {"NBA.mp3", nba},
    {"sweet heart.mp3", sweetHeart},
    {"F1.mp3", f1},
    {"konami.mp3", konami},
    {"break out.mp3", breakOut},
    {"apache.mp3", apache},
    {"life cup.mp3", lifeCup},
    {"violin.mp3", violinSound},
    {"sweet.mp3", sweet},
    {"butterfly.mp3", butterfly},
    {"huohuo.mp3", huohuo},
    {"clarino.mp3", clarino},
    {"army clarino.mp3", armyClarino},
    {"portliness.mp3", portliness},
    {"gongxi.mp3", gongxi},
    {"happy girl.mp3", happyGirl},
    {"DJ.mp3", dj},
};

} // namespace

void generateSounds(const QString& programDir) {
    const QString dir = ensureFolder(programDir, QStringLiteral("sound"));
    for (const SoundJob& job : kSounds)
        writeSound(dir + QString::fromUtf8(job.file), job.make());
}
