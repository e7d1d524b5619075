#include "synth.hpp"

#include <algorithm>
#include <cmath>

namespace soundgen {

int samplesFor(double seconds)
{
    return static_cast<int>(std::lround(seconds * sampleRate));
}

Signal silence(double seconds)
{
    return Signal(static_cast<std::size_t>(samplesFor(seconds)), 0.0f);
}

double Noise::unit()
{
    state_ += 0x9E3779B97F4A7C15ull;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) / 9007199254740992.0; // 53 bits
}

float Noise::white()
{
    return static_cast<float>(unit() * 2.0 - 1.0);
}

float Oscillator::sine(double frequency)
{
    const float value = static_cast<float>(std::sin(phase_));
    phase_ = std::fmod(phase_ + twoPi * frequency / sampleRate, twoPi);
    return value;
}

float strike(double t, double attack, double decay)
{
    if (t < 0.0)
        return 0.0f;
    if (t < attack)
        return static_cast<float>(t / attack);
    return static_cast<float>(std::exp(-(t - attack) / decay));
}

float bump(double t, double start, double length)
{
    const double u = (t - start) / length;
    if (u <= 0.0 || u >= 1.0)
        return 0.0f;
    return static_cast<float>(0.5 - 0.5 * std::cos(twoPi * u));
}

LowPass::LowPass(double cutoff)
    : coefficient_(static_cast<float>(1.0 - std::exp(-twoPi * cutoff / sampleRate)))
{
}

float LowPass::operator()(float x)
{
    state_ += coefficient_ * (x - state_);
    return state_;
}

BandPass::BandPass(double centre, double q)
{
    // The usual constant-peak-gain band-pass biquad.
    const double w = twoPi * centre / sampleRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    b0_ = static_cast<float>(alpha / a0);
    b2_ = static_cast<float>(-alpha / a0);
    a1_ = static_cast<float>(-2.0 * std::cos(w) / a0);
    a2_ = static_cast<float>((1.0 - alpha) / a0);
}

float BandPass::operator()(float x)
{
    const float y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

void mixInto(Signal& target, const Signal& source, double at, float gain)
{
    const auto start = static_cast<std::size_t>(samplesFor(at));
    target.resize(std::max(target.size(), start + source.size()), 0.0f);
    for (std::size_t i = 0; i < source.size(); ++i)
        target[start + i] += gain * source[i];
}

void normalise(Signal& signal, double peakDecibels)
{
    float peak = 0.0f;
    for (float s : signal)
        peak = std::max(peak, std::fabs(s));
    if (peak == 0.0f)
        return;
    const auto scale = static_cast<float>(std::pow(10.0, peakDecibels / 20.0) / peak);
    for (float& s : signal)
        s *= scale;
}

void softenEdges(Signal& signal, double fadeSeconds)
{
    const auto fade = std::min(static_cast<std::size_t>(samplesFor(fadeSeconds)), signal.size() / 2);
    for (std::size_t i = 0; i < fade; ++i) {
        const float g = static_cast<float>(i) / static_cast<float>(fade);
        signal[i] *= g;
        signal[signal.size() - 1 - i] *= g;
    }
}

void closeLoop(Signal& signal, double overlapSeconds)
{
    const auto overlap = static_cast<std::size_t>(samplesFor(overlapSeconds));
    const std::size_t length = signal.size() - overlap;
    for (std::size_t i = 0; i < overlap; ++i) {
        // Equal-power cross-fade: the tail fades out over the head fading in.
        const double u = static_cast<double>(i) / static_cast<double>(overlap);
        const auto in = static_cast<float>(std::sin(u * twoPi / 4.0));
        const auto out = static_cast<float>(std::cos(u * twoPi / 4.0));
        signal[i] = signal[i] * in + signal[length + i] * out;
    }
    signal.resize(length);
}

} // namespace soundgen
