#pragma once
// OpenAL playback of the game's sounds: owns the device, the context, one buffer per sound and a pool
// of sources. Without a device it stays silent and the game goes on; a device that goes away is
// replaced by the default one.

#include "audio/sound_catalogue.hpp"
#include "audio/sound_device.hpp"
#include "audio/sound_output.hpp"
#include "audio/wave_file.hpp"

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class SoundBoard : public SoundOutput {
public:
    using Clock = std::chrono::steady_clock;
    // Whether the open device is still there; SoundDevice::connected, or a stand-in in tests.
    using ConnectionProbe = std::function<bool(ALCdevice*)>;

    static constexpr std::size_t sourceCount = 16; // one-shots heard at once; the oldest gives way
    // A sound started again this soon is not started: five chest visits in five frames make one clink
    // rather than a pile-up that would clip.
    static constexpr std::chrono::milliseconds mergeTime{80};
    // How often the device is asked whether it is still there, and how often a lost device that could
    // not be replaced is tried again (opening one is slow and may complain on the console).
    static constexpr std::chrono::seconds checkInterval{1};
    static constexpr std::chrono::seconds retryInterval{5};

    // Opens the default device and loads every sound from the folder (all reading happens here).
    // No device: one note on standard error. A damaged or missing file: one note, that sound stays silent.
    explicit SoundBoard(bool startMuted = false, const std::string& folder = soundFolder,
                        ConnectionProbe probe = SoundDevice::connected);
    ~SoundBoard() override;
    SoundBoard(const SoundBoard&) = delete;
    SoundBoard& operator=(const SoundBoard&) = delete;

    void tell(const SoundEvent& event) override;
    void gnawingAt(std::optional<glm::vec3> where) override;
    // Called every frame: also checks the device when a check is due.
    void listenFrom(glm::vec3 position, glm::vec3 front, glm::vec3 up) override;
    void setMuted(bool muted) override;
    bool muted() const override { return muted_; }
    // The whole mix's loudness, 0 to 100 percent of the game's own (the settings file's volume).
    void setVolume(int percent);

    // At most once per checkInterval: a device found lost is closed with one note and the default device
    // opened in its place, with the sounds, the loops, the listener and muting as they were. While no
    // device can be opened, it is tried again every retryInterval.
    void checkDevice(Clock::time_point now);

    // True when a device is open and sounds can be heard.
    bool audible() const { return device_ && device_->isOpen(); }
    // Sounds loaded into buffers (at most soundCount).
    std::size_t loadedSounds() const;
    // Sources the device gave for one-shots (at most sourceCount; fewer where it has few).
    std::size_t effectSources() const { return sources_.size(); }
    // A source holds the sound and was started (it may have ended since).
    bool started(SoundId sound) const;
    // A source plays the sound in a loop now.
    bool looping(SoundId sound) const;
    // The gain every sound passes through last: 0 while muted.
    float listenerGain() const;

private:
    void loadSounds(const std::string& folder);
    void startOnDevice();
    void releaseDevice();
    void replaceDevice();
    void retryDevice();
    void createBuffers();
    void createSources();
    void startLoop(unsigned source, SoundId sound, float gain);
    void placeListener();
    unsigned nextSource();
    void play(const Voice& voice, glm::vec3 where);
    template <typename Test> bool anySource(SoundId sound, Test test) const;

    ConnectionProbe probe_;
    std::unique_ptr<SoundDevice> device_;
    std::array<std::optional<WaveData>, soundCount> waves_{}; // decoded once, for every device
    std::array<unsigned, soundCount> buffers_{};  // 0 where the file was not loaded
    std::vector<unsigned> sources_;               // one-shots
    std::size_t oldest_ = 0;                      // the source to take when all are busy
    std::array<Clock::time_point, soundCount> lastStart_{};
    unsigned forest_ = 0;                         // the ambience loop; 0 when the device had no source
    unsigned gnaw_ = 0;                           // the gnawing loop; likewise
    std::optional<glm::vec3> gnawingAt_;
    glm::vec3 ear_{0.0f};
    glm::vec3 front_{0.0f, 0.0f, -1.0f};
    glm::vec3 up_{0.0f, 1.0f, 0.0f};
    bool muted_ = false;
    bool lost_ = false;                           // a device was lost and none has replaced it yet
    Clock::time_point nextCheck_{};
    float volume_ = 1.0f; // share of the game's own loudness
};
