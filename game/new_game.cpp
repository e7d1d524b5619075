// Playing again after game over: everything of the lost game is released and made afresh as at set-up.

#include "game/game.hpp"

#include "creatures/collision_checker.hpp"
#include "field/chest.hpp"
#include "field/food.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "ui/game_screens.hpp"

void Game::startNewGame()
{
    // Creatures, the smash burst and the stones go first: they refer to the field and the list.
    creatures.clear();
    createCollisionChecker();
    stoneController.reset();
    playfield.fallingStones.clear();
    playfield.landedStones.clear();
    playfield.cells.fill(nullptr);

    chest = std::make_unique<Chest>();
    markChestCells();
    stoneController = std::make_unique<StoneController>(playfield);
    spawners.clear();
    addSpawners();
    createCameras();

    score = 0;
    lifepoints = startLifepoints;
    elapsed = 0.0f;
    paused = false;
    events.clear(); // nothing of the lost game is news in the new one
    firstGame = false;
    if (screens)
        screens->newGame();
}
