#include "audio/sound_catalogue.hpp"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::array<const char*, soundCount> fileNames{
    "tick.wav",     "click.wav",     "thud.wav",  "crunch.wav",  "clink.wav", "warning.wav", "gnaw.wav",
    "beetle.wav",   "squirrel.wav",  "game_over.wav", "pause.wav", "resume.wav", "forest.wav"};

// Landing thuds: the four-cube stones at the recorded pitch, bigger stones lower, smaller ones higher.
constexpr int referenceStoneCells = 4;
constexpr float lowestLandingPitch = 0.6f;
constexpr float highestLandingPitch = 1.4f;

float landingPitch(int cells)
{
    const float ratio = static_cast<float>(referenceStoneCells) / static_cast<float>(std::max(cells, 1));
    // A square root keeps an eight-cube stone a fifth lower rather than an octave.
    return std::clamp(std::sqrt(ratio), lowestLandingPitch, highestLandingPitch);
}

Voices one(SoundId sound, float gain, float pitch = 1.0f, bool positional = true)
{
    Voices voices;
    voices.list[0] = {sound, gain, pitch, positional};
    voices.count = 1;
    return voices;
}

} // namespace

const char* soundFileName(SoundId sound)
{
    return fileNames[static_cast<std::size_t>(sound)];
}

Voices voicesFor(const SoundEvent& event)
{
    switch (event.what) {
    case Happening::StoneMoved: return one(SoundId::Tick, 0.5f);
    case Happening::StoneTurned: return one(SoundId::Click, 0.5f);
    case Happening::StoneLanded: return one(SoundId::Thud, 1.0f, landingPitch(event.stoneCells));
    // A stone falling again after a gnawing lands softer and a little higher: it fell a short way.
    case Happening::ReleasedStoneLanded: return one(SoundId::Thud, 0.7f, 1.15f);
    case Happening::CreatureSmashed: return one(SoundId::Crunch, 0.9f);
    case Happening::ChestReached: {
        Voices voices = one(SoundId::Clink, 0.7f);
        voices.list[1] = {SoundId::Warning, 0.6f, 1.0f, false};
        voices.count = 2;
        return voices;
    }
    case Happening::BeetleArrived: return one(SoundId::Beetle, 0.6f);
    case Happening::SquirrelArrived: return one(SoundId::Squirrel, 0.5f);
    case Happening::GameOver: return one(SoundId::GameOver, 0.9f, 1.0f, false);
    case Happening::Paused: return one(SoundId::Pause, 0.6f, 1.0f, false);
    case Happening::Resumed: return one(SoundId::Resume, 0.6f, 1.0f, false);
    }
    return {};
}
