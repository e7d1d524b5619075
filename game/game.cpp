#include "game/game.hpp"

#include "creatures/collision_checker.hpp"
#include "creatures/creature_shaders.hpp"
#include "effects/particle_system.hpp"
#include "field/blocked_for_stones.hpp"
#include "field/chest.hpp"
#include "field/landing_marker.hpp"
#include "field/plane2.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "field/stone_shader.hpp"
#include "game/hud.hpp"
#include "game/hud_view.hpp"
#include "render/mesh_static_program.hpp"
#include "render/shader_program.hpp"
#include "render/text_renderer.hpp"
#include "ui/game_screens.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <iostream>

namespace {

constexpr float squirrelFirstDelay = 14.0f; // seconds
constexpr float squirrelDelayMean = 20.0f;
constexpr float squirrelDelaySpread = 3.0f;
constexpr float beetleFirstDelay = 10.0f;
constexpr float beetleDelayMean = 15.0f;
constexpr float beetleDelaySpread = 4.0f;

const std::string shaderFolder = "QUARVEL/Shader/";

// Standard output carries the compiler reports of the game's four programs only; the programs that
// only speed the drawing up report (failures included) on standard error.
std::unique_ptr<ShaderProgram> program(const char* vertexFile, const char* fragmentFile,
                                       std::ostream& reports = std::cout)
{
    return std::make_unique<ShaderProgram>(shaderFolder + vertexFile, shaderFolder + fragmentFile, reports);
}

std::unique_ptr<StaticMeshProgram> withoutBones(ShaderProgram& scene, const char* fragmentFile)
{
    const std::string vertexFile = shaderFolder + "staticvert.vert";
    return std::make_unique<StaticMeshProgram>(scene, vertexFile, shaderFolder + fragmentFile, std::cerr);
}

std::unique_ptr<TextRenderer> font(const char* path)
{
    auto renderer = std::make_unique<TextRenderer>();
    renderer->loadFont(path);
    return renderer;
}

void uniform3(const ShaderProgram& program, const char* name, float x, float y, float z)
{
    glUniform3f(program.uniform(name), x, y, z);
}

} // namespace

Game::Game(Playfield& playfield, SpawnArea& spawnArea)
    : playfield(playfield), spawnArea(spawnArea), treesModel("QUARVEL/Ressources/Models/fewtreesnearobj.obj")
{
}

Game::~Game()
{
    playfield.events = nullptr; // the field outlives the game
}

void Game::setup(GLFWwindow* window)
{
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glfwSetWindowTitle(window, "Quarvel");
    createPrograms();
    createSceneObjects();
    scoreFont = font("digital-7.ttf");
    helpFont = font("Crickx.otf");
    hudView = std::make_unique<HudView>();
    createCameras();
    playfield.events = &events;
    createCollisionChecker();
    stoneController = std::make_unique<StoneController>(playfield);
    currentProgram = basicProgram.get();
    glUseProgram(currentProgram->id);
    markChestCells();
    addSpawners();
    elapsed = 0.0f;
    particleShader = particleProgram.get();
    // Drawing before the first unpaused frame finds a program too.
    stoneShader = beetleShader = squirrelShader = currentProgram;
    ground->shader = currentProgram;
    screens = std::make_unique<GameScreens>(std::cerr);
}

void Game::createPrograms()
{
    basicProgram = program("basicvert.vert", "basicfrag.frag");
    shadowProgram = program("shadowmap.vert", "shadowmap.frag");
    fontProgram = program("FontShader.vert", "FontShader.frag");
    particleProgram = program("particle.vert", "particle.frag");

    depthProgram = program("basicvert.vert", "depthonly.frag", std::cerr);
    basicWithoutBones = withoutBones(*basicProgram, "basicfrag.frag");
    depthWithoutBones = withoutBones(*depthProgram, "depthonly.frag");
}

void Game::createSceneObjects()
{
    chest = std::make_unique<Chest>();
    blockedMarker = std::make_unique<BlockedForStones>();
    landingMarker = std::make_unique<LandingMarker>();
    ground = std::make_unique<Plane2>(playfield.origin.x + playfield.extent.x,
                                      playfield.origin.z + playfield.extent.y);
}

void Game::createCameras()
{
    const glm::vec3 worldUp(0.0f, 1.0f, 0.0f);
    playerCamera = std::make_unique<Camera>(glm::vec3(706.0f, 1500.0f, -550.0f), worldUp, 90.0f, -50.0f);
    lightCamera = std::make_unique<Camera>(glm::vec3(700.0f, 1500.0f, 700.0f), worldUp, 90.0f, -90.0f);
    currentCamera = playerCamera.get();
}

void Game::createCollisionChecker()
{
    collisionChecker = std::make_unique<CollisionChecker>(creatures);
    collisionChecker->events = &events;
}

void Game::markChestCells()
{
    for (int x = 6; x <= 8; ++x)
        for (int z = 6; z <= 8; ++z)
            for (int level = 0; level < Playfield::levels; ++level)
                playfield.at(x, z, level) = blockedMarker.get();
    for (int level = 0; level < Playfield::levels; ++level)
        playfield.at(7, 7, level) = chest.get();
}

void Game::addSpawners()
{
    const auto add = [this](bool squirrels, float first, float mean, float spread) {
        vosk::Spawner spawner(spawnArea, creatures, squirrels);
        spawner.nextDelay = first;
        spawner.delayDistribution = std::normal_distribution<float>(mean, spread);
        spawner.enabled = true;
        spawner.events = &events;
        spawners.push_back(spawner);
    };
    add(true, squirrelFirstDelay, squirrelDelayMean, squirrelDelaySpread);
    add(false, beetleFirstDelay, beetleDelayMean, beetleDelaySpread);
}

void Game::cleanup()
{
    recordQuit();
    screens.reset(); // its GL objects go while the context lives
    if (currentProgram == basicProgram.get())
        currentProgram = nullptr;
    basicWithoutBones.reset(); // pairs with the basic program, so goes first
    basicProgram.reset();
    forgetPrograms();
    releaseGraphics();
}

void Game::recordQuit()
{
    if (screens)
        screens->quitting(Hud::displayedScore(score, elapsed), elapsed);
}

// Set-up handed these out; none may outlive the programs they point to.
void Game::forgetPrograms()
{
    currentProgram = nullptr;
    stoneShader = beetleShader = squirrelShader = nullptr;
    particleShader = nullptr;
    if (ground)
        ground->shader = nullptr;
}

// Everything holding GL names goes now, while the context is still current: GL objects deleted after
// glfwTerminate are undefined behaviour on other drivers. Users of an object go before it (creatures
// and stones before the cells that point at them, cells before the chest and the marker).
void Game::releaseGraphics()
{
    creatures.clear();
    collisionChecker.reset(); // the smash effect
    stoneController.reset();
    playfield.fallingStones.clear();
    playfield.landedStones.clear();
    playfield.cells.fill(nullptr);
    chest.reset();
    blockedMarker.reset();
    landingMarker.reset();
    ground.reset();
    scoreFont.reset();
    helpFont.reset();
    hudView.reset();
    shadowProgram.reset();
    fontProgram.reset();
    particleProgram.reset();
    depthWithoutBones.reset(); // before the program it pairs with
    depthProgram.reset();
    treesModel = Model();
}

void Game::logic(float timeStep)
{
    frames.count(glfwGetTime());
    if (lifepoints == 0)
        paused = true;
    soundWatch.frameStarts(*currentCamera, screen(), events);
    events.clear();
    if (paused)
        return;
    useCurrentProgram();
    elapsed += timeStep;
    loadLightAndMaterial();
    stoneController->update(timeStep);
    for (vosk::Spawner& spawner : spawners)
        spawner.update(timeStep);
    if (collisionChecker->chestReached())
        chargeChestVisit();
    collisionChecker->smash(*stoneController);
    playfield.update(timeStep);
    advanceCreatures(timeStep);
    if (collisionChecker->effect)
        collisionChecker->effect->update(timeStep);
    if (screen() == ScreenState::Over && screens)
        screens->gameOver(Hud::displayedScore(score, elapsed));
    soundWatch.frameEnds(events);
}

void Game::useCurrentProgram()
{
    glUseProgram(currentProgram->id);
    stoneShader = beetleShader = squirrelShader = currentProgram;
    ground->shader = currentProgram;
}

void Game::loadLightAndMaterial()
{
    const ShaderProgram& p = *currentProgram;
    uniform3(p, "light_ambient", 0.75f, 0.75f, 0.75f);
    uniform3(p, "light_diffuse", 1.5f, 1.5f, 1.5f);
    uniform3(p, "light_specular", 1.0f, 1.0f, 1.0f);
    uniform3(p, "mat_ambient", 1.0f, 0.5f, 0.31f);
    uniform3(p, "mat_diffuse", 1.0f, 0.5f, 0.31f);
    uniform3(p, "mat_specular", 0.5f, 0.5f, 0.5f);
    glUniform1f(p.uniform("mat_shininess"), 32.0f);
}

void Game::chargeChestVisit()
{
    chest->removeLastTreasure();
    lifepoints -= 1;
    if (lifepoints == 0) {
        std::cout << "GAME OVERRRRRR" << '\n';
        events.add({GameEvent::Kind::GameOver});
    }
}

void Game::advanceCreatures(float timeStep)
{
    for (std::size_t i = 0; i < creatures.size();) {
        Animal& creature = *creatures[i];
        creature.update(timeStep);
        creature.think(playfield);
        if (creature.removed) {
            score += pointsPerCreature;
            creatures.erase(creatures.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}
