#include "audio/sound_board.hpp"

#include "audio/wave_file.hpp"

#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace {

// Distances in world units: the player's camera looks at the field from about 1,500 units; sounds
// there play at their full gain and fade slowly beyond.
constexpr float referenceDistance = 1500.0f;
constexpr float rolloff = 1.0f;
// Headroom for the mix: several effects at once (chest visits in a row, a crunch, a landing) stay
// clear of full scale.
constexpr float masterGain = 0.6f;

// Without a sound card the ALSA backend fills the console with its failed attempts; skip it then,
// unless the player has chosen backends or a configuration of their own.
void avoidAbsentSoundCards()
{
    if (std::getenv("ALSOFT_DRIVERS") != nullptr || std::getenv("ALSOFT_CONF") != nullptr)
        return;
    std::error_code error;
    if (!std::filesystem::exists("/dev/snd", error))
        setenv("ALSOFT_DRIVERS", "-alsa,-oss", 0);
}

ALenum formatOf(const WaveData& wave)
{
    return wave.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
}

} // namespace

SoundBoard::SoundBoard(bool startMuted, const std::string& folder) : muted_(startMuted)
{
    if (!openDevice())
        return;
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    loadSounds(folder);
    createSources();
    setMuted(startMuted);
    startLoop(forest_, SoundId::Forest, forestGain);
}

SoundBoard::~SoundBoard()
{
    if (context_ == nullptr)
        return;
    alSourceStopv(static_cast<ALsizei>(sources_.size()), sources_.data());
    alSourceStop(forest_);
    alSourceStop(gnaw_);
    alDeleteSources(static_cast<ALsizei>(sources_.size()), sources_.data());
    alDeleteSources(1, &forest_);
    alDeleteSources(1, &gnaw_);
    for (ALuint buffer : buffers_)
        if (buffer != 0)
            alDeleteBuffers(1, &buffer);
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
    alcCloseDevice(device_);
}

bool SoundBoard::openDevice()
{
    avoidAbsentSoundCards();
    device_ = alcOpenDevice(nullptr);
    if (device_ != nullptr) {
        context_ = alcCreateContext(device_, nullptr);
        if (context_ != nullptr && alcMakeContextCurrent(context_))
            return true;
        if (context_ != nullptr)
            alcDestroyContext(context_);
        context_ = nullptr;
        alcCloseDevice(device_);
        device_ = nullptr;
    }
    std::cerr << "Quarvel plays without sound: no audio device could be opened." << std::endl;
    return false;
}

void SoundBoard::loadSounds(const std::string& folder)
{
    for (std::size_t i = 0; i < soundCount; ++i) {
        const std::string path = folder + soundFileName(static_cast<SoundId>(i));
        const WaveRead read = readWaveFile(path);
        if (!read.wave) {
            std::cerr << "Skipping sound file " << path << ": " << read.error << std::endl;
            continue;
        }
        const WaveData& wave = *read.wave;
        alGenBuffers(1, &buffers_[i]);
        alBufferData(buffers_[i], formatOf(wave), wave.samples.data(),
                     static_cast<ALsizei>(wave.samples.size() * sizeof(int16_t)), wave.sampleRate);
        if (alGetError() != AL_NO_ERROR) {
            std::cerr << "Skipping sound file " << path << ": OpenAL refused its samples" << std::endl;
            alDeleteBuffers(1, &buffers_[i]);
            buffers_[i] = 0;
        }
    }
}

std::size_t SoundBoard::loadedSounds() const
{
    std::size_t loaded = 0;
    for (ALuint buffer : buffers_)
        loaded += buffer != 0 ? 1 : 0;
    return loaded;
}

void SoundBoard::createSources()
{
    alGenSources(static_cast<ALsizei>(sources_.size()), sources_.data());
    alGenSources(1, &forest_);
    alGenSources(1, &gnaw_);
    for (ALuint source : sources_) {
        alSourcef(source, AL_REFERENCE_DISTANCE, referenceDistance);
        alSourcef(source, AL_ROLLOFF_FACTOR, rolloff);
    }
    alSourcef(gnaw_, AL_REFERENCE_DISTANCE, referenceDistance);
    alSourcef(gnaw_, AL_ROLLOFF_FACTOR, rolloff);
    // The forest is all around: it moves with the listener.
    alSourcei(forest_, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(forest_, AL_POSITION, 0.0f, 0.0f, 0.0f);
}

void SoundBoard::startLoop(ALuint source, SoundId sound, float gain)
{
    const ALuint buffer = buffers_[static_cast<std::size_t>(sound)];
    if (buffer == 0)
        return;
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcei(source, AL_LOOPING, AL_TRUE);
    alSourcef(source, AL_GAIN, gain);
    alSourcePlay(source);
}

void SoundBoard::tell(const SoundEvent& event)
{
    if (context_ == nullptr || muted_)
        return;
    for (const Voice& voice : voicesFor(event))
        play(voice, event.where);
}

void SoundBoard::play(const Voice& voice, glm::vec3 where)
{
    const auto index = static_cast<std::size_t>(voice.sound);
    const ALuint buffer = buffers_[index];
    const auto now = std::chrono::steady_clock::now();
    if (buffer == 0 || now - lastStart_[index] < mergeTime)
        return;
    lastStart_[index] = now;
    const ALuint source = nextSource();
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcef(source, AL_GAIN, voice.gain);
    alSourcef(source, AL_PITCH, voice.pitch);
    alSourcei(source, AL_SOURCE_RELATIVE, voice.positional ? AL_FALSE : AL_TRUE);
    const glm::vec3 at = voice.positional ? where : glm::vec3(0.0f);
    alSource3f(source, AL_POSITION, at.x, at.y, at.z);
    alSourcePlay(source);
}

// A source that has finished, or else the next in turn (all busy: the oldest of a full round gives way).
ALuint SoundBoard::nextSource()
{
    for (ALuint source : sources_) {
        ALint state = AL_STOPPED;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING)
            return source;
    }
    const ALuint source = sources_[oldest_];
    oldest_ = (oldest_ + 1) % sources_.size();
    return source;
}

void SoundBoard::gnawingAt(std::optional<glm::vec3> where)
{
    if (context_ == nullptr)
        return;
    if (where) {
        alSource3f(gnaw_, AL_POSITION, where->x, where->y, where->z);
        if (!gnawing_)
            startLoop(gnaw_, SoundId::Gnaw, gnawGain);
    } else if (gnawing_) {
        alSourceStop(gnaw_);
    }
    gnawing_ = where.has_value();
}

void SoundBoard::listenFrom(glm::vec3 position, glm::vec3 front, glm::vec3 up)
{
    if (context_ == nullptr)
        return;
    const ALfloat orientation[] = {front.x, front.y, front.z, up.x, up.y, up.z};
    alListener3f(AL_POSITION, position.x, position.y, position.z);
    alListenerfv(AL_ORIENTATION, orientation);
}

void SoundBoard::setMuted(bool muted)
{
    muted_ = muted;
    if (context_ != nullptr)
        alListenerf(AL_GAIN, muted ? 0.0f : masterGain * volume_);
}

void SoundBoard::setVolume(int percent)
{
    volume_ = static_cast<float>(std::clamp(percent, 0, 100)) / 100.0f;
    setMuted(muted_);
}
