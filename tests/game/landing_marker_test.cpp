// The landing marker in the game's picture: every stone in two turns, over the ground and over a stack.

#include "tests/field/all_stones.hpp"
#include "tests/game/game_fixture.hpp"
#include "tests/render/render_test_support.hpp"

#include <algorithm>

namespace {

// Pixel rectangle (rows from the top) that holds the cells' boxes on screen.
struct Rect {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

Rect screenRect(const std::vector<glm::ivec3>& cells, const glm::mat4& projView)
{
    Rect r;
    for (const glm::ivec3& c : cells) // (x, z, level); a cell's box is centred in x and z, floor at its level
        for (int corner = 0; corner < 8; ++corner) {
            const glm::vec4 clip = projView * glm::vec4(100.0f * c.x + ((corner & 1) ? 50.0f : -50.0f),
                                                        100.0f * c.z + ((corner & 2) ? 100.0f : 0.0f),
                                                        100.0f * c.y + ((corner & 4) ? 50.0f : -50.0f), 1.0f);
            const int x = static_cast<int>((clip.x / clip.w + 1.0f) * 512.0f);
            const int y = static_cast<int>((1.0f - clip.y / clip.w) * 400.0f);
            r = {std::min(r.left, x - 3), std::min(r.top, y - 3), std::max(r.right, x + 3), std::max(r.bottom, y + 3)};
        }
    return r;
}

class LandingMarkerTest : public GameTest {
protected:
    // The visible pass into the target (no shadow map: everything lies in shadow), read back, rows
    // from the top.
    std::vector<unsigned char> picture(bool marker)
    {
        game->showLandingMarker = marker;
        target.bind();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        testing::internal::CaptureStdout();
        game->mainPass = true;
        game->render();
        testing::internal::GetCapturedStdout();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return target.pixels();
    }

    // A burger dropped on its spawn column: two levels over columns 4 and 5.
    void landABurger()
    {
        StoneController burger(game->playfield, std::make_shared<vosk::scene::Burger>(), StoneController::spawnPoint);
        burger.speed = burger.fastSpeed;
        testing::internal::CaptureStdout();
        while (!burger.landed)
            burger.fall(0.1f);
        testing::internal::GetCapturedStdout();
        const glm::vec3 placed = burger.cells[0] + burger.stone->drawOffset(); // as its last draw leaves it
        burger.stone->modelMatrix[3] = glm::vec4(placed, 1.0f);
    }

    OffscreenTarget target;
};

TEST_F(LandingMarkerTest, EveryStoneShowsWhereItLandsOverTheGroundAndOverAStack)
{
    logic(0.016f); // light and material; no logic runs after this, so nothing moves between pictures
    for (const bool overStack : {false, true}) {
        if (overStack)
            landABurger();
        for (const StoneKind& stone : allStones)
            for (const bool turned : {false, true}) {
                const std::string name =
                    std::string(stone.name) + (turned ? "-turned" : "") + (overStack ? "-stack" : "-ground");
                SCOPED_TRACE(name);
                game->stoneController =
                    std::make_unique<StoneController>(game->playfield, stone.make(), StoneController::spawnPoint);
                if (turned)
                    game->stoneController->rotateAboutX();
                const std::vector<glm::ivec3> cells = game->stoneController->landingCells();

                picture(false); // the falling stone is culled where the last picture put it
                const std::vector<unsigned char> without = picture(false);
                const std::vector<unsigned char> with = picture(true);
                target.savePng(shotDirectory() + "/landing-marker-" + name + ".png");
                const Rect rect = screenRect(cells, game->projView);
                int inside = 0;
                int outside = 0;
                for (int y = 0; y < OffscreenTarget::height; ++y)
                    for (int x = 0; x < OffscreenTarget::width; ++x) {
                        const std::size_t i = 3 * (static_cast<std::size_t>(y) * OffscreenTarget::width + x);
                        if (std::equal(with.begin() + i, with.begin() + i + 3, without.begin() + i))
                            continue;
                        (x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom ? inside : outside) += 1;
                    }
                const int area = (rect.right - rect.left + 1) * (rect.bottom - rect.top + 1);
                EXPECT_GT(inside, area / 4) << "the marker shows over its cells";
                EXPECT_EQ(outside, 0) << "and nowhere else";
            }
    }
}

} // namespace
