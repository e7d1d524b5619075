// The game record's reaction to the keyboard: held keys every frame, the key table on release.

#include "game/game.hpp"

#include "field/food.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "game/key_states.hpp"
#include "render/render_state.hpp"
#include "render/shader_program.hpp"
#include "ui/game_screens.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <iostream>

namespace {

// Arrow keys as the stone's direction codes.
constexpr int moveLeft = 0;
constexpr int moveRight = 1;
constexpr int moveDown = 2;
constexpr int moveUp = 3;

} // namespace

void Game::update(float timeStep)
{
    Camera& camera = *currentCamera;
    const float step = camera.movementSpeed * timeStep;
    if (keyStates[GLFW_KEY_W])
        camera.position += camera.front * step;
    if (keyStates[GLFW_KEY_S])
        camera.position -= camera.front * step;
    if (keyStates[GLFW_KEY_A])
        camera.position -= camera.right * step;
    if (keyStates[GLFW_KEY_D])
        camera.position += camera.right * step;
    if (keyStates[GLFW_KEY_SPACE])
        stoneController->speed = stoneController->fastSpeed;
    if (keyStates[GLFW_KEY_P]) {
        spawners.front().massSpawn();
        becomePractice();
    }
}

void Game::handleKey(GLFWwindow* window, int key, int action)
{
    if (key == GLFW_KEY_ESCAPE && action == GLFW_PRESS) {
        glfwSetWindowShouldClose(window, GLFW_TRUE);
        return;
    }
    if (action != GLFW_RELEASE)
        return;

    switch (key) {
    case GLFW_KEY_SPACE: stoneController->speed = stoneController->baseSpeed; break;
    case GLFW_KEY_0:
        removeLandedStones();
        becomePractice();
        break;
    case GLFW_KEY_1:
        currentProgram = basicProgram.get();
        glUseProgram(currentProgram->id);
        break;
    case GLFW_KEY_2:
        currentProgram = shadowProgram.get();
        glUseProgram(currentProgram->id);
        break;
    case GLFW_KEY_3: currentCamera = playerCamera.get(); break;
    case GLFW_KEY_4: currentCamera = lightCamera.get(); break;
    case GLFW_KEY_C: stoneController->rotateAboutZ(); break;
    case GLFW_KEY_F: cullingLog = !cullingLog; break;
    case GLFW_KEY_G: showLandingMarker = !showLandingMarker; break;
    case GLFW_KEY_O: paused = !paused; break;
    case GLFW_KEY_Q:
        spawners.front().onEvent();
        becomePractice();
        break;
    case GLFW_KEY_R:
        playerCamera->debugFlag = !playerCamera->debugFlag;
        std::cout << playerCamera->debugFlag << '\n';
        break;
    case GLFW_KEY_X: stoneController->rotateAboutX(); break;
    case GLFW_KEY_RIGHT: stoneController->move(moveRight, currentCamera->position); break;
    case GLFW_KEY_LEFT: stoneController->move(moveLeft, currentCamera->position); break;
    case GLFW_KEY_DOWN: stoneController->move(moveDown, currentCamera->position); break;
    case GLFW_KEY_UP: stoneController->move(moveUp, currentCamera->position); break;
    case GLFW_KEY_F1: showHelp = !showHelp; break;
    case GLFW_KEY_F2: showFps = !showFps; break;
    case GLFW_KEY_F3:
        wireframe = !wireframe;
        glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
        break;
    case GLFW_KEY_F4: linearFiltering = !linearFiltering; break;
    case GLFW_KEY_F9: blending = !blending; break;
    case GLFW_KEY_M: soundWatch.toggleMute(); break;
    case GLFW_KEY_ENTER:
        if (lifepoints == 0)
            startNewGame();
        break;
    default: break;
    }
}

void Game::focusLost()
{
    if (pauseOnFocusLoss && lifepoints > 0)
        paused = true;
}

// A debugging key changed the game: its score no longer counts.
void Game::becomePractice()
{
    if (screens)
        screens->practiceGame();
}

// Key 0: takes out every stone that holds grid cells now. The walk runs over a copy, because a removal
// edits the landed list and releases the stones resting on the removed one.
void Game::removeLandedStones()
{
    const std::vector<std::shared_ptr<vosk::scene::Food>> landed = playfield.landedStones;
    for (const std::shared_ptr<vosk::scene::Food>& stone : landed) {
        if (stone->gridCells.empty())
            continue;
        const glm::ivec3 first = stone->gridCells.front(); // (x, z, level)
        playfield.removeStone(first.x, first.z, first.y);
    }
}
