#include "tests/e2e/game_test.hpp"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace fs = std::filesystem;

GameTestSession& GameTest::start(const GameSession::Options& options)
{
    finish();
    game_ = std::make_unique<GameTestSession>(options);
    return *game_;
}

void GameTest::TearDown()
{
    finish();
}

// Ends the game, which must quit with status 0. The screenshots of a failed test are kept, and those of
// every test when QUARVEL_TEST_SHOTS names a folder.
void GameTest::finish()
{
    if (game_ == nullptr)
        return;
    if (game_->running()) {
        EXPECT_EQ(game_->quit(), 0) << game_->errors();
    }
    const char* wanted = std::getenv("QUARVEL_TEST_SHOTS");
    if (HasFailure() || wanted != nullptr) {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        const fs::path base = wanted != nullptr ? fs::path(wanted) : fs::temp_directory_path() / "quarvel-failed-shots";
        const fs::path folder = base / (std::string(test->test_suite_name()) + "." + test->name() + "-" +
                                        std::to_string(getpid()));
        std::error_code error;
        fs::create_directories(folder, error);
        game_->saveShots(folder.string());
        std::cerr << "Screenshots of " << test->name() << ": " << folder.string() << '\n';
    }
    game_.reset();
}

double brightness(const ScreenImage& image, const ScreenRegion& region)
{
    double rgb[3] = {};
    image.meanColour(region, rgb);
    return (rgb[0] + rgb[1] + rgb[2]) / 3.0;
}

bool pausePanelOver(const ScreenImage& playing, const ScreenImage& screen)
{
    return screen.changedShare(playing, pauseBox) > 0.3 &&
           brightness(screen, pauseBox) < 0.6 * brightness(playing, pauseBox);
}

bool helpPanelOver(const ScreenImage& playing, const ScreenImage& screen)
{
    constexpr int dark = 70;
    const int area = helpPanelFoot.width * helpPanelFoot.height;
    return screen.darkPixels(helpPanelFoot, dark) > area * 7 / 10 &&
           screen.darkPixels(helpPanelFoot, dark) > playing.darkPixels(helpPanelFoot, dark);
}

int landingTests(const std::string& output)
{
    int tests = 0;
    std::size_t lineStart = 0;
    for (std::size_t end = output.find('\n', lineStart); end != std::string::npos; end = output.find('\n', lineStart)) {
        std::string line = output.substr(lineStart, end - lineStart);
        for (const char* withoutLineBreak : {"HAPPENS", "YES", "Culling", "LIFEPOINTS--", "FLYIN"})
            for (std::size_t at = line.find(withoutLineBreak); at != std::string::npos; at = line.find(withoutLineBreak))
                line.erase(at, std::string(withoutLineBreak).size());
        tests += line.empty();
        lineStart = end + 1;
    }
    return tests;
}
