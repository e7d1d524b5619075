#include "audio/sound_board.hpp"

#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <iostream>

namespace {

// Distances in world units: the player's camera looks at the field from about 1,500 units; sounds
// there play at their full gain and fade slowly beyond.
constexpr float referenceDistance = 1500.0f;
constexpr float rolloff = 1.0f;
// Headroom for the mix: several effects at once (chest visits in a row, a crunch, a landing) stay
// clear of full scale.
constexpr float masterGain = 0.6f;

ALenum formatOf(const WaveData& wave)
{
    return wave.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
}

// A new source, or 0 when the device has no more (its limit is the user's to set).
ALuint newSource()
{
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    return alGetError() == AL_NO_ERROR ? source : 0;
}

void deleteSource(ALuint& source)
{
    if (source == 0)
        return;
    alSourceStop(source);
    alDeleteSources(1, &source);
    source = 0;
}

// Sounds placed in the world fade with distance alike.
void fadeWithDistance(ALuint source)
{
    alSourcef(source, AL_REFERENCE_DISTANCE, referenceDistance);
    alSourcef(source, AL_ROLLOFF_FACTOR, rolloff);
}

} // namespace

SoundBoard::SoundBoard(bool startMuted, const std::string& folder, ConnectionProbe probe)
    : probe_(std::move(probe)), device_(std::make_unique<SoundDevice>()), muted_(startMuted)
{
    if (!audible()) {
        std::cerr << "Quarvel plays without sound: no audio device could be opened." << std::endl;
        return;
    }
    loadSounds(folder);
    startOnDevice();
}

SoundBoard::~SoundBoard()
{
    releaseDevice();
}

void SoundBoard::loadSounds(const std::string& folder)
{
    for (std::size_t i = 0; i < soundCount; ++i) {
        const std::string path = folder + soundFileName(static_cast<SoundId>(i));
        WaveRead read = readWaveFile(path);
        if (!read.wave)
            std::cerr << "Skipping sound file " << path << ": " << read.error << std::endl;
        waves_[i] = std::move(read.wave);
    }
}

// Everything a fresh device needs to sound as the last one did.
void SoundBoard::startOnDevice()
{
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    createBuffers();
    createSources();
    setMuted(muted_);
    placeListener();
    startLoop(forest_, SoundId::Forest, forestGain);
    if (gnawingAt_) {
        alSource3f(gnaw_, AL_POSITION, gnawingAt_->x, gnawingAt_->y, gnawingAt_->z);
        startLoop(gnaw_, SoundId::Gnaw, gnawGain);
    }
}

void SoundBoard::releaseDevice()
{
    if (!audible())
        return;
    for (ALuint& source : sources_)
        deleteSource(source);
    sources_.clear();
    oldest_ = 0;
    deleteSource(forest_);
    deleteSource(gnaw_);
    for (ALuint& buffer : buffers_) {
        if (buffer != 0)
            alDeleteBuffers(1, &buffer);
        buffer = 0;
    }
    device_.reset();
}

void SoundBoard::createBuffers()
{
    for (std::size_t i = 0; i < soundCount; ++i) {
        if (!waves_[i])
            continue;
        const WaveData& wave = *waves_[i];
        alGetError();
        alGenBuffers(1, &buffers_[i]);
        alBufferData(buffers_[i], formatOf(wave), wave.samples.data(),
                     static_cast<ALsizei>(wave.samples.size() * sizeof(int16_t)), wave.sampleRate);
        if (alGetError() != AL_NO_ERROR) {
            std::cerr << "Skipping sound file " << soundFileName(static_cast<SoundId>(i))
                      << ": OpenAL refused its samples" << std::endl;
            if (alIsBuffer(buffers_[i]))
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

// The loops first: with few sources on the device, the forest and the gnawing matter more than a
// sixteenth effect at once.
void SoundBoard::createSources()
{
    forest_ = newSource();
    gnaw_ = newSource();
    for (ALuint source = 0; sources_.size() < sourceCount && (source = newSource()) != 0;)
        sources_.push_back(source);
    for (ALuint source : sources_)
        fadeWithDistance(source);
    if (gnaw_ != 0)
        fadeWithDistance(gnaw_);
    if (forest_ != 0) {
        // The forest is all around: it moves with the listener.
        alSourcei(forest_, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(forest_, AL_POSITION, 0.0f, 0.0f, 0.0f);
    }
    if (sources_.size() < sourceCount)
        std::cerr << "Quarvel: the audio device gives " << sources_.size() << " of " << sourceCount
                  << " sources for sound effects; fewer play at once." << std::endl;
}

void SoundBoard::startLoop(ALuint source, SoundId sound, float gain)
{
    const ALuint buffer = buffers_[static_cast<std::size_t>(sound)];
    if (source == 0 || buffer == 0)
        return;
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcei(source, AL_LOOPING, AL_TRUE);
    alSourcef(source, AL_GAIN, gain);
    alSourcePlay(source);
}

void SoundBoard::checkDevice(Clock::time_point now)
{
    if (now < nextCheck_)
        return;
    if (audible() && !probe_(device_->device()))
        replaceDevice();
    else if (lost_)
        retryDevice();
    nextCheck_ = now + (lost_ ? retryInterval : checkInterval);
}

void SoundBoard::replaceDevice()
{
    const std::string lostName = device_->name();
    releaseDevice();
    device_ = std::make_unique<SoundDevice>();
    lost_ = !audible();
    std::cerr << "Quarvel: the audio device \"" << lostName << "\" was lost; ";
    if (lost_) {
        std::cerr << "playing without sound until one can be opened." << std::endl;
        return;
    }
    std::cerr << "playing on through \"" << device_->name() << "\"." << std::endl;
    startOnDevice();
}

void SoundBoard::retryDevice()
{
    device_ = std::make_unique<SoundDevice>();
    lost_ = !audible();
    if (lost_)
        return;
    std::cerr << "Quarvel: sound plays again through \"" << device_->name() << "\"." << std::endl;
    startOnDevice();
}

void SoundBoard::tell(const SoundEvent& event)
{
    if (!audible() || muted_)
        return;
    for (const Voice& voice : voicesFor(event))
        play(voice, event.where);
}

void SoundBoard::play(const Voice& voice, glm::vec3 where)
{
    const auto index = static_cast<std::size_t>(voice.sound);
    const ALuint buffer = buffers_[index];
    const auto now = Clock::now();
    if (buffer == 0 || now - lastStart_[index] < mergeTime)
        return;
    const ALuint source = nextSource();
    if (source == 0)
        return;
    lastStart_[index] = now;
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
    if (sources_.empty())
        return 0;
    const ALuint source = sources_[oldest_];
    oldest_ = (oldest_ + 1) % sources_.size();
    return source;
}

void SoundBoard::gnawingAt(std::optional<glm::vec3> where)
{
    const bool wasGnawing = gnawingAt_.has_value();
    gnawingAt_ = where;
    if (!audible() || gnaw_ == 0)
        return;
    if (where) {
        alSource3f(gnaw_, AL_POSITION, where->x, where->y, where->z);
        if (!wasGnawing)
            startLoop(gnaw_, SoundId::Gnaw, gnawGain);
    } else if (wasGnawing) {
        alSourceStop(gnaw_);
    }
}

void SoundBoard::listenFrom(glm::vec3 position, glm::vec3 front, glm::vec3 up)
{
    ear_ = position;
    front_ = front;
    up_ = up;
    checkDevice(Clock::now());
    if (audible())
        placeListener();
}

void SoundBoard::placeListener()
{
    const ALfloat orientation[] = {front_.x, front_.y, front_.z, up_.x, up_.y, up_.z};
    alListener3f(AL_POSITION, ear_.x, ear_.y, ear_.z);
    alListenerfv(AL_ORIENTATION, orientation);
}

void SoundBoard::setMuted(bool muted)
{
    muted_ = muted;
    if (audible())
        alListenerf(AL_GAIN, muted ? 0.0f : masterGain * volume_);
}

void SoundBoard::setVolume(int percent)
{
    volume_ = static_cast<float>(std::clamp(percent, 0, 100)) / 100.0f;
    setMuted(muted_);
}

float SoundBoard::listenerGain() const
{
    ALfloat gain = 0.0f;
    if (audible())
        alGetListenerf(AL_GAIN, &gain);
    return gain;
}

template <typename Test> bool SoundBoard::anySource(SoundId sound, Test test) const
{
    const ALuint buffer = buffers_[static_cast<std::size_t>(sound)];
    if (!audible() || buffer == 0)
        return false;
    std::vector<ALuint> all = sources_;
    all.push_back(forest_);
    all.push_back(gnaw_);
    for (ALuint source : all) {
        ALint held = 0;
        ALint state = AL_INITIAL;
        ALint looping = AL_FALSE;
        if (source == 0)
            continue;
        alGetSourcei(source, AL_BUFFER, &held);
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        alGetSourcei(source, AL_LOOPING, &looping);
        if (static_cast<ALuint>(held) == buffer && test(state, looping == AL_TRUE))
            return true;
    }
    return false;
}

bool SoundBoard::started(SoundId sound) const
{
    return anySource(sound, [](ALint state, bool) { return state != AL_INITIAL; });
}

bool SoundBoard::looping(SoundId sound) const
{
    return anySource(sound, [](ALint state, bool loops) { return state == AL_PLAYING && loops; });
}
