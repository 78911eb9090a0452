// Oscillators, noise, filters, envelopes, the loop and level finishing and the WAVE writer.
#include "tools/assetgen/synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kPi = 3.14159265358979323846;

void putLe(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

}  // namespace

std::size_t sampleCount(double seconds) {
    return static_cast<std::size_t>(std::lround(std::max(0.0, seconds) * kRate));
}

Samples silence(double seconds) {
    return Samples(sampleCount(seconds), 0.0);
}

double Noise::next() {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) / 8388607.5 - 1.0;
}

double sine(double phase) {
    return std::sin(2 * kPi * phase);
}
double triangle(double phase) {
    return 4.0 * std::fabs(phase - 0.5) - 1.0;
}
// Zero-mean for any duty cycle, so narrow pulses carry no offset.
double square(double phase, double duty) {
    return 1.4 * (phase < duty ? 1.0 - duty : -duty);
}
double saw(double phase) {
    return 2.0 * phase - 1.0;
}

double decayEnvelope(double t, double attack, double decay) {
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

double window(double t, double length) {
    if (t <= 0.0 || t >= length) return 0.0;
    return 0.5 - 0.5 * std::cos(2 * kPi * t / length);
}

void lowPass(Samples& s, double cutoff) {
    const double a = 1.0 - std::exp(-2 * kPi * cutoff / kRate);
    double y = 0.0;
    for (double& x : s) {
        y += a * (x - y);
        x = y;
    }
}

void highPass(Samples& s, double cutoff) {
    Samples low = s;
    lowPass(low, cutoff);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] -= low[i];
}

void bandPass(Samples& s, double centre, double q) {
    // A biquad band-pass (constant peak gain).
    const double w = 2 * kPi * centre / kRate;
    const double alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    const double b0 = alpha / a0, b2 = -alpha / a0;
    const double a1 = -2 * std::cos(w) / a0, a2 = (1 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (double& x : s) {
        const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        x = y;
    }
}

void normalise(Samples& s, double peak) {
    double top = 0.0;
    for (double x : s) top = std::max(top, std::fabs(x));
    if (top <= 0.0) return;
    for (double& x : s) x *= peak / top;
}

void fadeEnds(Samples& s, double seconds) {
    const std::size_t n = std::min(sampleCount(seconds), s.size() / 2);
    for (std::size_t i = 0; i < n; ++i) {
        const double g = static_cast<double>(i) / n;
        s[i] *= g;
        s[s.size() - 1 - i] *= g;
    }
}

void makeLoop(Samples& s, double overlap) {
    const std::size_t f = sampleCount(overlap);
    if (f == 0 || f * 2 > s.size()) return;
    const std::size_t n = s.size() - f;
    for (std::size_t i = 0; i < f; ++i) {
        // Equal-power cross-fade: the tail of the sound flows into its own beginning.
        const double t = (i + 0.5) / f;
        s[i] = s[i] * std::sin(t * kPi / 2) + s[n + i] * std::cos(t * kPi / 2);
    }
    s.resize(n);
}

bool writeWav(const std::string& path, const Samples& s) {
    std::vector<std::uint8_t> out;
    const auto dataBytes = static_cast<std::uint32_t>(s.size() * 2);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    putLe(out, 36 + dataBytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLe(out, 16, 4);
    putLe(out, 1, 2);  // PCM
    putLe(out, 1, 2);  // mono
    putLe(out, kRate, 4);
    putLe(out, kRate * 2, 4);
    putLe(out, 2, 2);
    putLe(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    putLe(out, dataBytes, 4);
    for (double x : s) {
        const long v = std::lround(std::clamp(x, -1.0, 1.0) * 32767.0);
        putLe(out, static_cast<std::uint32_t>(static_cast<std::int16_t>(v)) & 0xFFFF, 2);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && ok;
}
