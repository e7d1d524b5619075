// The game record's reaction to the player: held keys every frame, actions from the binding table on
// release, the debugging keys, and the gamepad.

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
    if (heldNow(PlayerAction::CameraForward))
        camera.position += camera.front * step;
    if (heldNow(PlayerAction::CameraBack))
        camera.position -= camera.front * step;
    if (heldNow(PlayerAction::CameraLeft))
        camera.position -= camera.right * step;
    if (heldNow(PlayerAction::CameraRight))
        camera.position += camera.right * step;
    if (heldNow(PlayerAction::DropFast))
        stoneController->speed = stoneController->fastSpeed;
    if (keyStates[GLFW_KEY_P] && !bindings.isBound(GLFW_KEY_P)) {
        spawners.front().massSpawn();
        becomePractice();
    }
}

void Game::handleKey(GLFWwindow* window, int key, int action)
{
    const std::optional<PlayerAction> asked = bindings.actionOf(key);
    if (asked == PlayerAction::Quit && action == GLFW_PRESS) {
        glfwSetWindowShouldClose(window, GLFW_TRUE);
        return;
    }
    if (action != GLFW_RELEASE)
        return;
    if (asked)
        perform(*asked);
    else
        debugKey(key);
}

void Game::padInput(const GLFWgamepadstate& state, float timeStep)
{
    const PadActions& pad = gamepad.read(state, timeStep, screen() == ScreenState::Over);
    for (PlayerAction action : allPlayerActions)
        if (pad.asked[indexOf(action)])
            perform(action);
    if (pad.dropFast)
        stoneController->speed = stoneController->fastSpeed;
    else if (pad.dropFastLetGo)
        stoneController->speed = stoneController->baseSpeed;
    if (pad.look != glm::vec2(0.0f))
        currentCamera->turn(pad.look.x, pad.look.y);
}

void Game::perform(PlayerAction action)
{
    switch (action) {
    case PlayerAction::StoneLeft: stoneController->move(moveLeft, currentCamera->position); break;
    case PlayerAction::StoneRight: stoneController->move(moveRight, currentCamera->position); break;
    case PlayerAction::StoneUp: stoneController->move(moveUp, currentCamera->position); break;
    case PlayerAction::StoneDown: stoneController->move(moveDown, currentCamera->position); break;
    case PlayerAction::RotateX: stoneController->rotateAboutX(); break;
    case PlayerAction::RotateZ: stoneController->rotateAboutZ(); break;
    case PlayerAction::DropFast: stoneController->speed = stoneController->baseSpeed; break;
    case PlayerAction::Pause: paused = !paused; break;
    case PlayerAction::Mute: soundWatch.toggleMute(); break;
    case PlayerAction::Help: showHelp = !showHelp; break;
    case PlayerAction::FrameTime: showFps = !showFps; break;
    case PlayerAction::NewGame:
        if (screen() == ScreenState::Over)
            startNewGame();
        break;
    case PlayerAction::Fullscreen: fullscreenAsked = true; break;
    case PlayerAction::LandingMarker: showLandingMarker = !showLandingMarker; break;
    case PlayerAction::CameraForward:
    case PlayerAction::CameraBack:
    case PlayerAction::CameraLeft:
    case PlayerAction::CameraRight:
    case PlayerAction::Quit: break; // held, or acted on when pressed
    }
}

// The debugging keys keep their keys, unless the player bound the key to an action.
void Game::debugKey(int key)
{
    switch (key) {
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
    case GLFW_KEY_F: cullingLog = !cullingLog; break;
    case GLFW_KEY_Q:
        spawners.front().onEvent();
        becomePractice();
        break;
    case GLFW_KEY_R:
        playerCamera->debugFlag = !playerCamera->debugFlag;
        std::cout << playerCamera->debugFlag << '\n';
        break;
    case GLFW_KEY_F3:
        wireframe = !wireframe;
        glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
        break;
    case GLFW_KEY_F4: linearFiltering = !linearFiltering; break;
    case GLFW_KEY_F9: blending = !blending; break;
    default: break;
    }
}

bool Game::heldNow(PlayerAction action) const
{
    return bindings.held(action, keyStates, keyCount);
}

void Game::focusLost()
{
    if (pauseOnFocusLoss && screen() == ScreenState::Playing)
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
