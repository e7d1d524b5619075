#include "sound_recipes.hpp"

#include <algorithm>
#include <cmath>

namespace soundgen {

namespace {

// Peak levels of the files (dB below full scale). Effects sit a little under full scale so that
// playback gains only ever lower them; the ambience is far quieter still.
constexpr double effectPeak = -3.0;
constexpr double softEffectPeak = -6.0;
constexpr double ambiencePeak = -18.0;
constexpr double edgeFade = 0.002; // seconds
constexpr double tailFade = 0.06;  // seconds

double t(int i)
{
    return static_cast<double>(i) / sampleRate;
}

// The last part of a struck sound fades to nothing, so cutting it off makes no click.
Signal fadedOut(Signal signal)
{
    const std::size_t fade = std::min(signal.size(), static_cast<std::size_t>(samplesFor(tailFade)));
    for (std::size_t i = 0; i < fade; ++i)
        signal[signal.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
    return signal;
}

template <typename Sample>
Signal render(double seconds, Sample sample)
{
    Signal signal = silence(seconds);
    for (int i = 0; i < static_cast<int>(signal.size()); ++i)
        signal[static_cast<std::size_t>(i)] = sample(t(i));
    return signal;
}

Signal finished(Signal signal, double peak)
{
    normalise(signal, peak);
    softenEdges(signal, edgeFade);
    return signal;
}

// A soft wooden tick: a short band of noise around 1.8 kHz with a quiet ping under it.
Signal tick()
{
    Noise noise(11);
    BandPass band(1800.0, 4.0);
    LowPass soft(3000.0);
    Oscillator ping;
    return finished(render(0.05, [&](double s) {
        return soft(band(noise.white())) * strike(s, 0.001, 0.006) + 0.3f * ping.sine(1400.0) * strike(s, 0.001, 0.01);
    }), softEffectPeak);
}

// Two quick knocks a fifth apart, like a latch turning.
Signal click()
{
    const auto knock = [](double frequency) {
        Oscillator carrier, modulator;
        return render(0.04, [=](double s) mutable {
            const double bend = frequency * (1.0 + 0.8 * modulator.sine(frequency * 1.5) * strike(s, 0.0005, 0.004));
            return carrier.sine(bend) * strike(s, 0.0005, 0.008);
        });
    };
    Signal signal;
    mixInto(signal, knock(900.0), 0.0);
    mixInto(signal, knock(1350.0), 0.028, 0.8f);
    return finished(signal, softEffectPeak);
}

// A stone settling into soil: a falling low sine with a muffled noise thump.
Signal thud()
{
    Noise noise(23);
    LowPass soil(260.0), deeper(400.0);
    Oscillator body;
    return finished(render(0.45, [&](double s) {
        const double pitch = 55.0 + 65.0 * std::exp(-s / 0.05);
        const float thump = deeper(soil(noise.white()));
        return 0.9f * body.sine(pitch) * strike(s, 0.003, 0.11) + 4.0f * thump * strike(s, 0.001, 0.04);
    }), effectPeak);
}

// Chitin giving way: a dense crackle of tiny grains over a short low knock.
Signal crunch()
{
    Noise noise(37), grains(41);
    BandPass shell(2300.0, 1.2);
    LowPass knockTone(400.0), dull(3500.0);
    float grain = 0.0f;
    return finished(render(0.32, [&](double s) {
        if (grains.unit() < 0.012) // a new grain about every 4 ms
            grain = 0.4f + 0.6f * static_cast<float>(grains.unit());
        grain *= 0.985f;
        const float crackle = shell(noise.white()) * grain * strike(s, 0.002, 0.09);
        return dull(2.0f * crackle) + 1.5f * knockTone(noise.white()) * strike(s, 0.001, 0.02);
    }), effectPeak);
}

// A coin: bell-like inharmonic partials, struck twice as it bounces.
Signal clink()
{
    const auto strikeCoin = [](double base, double decay) {
        Oscillator a, b, c;
        return fadedOut(render(0.5, [=](double s) mutable {
            const float envelope = strike(s, 0.001, decay);
            return envelope * (a.sine(base) + 0.5f * b.sine(base * 2.76) * strike(s, 0.001, decay * 0.4) +
                               0.25f * c.sine(base * 5.40) * strike(s, 0.001, decay * 0.2));
        }));
    };
    Signal signal;
    mixInto(signal, strikeCoin(1568.0, 0.12), 0.0);
    mixInto(signal, strikeCoin(1568.0, 0.08), 0.09, 0.6f);
    return finished(signal, effectPeak);
}

// A low two-note horn (D3 down to A2), soft FM, with a slow swell: the treasure is shrinking.
Signal warning()
{
    Oscillator carrier, modulator;
    return finished(render(0.8, [&](double s) {
        const double note = s < 0.35 ? 146.8 : 110.0;
        const float envelope = bump(s, 0.0, 0.38) + bump(s, 0.33, 0.47);
        const double modulated = note * (1.0 + 0.6 * modulator.sine(note) * envelope);
        return carrier.sine(modulated) * envelope;
    }), softEffectPeak);
}

// Gnawing: eight scratchy bites a second; one second long so that it loops without a seam.
Signal gnaw()
{
    Noise noise(53);
    BandPass teeth(3200.0, 2.0);
    constexpr double bitesPerSecond = 8.0;
    Signal signal = render(1.1, [&](double s) {
        const double phase = std::fmod(s * bitesPerSecond, 1.0);
        const float bite = strike(phase, 0.01, 0.025) * (0.75f + 0.25f * static_cast<float>(std::sin(twoPi * s)));
        return teeth(noise.white()) * bite;
    });
    closeLoop(signal, 0.1);
    normalise(signal, softEffectPeak);
    return signal;
}

// A beetle arrives: a dry wing rattle that swells and fades.
Signal beetle()
{
    Noise noise(67);
    BandPass wings(900.0, 3.0);
    return finished(render(0.55, [&](double s) {
        const auto flutter = static_cast<float>(0.5 + 0.5 * std::sin(twoPi * 38.0 * s));
        return wings(noise.white()) * flutter * bump(s, 0.0, 0.55);
    }), softEffectPeak);
}

// A squirrel arrives: two quick rising chirps.
Signal squirrel()
{
    const auto chirp = []() {
        Oscillator voice;
        return render(0.07, [&](double s) {
            return voice.sine(2200.0 + 9000.0 * s) * bump(s, 0.0, 0.07);
        });
    };
    Signal signal;
    mixInto(signal, chirp(), 0.0);
    mixInto(signal, chirp(), 0.11, 0.8f);
    return finished(signal, softEffectPeak);
}

// A soft FM bell note of the given pitch and length.
Signal bell(double frequency, double seconds)
{
    Oscillator carrier, modulator;
    return fadedOut(render(seconds, [&](double s) {
        const float envelope = strike(s, 0.005, seconds * 0.35);
        const double modulated = frequency * (1.0 + 0.5 * modulator.sine(frequency * 2.0) * envelope);
        return carrier.sine(modulated) * envelope;
    }));
}

// Game over: a falling phrase G4 E4 C4, then a long G3.
Signal gameOver()
{
    Signal signal;
    mixInto(signal, bell(392.0, 0.5), 0.0);
    mixInto(signal, bell(329.6, 0.5), 0.28);
    mixInto(signal, bell(261.6, 0.5), 0.56);
    mixInto(signal, bell(196.0, 1.1), 0.84);
    return finished(signal, effectPeak);
}

// Pause steps down a fourth (E5 to B4), resume steps up again.
Signal twoNotes(double first, double second)
{
    Signal signal;
    mixInto(signal, bell(first, 0.16), 0.0);
    mixInto(signal, bell(second, 0.22), 0.09);
    return finished(signal, softEffectPeak);
}

// Quiet forest: wind in the leaves rising and falling, and now and then a distant bird. Eight seconds
// that loop without a seam: every slow change repeats within them.
Signal forest()
{
    constexpr double length = 8.0;   // seconds in the loop
    constexpr double overlap = 0.5;  // seconds cross-faded to close it
    Noise noise(79);
    LowPass leaves(700.0), leavesSofter(1400.0), body(180.0);
    Signal signal = render(length + overlap, [&](double s) {
        const double gust = 0.6 + 0.25 * std::sin(twoPi * s / length) + 0.15 * std::sin(twoPi * 3.0 * s / length + 1.0);
        const float white = noise.white();
        return static_cast<float>(gust) * (0.8f * leavesSofter(leaves(white)) + 1.2f * body(white));
    });
    const auto bird = []() {
        Oscillator voice;
        return render(0.18, [&](double s) {
            return voice.sine(3100.0 - 1200.0 * s / 0.18 + 150.0 * std::sin(twoPi * 25.0 * s)) * bump(s, 0.0, 0.18);
        });
    };
    mixInto(signal, bird(), 1.7, 0.05f);
    mixInto(signal, bird(), 1.95, 0.04f);
    mixInto(signal, bird(), 5.3, 0.035f);
    closeLoop(signal, overlap);
    normalise(signal, ambiencePeak);
    return signal;
}

} // namespace

std::vector<SoundFile> allSounds()
{
    return {
        {"tick.wav", tick()},
        {"click.wav", click()},
        {"thud.wav", thud()},
        {"crunch.wav", crunch()},
        {"clink.wav", clink()},
        {"warning.wav", warning()},
        {"gnaw.wav", gnaw()},
        {"beetle.wav", beetle()},
        {"squirrel.wav", squirrel()},
        {"game_over.wav", gameOver()},
        {"pause.wav", twoNotes(659.3, 493.9)},
        {"resume.wav", twoNotes(493.9, 659.3)},
        {"forest.wav", forest()},
    };
}

} // namespace soundgen
