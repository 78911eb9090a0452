// A small sound synthesiser for the game's effects: oscillators with gliding pitch, seeded
// noise, one-pole and band-pass filters, envelopes, and the finishing steps every sound goes
// through (normalising, click-free ends, seamless loops) before it is written as RIFF WAVE
// PCM, 22,050 Hz, 16-bit mono.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kRate = 22050;
using Samples = std::vector<double>;

Samples silence(double seconds);
std::size_t sampleCount(double seconds);

// A deterministic noise source (linear congruential, fixed seed per sound).
struct Noise {
    std::uint32_t state = 1;
    double next();  // -1..1
};

// Oscillator shapes evaluated at a phase in turns (0..1).
double sine(double phase);
double triangle(double phase);
double square(double phase, double duty = 0.5);
double saw(double phase);

// Adds shape(freq(t)) * amplitude(t) to out from start seconds for seconds.
template <typename Shape, typename Freq, typename Amp>
void addTone(Samples& out, double start, double seconds, Shape shape, Freq freq, Amp amp) {
    double phase = 0.0;
    const std::size_t first = sampleCount(start);
    const std::size_t count = sampleCount(seconds);
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        out[first + i] += shape(phase) * static_cast<double>(amp(t));
        phase += static_cast<double>(freq(t)) / kRate;
        phase -= static_cast<double>(static_cast<long>(phase));
    }
}

// Envelopes: exponential decay with attack, and a raised-cosine window.
double decayEnvelope(double t, double attack, double decay);
double window(double t, double length);

// Filters, in place.
void lowPass(Samples& s, double cutoff);
void highPass(Samples& s, double cutoff);
void bandPass(Samples& s, double centre, double q);

// Finishing.
void normalise(Samples& s, double peak);
void fadeEnds(Samples& s, double seconds);
// Folds the last overlap seconds into the start with a cross-fade, so the sound loops
// without a seam; the result is overlap seconds shorter.
void makeLoop(Samples& s, double overlap);

bool writeWav(const std::string& path, const Samples& s);
