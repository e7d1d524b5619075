#pragma once
// The record of a running game: cameras, programs, scene objects, rules state and display switches.

#include "game/camera.hpp"
#include "creatures/animal.hpp"
#include "creatures/spawner.hpp"
#include "field/game_events.hpp"
#include "game/binding_table.hpp"
#include "game/frame_counter.hpp"
#include "game/gamepad_reader.hpp"
#include "game/hud.hpp"
#include "game/sound_watch.hpp"
#include "game/view_volume.hpp"
#include "render/model.hpp"
#include "ui/screen_state.hpp"

#include <glm/glm.hpp>

#include <memory>
#include <vector>

struct GLFWwindow;
class BlockedForStones;
class Chest;
class CollisionChecker;
class GameScreens;
class HudView;
class LandingMarker;
class Plane2;
class Playfield;
class ShaderProgram;
class SpawnArea;
class StaticMeshProgram;
class StoneController;
class TextRenderer;

class Game {
public:
    static constexpr int startLifepoints = 5;
    static constexpr int pointsPerCreature = 100;

    // Keeps the two references and loads the tree model; needs a current GL context.
    Game(Playfield& playfield, SpawnArea& spawnArea);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Once before the loop: GL state, title, programs, scene objects, cameras, grid marks, spawners.
    void setup(GLFWwindow* window);
    // Held keys: camera movement, fast fall, mass spawn.
    void update(float timeStep);
    // Key releases (and the quit key's press) from the key callback: a bound key asks for its action,
    // any other may be a debugging key.
    void handleKey(GLFWwindow* window, int key, int action);
    // The gamepad's state this frame, before update; the application's poll hands it in.
    void padInput(const GLFWgamepadstate& state, float timeStep);
    // What a key release or a pad push of the action does.
    void perform(PlayerAction action);
    // The window lost the keyboard focus: a running game pauses as with O (unless pauseOnFocusLoss is
    // off); it resumes only when the player says so.
    void focusLost();
    // One frame of game rules; nothing but frame counting while paused or over.
    void logic(float timeStep);
    // Draws the scene with the current camera: the visible pass (mainPass) with the current program, then
    // the HUD and particles; the shadow pass with the depth program, whatever program is current.
    void render();
    // Once after the loop, before GLFW terminates: releases the basic program, forgets the program
    // pointers set-up handed out, and lets every other GL owner go (programs, fonts, scene objects,
    // stones of the playfield, creatures, smash effect, tree model). The game cannot draw or play
    // afterwards; calling it again changes nothing.
    void cleanup();
    // The program ends (clean-up, or the display lost): a game that is not over enters the high scores
    // when it qualifies. Touches no GL; only the first call of a game counts.
    void recordQuit();
    // Enter after game over: a fresh field, chest, stone, creatures, spawners, score and cameras in the
    // same window; programs, fonts and display switches stay.
    void startNewGame();
    // The one answer to "running, paused or over?" for the panels, the sound and Enter. It follows the
    // paused flag and the lifepoints: over from the moment the last lifepoint is lost, whatever paused says.
    ScreenState screen() const
    {
        if (lifepoints == 0)
            return ScreenState::Over;
        return paused ? ScreenState::Paused : ScreenState::Playing;
    }
    // What the HUD shows now.
    HudState hudState() const;

    std::unique_ptr<Camera> playerCamera;
    std::unique_ptr<Camera> lightCamera;
    Camera* currentCamera = nullptr;
    ShaderProgram* currentProgram = nullptr;
    int score = 0;
    bool mainPass = true;
    // Back-face culling and strict depth for creatures (see drawCreatures); off draws them as before.
    bool creatureShortcuts = true;
    int lifepoints = startLifepoints;
    std::unique_ptr<Plane2> ground;
    std::unique_ptr<Chest> chest;
    std::unique_ptr<BlockedForStones> blockedMarker;
    std::unique_ptr<TextRenderer> scoreFont;
    std::unique_ptr<TextRenderer> helpFont;
    std::unique_ptr<HudView> hudView; // strips behind the HUD texts, the help panel; made in set-up
    std::unique_ptr<StoneController> stoneController;
    std::unique_ptr<LandingMarker> landingMarker; // where the stone will land; made in set-up
    std::unique_ptr<ShaderProgram> basicProgram;
    std::unique_ptr<ShaderProgram> shadowProgram;
    std::unique_ptr<ShaderProgram> fontProgram;
    std::unique_ptr<ShaderProgram> particleProgram;
    // The shadow pass's program: the scene vertex stage (so the depths are the same) and no shading.
    std::unique_ptr<ShaderProgram> depthProgram;
    // Stand-ins for the meshes without bones, of the scene program and of the depth program.
    std::unique_ptr<StaticMeshProgram> basicWithoutBones;
    std::unique_ptr<StaticMeshProgram> depthWithoutBones;
    std::unique_ptr<CollisionChecker> collisionChecker;
    Playfield& playfield;
    SpawnArea& spawnArea;
    std::vector<vosk::Spawner> spawners;
    CreatureList creatures;
    Model treesModel;
    bool paused = false;
    bool showHelp = false;
    bool showFps = false;
    bool showLandingMarker = true;
    bool pauseOnFocusLoss = true;
    bool wireframe = false;
    bool blending = false;
    bool cullingLog = false;
    float elapsed = 0.0f; // seconds of unpaused play
    bool firstGame = true; // no new game was started in this run yet
    FrameCounter frames;
    FrustumPlanes frustumPlanes{};
    glm::mat4 projection{1.0f};
    glm::mat4 view{1.0f};
    glm::mat4 projView{1.0f};
    std::unique_ptr<GameScreens> screens; // pause and game-over panels, high scores; made in set-up
    // What happened since the rules last began a frame, recorded where it happened. The keys' events
    // (steering) are read as the rules begin, the rules' own events at their end.
    GameEvents events;
    SoundWatch soundWatch; // tells the sound layer what happened
    BindingTable bindings; // the player's keys; the game's own unless the settings say otherwise
    bool fullscreenAsked = false; // the frame loop switches between window and full screen, then clears it

private:
    void debugKey(int key);
    bool heldNow(PlayerAction action) const;
    void forgetPrograms();
    void releaseGraphics();
    void createPrograms();
    void createSceneObjects();
    void createCameras();
    void createCollisionChecker();
    void markChestCells();
    void addSpawners();
    void useCurrentProgram();
    void loadLightAndMaterial();
    void chargeChestVisit();
    void advanceCreatures(float timeStep);
    void removeLandedStones();
    void becomePractice();
    void loadSceneUniforms(const ShaderProgram& pass);
    void drawScene(ShaderProgram& pass);
    void drawStones();
    void drawLandingMarker();
    void drawCreatures();
    void drawHud();
    void drawParticles();
    void drawPanel();

    GamepadReader gamepad;
    void drawHelp();
};
