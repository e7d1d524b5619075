#pragma once
// OpenAL playback of the game's sounds: owns the device, the context, one buffer per sound and a pool
// of sources. Without a device it stays silent and the game goes on.

#include "audio/sound_catalogue.hpp"
#include "audio/sound_output.hpp"

#include <AL/alc.h>

#include <array>
#include <chrono>
#include <string>


class SoundBoard : public SoundOutput {
public:
    static constexpr std::size_t sourceCount = 16; // one-shots heard at once; the oldest gives way
    // A sound started again this soon is not started: five chest visits in five frames make one clink
    // rather than a pile-up that would clip.
    static constexpr std::chrono::milliseconds mergeTime{80};

    // Opens the default device and loads every sound from the folder (all reading happens here).
    // No device: one note on standard error. A damaged or missing file: one note, that sound stays silent.
    explicit SoundBoard(bool startMuted = false, const std::string& folder = soundFolder);
    ~SoundBoard() override;
    SoundBoard(const SoundBoard&) = delete;
    SoundBoard& operator=(const SoundBoard&) = delete;

    void tell(const SoundEvent& event) override;
    void gnawingAt(std::optional<glm::vec3> where) override;
    void listenFrom(glm::vec3 position, glm::vec3 front, glm::vec3 up) override;
    void setMuted(bool muted) override;
    bool muted() const override { return muted_; }
    // The whole mix's loudness, 0 to 100 percent of the game's own (the settings file's volume).
    void setVolume(int percent);

    // True when a device is open and sounds can be heard.
    bool audible() const { return context_ != nullptr; }
    // Sounds loaded into buffers (at most soundCount).
    std::size_t loadedSounds() const;

private:
    bool openDevice();
    void loadSounds(const std::string& folder);
    void createSources();
    void startLoop(unsigned source, SoundId sound, float gain);
    unsigned nextSource();
    void play(const Voice& voice, glm::vec3 where);

    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
    std::array<unsigned, soundCount> buffers_{};   // 0 where the file was not loaded
    std::array<unsigned, sourceCount> sources_{};  // one-shots
    std::size_t oldest_ = 0;                       // the source to take when all are busy
    std::array<std::chrono::steady_clock::time_point, soundCount> lastStart_{};
    unsigned forest_ = 0;                          // the ambience loop
    unsigned gnaw_ = 0;                            // the gnawing loop
    bool gnawing_ = false;
    bool muted_ = false;
    float volume_ = 1.0f; // share of the game's own loudness
};
