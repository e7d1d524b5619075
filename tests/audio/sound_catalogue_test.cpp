// Which sounds the game's happenings play: every one is heard, and the differences a player should notice.

#include "audio/sound_catalogue.hpp"
#include "tests/support/run_program.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr Happening everyHappening[] = {
    Happening::StoneMoved,      Happening::StoneTurned,   Happening::StoneLanded,
    Happening::ReleasedStoneLanded, Happening::CreatureSmashed, Happening::ChestReached,
    Happening::BeetleArrived,   Happening::SquirrelArrived, Happening::GameOver,
    Happening::Paused,          Happening::Resumed};

Voice firstVoice(Happening what, int stoneCells = 4)
{
    const Voices voices = voicesFor(SoundEvent{what, glm::vec3(0.0f), stoneCells});
    return voices.count > 0 ? voices.list[0] : Voice{};
}

TEST(SoundCatalogue, EveryHappeningPlaysAnExistingFileWithinFullScale)
{
    for (Happening what : everyHappening) {
        const Voices voices = voicesFor(SoundEvent{what});
        ASSERT_GE(voices.count, 1u) << static_cast<int>(what);
        for (const Voice& voice : voices) {
            EXPECT_GT(voice.gain, 0.0f);
            EXPECT_LE(voice.gain, 1.0f);
            EXPECT_NE(voice.sound, SoundId::Forest) << "the ambience is a loop, not an effect";
            EXPECT_TRUE(std::filesystem::exists(std::string(sourceDir()) + "/" + soundFolder +
                                                soundFileName(voice.sound)));
        }
    }
}

TEST(SoundCatalogue, LandingsFollowTheStoneAndTheChestWarnsEverywhere)
{
    const Voice small = firstVoice(Happening::StoneLanded, 4);
    const Voice big = firstVoice(Happening::StoneLanded, 8);
    EXPECT_EQ(small.sound, SoundId::Thud);
    EXPECT_LT(big.pitch, small.pitch) << "a bigger stone lands deeper";
    EXPECT_GT(big.pitch, 0.5f) << "but stays a thud, not a rumble";
    EXPECT_LT(firstVoice(Happening::ReleasedStoneLanded).gain, small.gain);
    EXPECT_TRUE(firstVoice(Happening::CreatureSmashed).positional) << "a crush on the left is heard on the left";

    const Voices chest = voicesFor(SoundEvent{Happening::ChestReached});
    ASSERT_EQ(chest.count, 2u);
    EXPECT_EQ(chest.list[0].sound, SoundId::Clink);
    EXPECT_EQ(chest.list[1].sound, SoundId::Warning);
    EXPECT_FALSE(chest.list[1].positional) << "the warning is heard wherever the camera is";
    EXPECT_FALSE(firstVoice(Happening::GameOver).positional);
}

} // namespace
