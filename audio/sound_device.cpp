#include "audio/sound_device.hpp"

#include <AL/alext.h>

#include <cstdlib>
#include <filesystem>

void SoundDevice::chooseBackends()
{
    // Without a sound card the ALSA backend fills the console with its failed attempts; skip it then,
    // unless the player has chosen backends or a configuration of their own.
    if (std::getenv("ALSOFT_DRIVERS") != nullptr || std::getenv("ALSOFT_CONF") != nullptr)
        return;
    std::error_code error;
    if (!std::filesystem::exists("/dev/snd", error))
        setenv("ALSOFT_DRIVERS", "-alsa,-oss", 0);
}

SoundDevice::SoundDevice()
{
    device_ = alcOpenDevice(nullptr);
    if (device_ == nullptr)
        return;
    context_ = alcCreateContext(device_, nullptr);
    if (context_ != nullptr && alcMakeContextCurrent(context_))
        return;
    if (context_ != nullptr)
        alcDestroyContext(context_);
    context_ = nullptr;
    alcCloseDevice(device_);
    device_ = nullptr;
}

SoundDevice::~SoundDevice()
{
    if (context_ == nullptr)
        return;
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
    alcCloseDevice(device_);
}

std::string SoundDevice::name() const
{
    const ALCchar* name = device_ != nullptr ? alcGetString(device_, ALC_DEVICE_SPECIFIER) : nullptr;
    return name != nullptr ? name : "";
}

bool SoundDevice::connected(ALCdevice* device)
{
    if (device == nullptr || alcIsExtensionPresent(device, "ALC_EXT_disconnect") != ALC_TRUE)
        return true;
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(device, ALC_CONNECTED, 1, &connected);
    return connected != ALC_FALSE;
}
