#pragma once
// One open OpenAL device with its context made current: opened on the default device, closed once.

#include <AL/alc.h>

#include <string>

class SoundDevice {
public:
    // Picks OpenAL's backends for this machine through the environment. Call it before any other thread
    // starts (before glfwInit): setenv is not safe while other threads read the environment.
    static void chooseBackends();

    // Opens the default device and makes a new context on it current; not open when either fails.
    SoundDevice();
    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    bool isOpen() const { return context_ != nullptr; }
    ALCdevice* device() const { return device_; }
    // The device's name for notes; empty when not open.
    std::string name() const;

    // OpenAL's own answer (ALC_EXT_disconnect) whether the device is still there: false once a USB
    // headset is unplugged or the sound server went away. True where the extension is missing.
    static bool connected(ALCdevice* device);

private:
    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
};
