// Every sound of the game, synthesised: the worm's swishing loop, eating and dropping beans,
// the powers, thunder and rain, jingles and menu clicks, and fourteen distinct voices of pond
// life for the ambience. One-shots get click-free ends; the three loops (swish, rain,
// heartbeat) join seamlessly; levels are normalised per kind of sound.
#include <cmath>
#include <string>

#include "tools/assetgen/palette.h"
#include "tools/assetgen/synth.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEffectPeak = 0.8;
constexpr double kLoopPeak = 0.55;
constexpr double kAmbientPeak = 0.5;

Samples noiseBurst(double seconds, std::uint32_t seed) {
    Samples s = silence(seconds);
    Noise noise{seed};
    for (double& x : s) x = noise.next();
    return s;
}

void addInto(Samples& out, const Samples& in, double start, double gain) {
    const std::size_t first = sampleCount(start);
    for (std::size_t i = 0; i < in.size() && first + i < out.size(); ++i) out[first + i] += in[i] * gain;
}

// A filtered noise hit with an exponential decay.
Samples noiseHit(double seconds, std::uint32_t seed, double centre, double q, double decay) {
    Samples s = noiseBurst(seconds, seed);
    bandPass(s, centre, q);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] *= decayEnvelope(i / double(kRate), 0.002, decay);
    return s;
}

Samples plop(double from, double to, double seconds, double glide) {
    Samples s = silence(seconds);
    addTone(
        s, 0, seconds, sine, [=](double t) { return to + (from - to) * std::exp(-t / glide); },
        [=](double t) { return decayEnvelope(t, 0.003, seconds / 4); });
    return s;
}

Samples swishLoop() {
    // Two seconds of water moved by the worm: band-passed noise that swells four times.
    Samples s = noiseBurst(2.3, 11);
    bandPass(s, 480, 0.9);
    lowPass(s, 1500);  // soft: it plays all through a game
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = i / double(kRate);
        s[i] *= 0.55 + 0.45 * std::cos(2 * kPi * t * 2.0);  // symmetric round the seam
    }
    makeLoop(s, 0.3);
    normalise(s, kLoopPeak);
    return s;
}

Samples eat() {
    Samples s = silence(0.24);
    addInto(s, noiseHit(0.08, 21, 1800, 1.2, 0.02), 0.0, 1.0);
    addInto(s, noiseHit(0.08, 22, 1400, 1.2, 0.02), 0.09, 0.8);
    addInto(s, plop(220, 110, 0.1, 0.03), 0.0, 0.7);
    addInto(s, plop(200, 100, 0.1, 0.03), 0.09, 0.5);
    return s;
}

Samples freeze() {
    Samples s = silence(1.2);
    const double partials[] = {2093, 2637, 3136, 3951, 4186, 5274};
    for (int i = 0; i < 6; ++i)
        addTone(
            s, i * 0.06, 1.1 - i * 0.06, sine, [=](double) { return partials[i]; },
            [=](double t) { return decayEnvelope(t, 0.004, 0.35) * (0.6 + 0.4 * std::sin(t * 30 + i)); });
    addInto(s, noiseHit(0.3, 31, 6000, 2.0, 0.05), 0.0, 0.4);
    return s;
}

Samples die() {
    Samples s = silence(1.0);
    addTone(
        s, 0, 1.0, [](double p) { return 0.6 * square(p) + 0.4 * triangle(p); },
        [](double t) { return (600 - 520 * t) * (1 + 0.06 * std::sin(t * 2 * kPi * 9)); },
        [](double t) { return decayEnvelope(t, 0.01, 0.45); });
    lowPass(s, 3000);
    return s;
}

Samples thunder(double seconds, std::uint32_t seed, double crack) {
    // Low rumble rolling in three waves, and (near) the crack of the strike at its start.
    Samples rumble = noiseBurst(seconds, seed);
    lowPass(rumble, 180);
    lowPass(rumble, 240);
    normalise(rumble, 1.0);
    Samples s = silence(seconds);
    const double waves[3][2] = {{0.0, 1.0}, {seconds * 0.22, 0.8}, {seconds * 0.5, 0.55}};
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = i / double(kRate);
        double level = 0.0;
        for (const auto& w : waves)
            if (t >= w[0]) level += w[1] * decayEnvelope(t - w[0], 0.08, seconds / 5.0);
        s[i] = rumble[i] * level;
    }
    Samples snap = noiseHit(0.5, seed + 2, 1800, 0.5, 0.06);
    normalise(snap, 1.0);
    addInto(s, snap, 0.0, crack);
    return s;
}

Samples rainLoop() {
    Samples s = noiseBurst(3.4, 41);
    highPass(s, 900);
    lowPass(s, 7000);
    for (double& x : s) x *= 0.35;
    Noise where{42};
    for (int i = 0; i < 70; ++i) {
        const double at = (where.next() * 0.5 + 0.5) * 3.2;
        const double pitch = 1500 + 1500 * (where.next() * 0.5 + 0.5);
        addInto(s, plop(pitch * 1.6, pitch, 0.05, 0.01), at, 0.25);
    }
    makeLoop(s, 0.4);
    normalise(s, kLoopPeak);
    return s;
}

Samples jingle(const double* notes, int count, double step, double hold) {
    Samples s = silence(step * count + hold);
    for (int i = 0; i < count; ++i) {
        const double f = notes[i];
        const double length = i == count - 1 ? hold : step * 1.6;
        addTone(
            s, i * step, length, [](double p) { return 0.5 * square(p, 0.25) + 0.5 * triangle(p); },
            [=](double) { return f; }, [=](double t) { return decayEnvelope(t, 0.005, length / 3); });
    }
    lowPass(s, 5000);
    return s;
}

Samples heartbeat() {
    // Lub-dub inside a 0.9 second period that starts and ends in silence, so it loops cleanly.
    Samples s = silence(0.9);
    const double at = 0.15;
    auto thump = [&](double at, double f, double gain) {
        addTone(
            s, at, 0.22, sine, [=](double t) { return f * (1.0 + 0.6 * std::exp(-t / 0.02)); },
            [=](double t) { return gain * decayEnvelope(t, 0.008, 0.05); });
    };
    thump(at, 55, 1.0);
    thump(at + 0.25, 48, 0.7);
    fadeEnds(s, 0.01);
    normalise(s, kEffectPeak);
    return s;
}

Samples shimmer() {
    Samples s = silence(1.1);
    for (int i = 0; i < 5; ++i) {
        const double base = 600 + i * 310;
        addTone(
            s, i * 0.05, 1.0, sine, [=](double t) { return base * (1 + 0.6 * t); },
            [=](double t) { return window(t, 1.0) * (0.5 + 0.5 * std::sin(t * 2 * kPi * 12 + i)); });
    }
    return s;
}

Samples sweep(double seconds, double from, double to, bool squareWave) {
    Samples s = silence(seconds);
    addTone(
        s, 0, seconds,
        [squareWave](double p) { return squareWave ? square(p) : 0.6 * sine(p) + 0.4 * triangle(p); },
        [=](double t) { return from * std::pow(to / from, t / seconds); },
        [=](double t) { return window(t + seconds * 0.1, seconds * 1.2); });
    lowPass(s, 6000);
    return s;
}

Samples laser() {
    Samples s = silence(0.35);
    addTone(
        s, 0, 0.35, [](double p) { return square(p, 0.3); },
        [](double t) { return 2400 * std::exp(-t / 0.08) + 180; },
        [](double t) { return decayEnvelope(t, 0.002, 0.12); });
    lowPass(s, 7000);
    return s;
}

Samples warp() {
    Samples s = silence(0.8);
    addTone(
        s, 0, 0.8, [](double p) { return 0.7 * sine(p) + 0.3 * saw(p); },
        [](double t) { return 300 + 1200 * std::sin(kPi * t / 0.8) + 80 * std::sin(t * 2 * kPi * 25); },
        [](double t) { return window(t, 0.8); });
    lowPass(s, 5000);
    return s;
}

Samples tick(double f, double seconds) {
    Samples s = silence(seconds);
    addTone(
        s, 0, seconds, triangle, [=](double) { return f; },
        [=](double t) { return decayEnvelope(t, 0.001, seconds / 4); });
    return s;
}

// --- Pond life -------------------------------------------------------------------------

Samples frogCroak(double pitch, int croaks, std::uint32_t) {
    Samples s = silence(0.35 * croaks + 0.2);
    for (int c = 0; c < croaks; ++c)
        addTone(
            s, c * 0.35, 0.25, [](double p) { return p < 0.15 ? 1.0 : -0.15; },
            [=](double t) { return pitch * (1.0 + 0.15 * t); }, [](double t) { return window(t, 0.25); });
    bandPass(s, pitch * 7, 1.5);
    return s;
}

Samples birdChirps(std::uint32_t seed, int chirps, double low, double high) {
    Samples s = silence(0.16 * chirps + 0.3);
    Noise vary{seed};
    for (int c = 0; c < chirps; ++c) {
        const double a = low + (high - low) * (vary.next() * 0.5 + 0.5);
        addTone(
            s, c * 0.16, 0.11, sine, [=](double t) { return a + 9000 * t; },
            [](double t) { return window(t, 0.11); });
    }
    return s;
}

Samples birdTrill() {
    Samples s = silence(1.2);
    addTone(
        s, 0.05, 1.0, sine, [](double t) { return 3200 + 500 * std::sin(t * 2 * kPi * 18) - 600 * t; },
        [](double t) { return window(t, 1.0) * (0.6 + 0.4 * std::sin(t * 2 * kPi * 18)); });
    return s;
}

Samples crickets() {
    Samples s = silence(1.6);
    addTone(
        s, 0, 1.6, sine, [](double) { return 4600; },
        [](double t) {
            const double pulse = std::fmod(t, 0.4);  // three quick chirps every 0.4 s
            return pulse < 0.15 ? std::pow(std::fabs(std::sin(pulse * 2 * kPi * 20)), 2) : 0.0;
        });
    fadeEnds(s, 0.02);
    return s;
}

Samples insectBuzz(std::uint32_t seed) {
    Samples s = noiseBurst(1.4, seed);
    bandPass(s, 6200, 6.0);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = i / double(kRate);
        s[i] *= window(t, 1.4) * (0.5 + 0.5 * std::sin(t * 2 * kPi * 60));
    }
    return s;
}

Samples drips() {
    // Drops falling from a leaf into still water, each with a faint echo off the bank.
    Samples s = silence(1.3);
    const double at[] = {0.0, 0.22, 0.5, 0.68, 0.98};
    const double pitch[] = {1300, 1600, 1150, 1450, 1250};
    for (int i = 0; i < 5; ++i) {
        const Samples drop = plop(pitch[i], pitch[i] * 2.2, 0.16, 0.02);
        addInto(s, drop, at[i], 1.0 - i * 0.12);
        addInto(s, drop, at[i] + 0.07, 0.3);
    }
    return s;
}

Samples wind() {
    Samples s = noiseBurst(2.4, 61);
    lowPass(s, 500);
    lowPass(s, 700);
    Samples whistle = silence(2.4);
    addTone(
        whistle, 0, 2.4, sine, [](double t) { return 520 + 90 * std::sin(t * 2.1); },
        [](double) { return 0.04; });
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = i / double(kRate);
        s[i] = (s[i] * 8 + whistle[i]) * window(t, 2.4);
    }
    return s;
}

Samples owlHoot() {
    Samples s = silence(1.4);
    const double at[] = {0.0, 0.45, 0.7};
    const double length[] = {0.35, 0.18, 0.5};
    for (int i = 0; i < 3; ++i)
        addTone(
            s, at[i], length[i], [](double p) { return sine(p) + 0.2 * sine(2 * p); },
            [=](double t) { return 390 - 40 * t / length[i]; },
            [=](double t) { return window(t, length[i]); });
    return s;
}

Samples toadTrill() {
    Samples s = silence(1.5);
    addTone(
        s, 0, 1.5, [](double p) { return triangle(p); }, [](double) { return 210; },
        [](double t) { return window(t, 1.5) * (std::sin(t * 2 * kPi * 22) > 0 ? 1.0 : 0.0); });
    lowPass(s, 1200);
    return s;
}

Samples bubbles() {
    Samples s = silence(1.0);
    Noise n{71};
    for (int i = 0; i < 9; ++i) {
        const double f = 500 + 700 * (n.next() * 0.5 + 0.5);
        addInto(s, plop(f * 0.6, f * 1.5, 0.08, 0.03), i * 0.09 + 0.02 * n.next(), 0.5 + 0.5 * (i % 2));
    }
    return s;
}

Samples dragonfly() {
    Samples s = silence(1.2);
    addTone(
        s, 0, 1.2, saw, [](double t) { return 110 + 15 * std::sin(t * 7); },
        [](double t) { return window(t, 1.2) * (0.5 + 0.5 * std::sin(t * 2 * kPi * 34)); });
    bandPass(s, 330, 1.0);
    return s;
}

Samples reeds() {
    Samples s = noiseBurst(1.6, 81);
    highPass(s, 2500);
    Noise gust{82};
    double level = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = i / double(kRate);
        level += 0.0004 * (std::fabs(gust.next()) - level);
        s[i] *= window(t, 1.6) * level * 6;
    }
    return s;
}

Samples fishSplash() {
    // A fish jumps: the splash, the body falling back, then rings of water lapping.
    Samples s = silence(1.0);
    addInto(s, noiseHit(0.6, 91, 900, 0.7, 0.12), 0.0, 1.0);
    addInto(s, plop(500, 200, 0.2, 0.04), 0.0, 0.8);
    addInto(s, noiseHit(0.4, 92, 600, 0.8, 0.08), 0.3, 0.6);
    Samples lap = noiseBurst(0.5, 93);
    lowPass(lap, 500);
    for (std::size_t i = 0; i < lap.size(); ++i) lap[i] *= window(i / double(kRate), 0.5) * 6.0;
    addInto(s, lap, 0.45, 0.5);
    addInto(s, plop(900, 1700, 0.1, 0.02), 0.35, 0.3);
    addInto(s, plop(1100, 2000, 0.1, 0.02), 0.6, 0.2);
    return s;
}

void save(const std::string& dat, const char* name, Samples s, double peak, bool fade) {
    if (fade) {
        highPass(s, 20.0);  // no offset: a speaker should rest where the sound rests
        fadeEnds(s, 0.005);
    }
    normalise(s, peak);
    if (!writeWav(dat + "/" + name, s)) reportFailure(name);
}

}  // namespace

void makeSounds(const std::string& dat) {
    // The loops are finished (levels and seams) by their makers; they are written unfaded.
    save(dat, "loop.wav", swishLoop(), kLoopPeak, false);
    save(dat, "rainloop.wav", rainLoop(), kLoopPeak, false);
    save(dat, "beat.wav", heartbeat(), kEffectPeak, false);
    save(dat, "drop.wav", plop(1100, 260, 0.3, 0.04), kEffectPeak, true);
    save(dat, "eat.wav", eat(), kEffectPeak, true);
    save(dat, "freeze.wav", freeze(), kEffectPeak, true);
    save(dat, "popo.wav", plop(500, 1500, 0.13, 0.03), kEffectPeak, true);
    save(dat, "die.wav", die(), kEffectPeak, true);
    save(dat, "thunder1.wav", thunder(2.6, 51, 0.9), kEffectPeak, true);
    save(dat, "thunder2.wav", thunder(2.2, 55, 0.15), kEffectPeak, true);
    const double win[] = {523.25, 659.25, 783.99, 1046.5, 783.99, 1046.5};
    save(dat, "accomplished.wav", jingle(win, 6, 0.13, 0.7), kEffectPeak, true);
    save(dat, "fade.wav", shimmer(), kEffectPeak, true);
    save(dat, "laser.wav", laser(), kEffectPeak, true);
    save(dat, "warp.wav", warp(), kEffectPeak, true);
    save(dat, "speedup.wav", sweep(0.55, 200, 950, false), kEffectPeak, true);
    save(dat, "speedown.wav", sweep(0.55, 950, 200, false), kEffectPeak, true);
    const double up[] = {523.25, 659.25, 783.99, 1046.5, 1318.5};
    save(dat, "lifeup.wav", jingle(up, 5, 0.07, 0.35), kEffectPeak, true);
    const double confirm[] = {783.99, 1046.5};
    save(dat, "start.wav", jingle(confirm, 2, 0.08, 0.25), kEffectPeak, true);
    save(dat, "select.wav", tick(1900, 0.04), kEffectPeak * 0.7, true);
    const Samples ambient[14] = {frogCroak(28, 3, 1),
                                 frogCroak(45, 2, 2),
                                 birdChirps(3, 4, 3000, 4200),
                                 birdTrill(),
                                 crickets(),
                                 insectBuzz(6),
                                 drips(),
                                 wind(),
                                 owlHoot(),
                                 toadTrill(),
                                 bubbles(),
                                 dragonfly(),
                                 reeds(),
                                 fishSplash()};
    for (int i = 0; i < 14; ++i)
        save(dat, ("env" + std::to_string(i + 1) + ".wav").c_str(), ambient[i], kAmbientPeak, true);
}
