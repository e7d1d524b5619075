#pragma once
// Building blocks of the sound generator: noise, oscillators, envelopes, filters and mixing, all deterministic.

#include <cstdint>
#include <vector>

namespace soundgen {

constexpr int sampleRate = 22050; // Hz; plenty for soft effects, half the bytes of CD rate
constexpr double twoPi = 6.283185307179586;

// Mono samples in [-1, 1].
using Signal = std::vector<float>;

int samplesFor(double seconds);
Signal silence(double seconds);

// Fixed-seed white noise (splitmix64): the same samples on every run and every machine.
class Noise {
public:
    explicit Noise(uint64_t seed) : state_(seed) {}
    float white();          // [-1, 1)
    double unit();          // [0, 1)
private:
    uint64_t state_;
};

// A sine oscillator whose frequency may change every sample without jumps in phase.
class Oscillator {
public:
    float sine(double frequency);
    double phase() const { return phase_; }
private:
    double phase_ = 0.0; // radians
};

// Linear attack, then exponential decay with the given time constant (seconds).
float strike(double t, double attack, double decay);
// 0 outside [start, start + length], a raised-cosine bump inside.
float bump(double t, double start, double length);

// One-pole low-pass (cutoff in Hz); its state carries from sample to sample.
class LowPass {
public:
    explicit LowPass(double cutoff);
    float operator()(float x);
private:
    float coefficient_;
    float state_ = 0.0f;
};

// Two-pole band-pass around a centre frequency (Hz) with quality q, unity gain at the centre.
class BandPass {
public:
    BandPass(double centre, double q);
    float operator()(float x);
private:
    float b0_, b2_, a1_, a2_;
    float x1_ = 0.0f, x2_ = 0.0f, y1_ = 0.0f, y2_ = 0.0f;
};

// Adds source, scaled by gain, into target from the given time on; target grows as needed.
void mixInto(Signal& target, const Signal& source, double at, float gain = 1.0f);
// Scales so the loudest sample sits at the given level (dB below full scale, negative).
void normalise(Signal& signal, double peakDecibels);
// Short fades at both ends so no sound starts or stops with a click.
void softenEdges(Signal& signal, double fadeSeconds);
// Makes a loop seamless: the last overlap seconds are cross-faded onto the start and cut off.
void closeLoop(Signal& signal, double overlapSeconds);

} // namespace soundgen
