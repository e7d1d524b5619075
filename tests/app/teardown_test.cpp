// The end of a game: every GL object goes while the context is still current, and nothing touches GL
// afterwards. Each case runs in a child process that GL deletes are watched in; a delete without a
// current context ends the child at once with its own status.

#include "app/frame_loop.hpp"
#include "creatures/collision_checker.hpp"
#include "creatures/creature_shaders.hpp"
#include "creatures/spawn_area.hpp"
#include "effects/particle_system.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "field/stone_shader.hpp"
#include "game/game.hpp"
#include "tests/support/gl_environment.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <GL/glx.h> // last: its X11 macros (None, Bool) would break the test framework's headers

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int lateDeleteStatus = 3;
constexpr int danglingProgramStatus = 4;
constexpr int silencingFailedStatus = 5;

bool watching = false;

void requireContext(const char* call)
{
    if (!watching || glXGetCurrentContext() != nullptr)
        return;
    std::fprintf(stderr, "%s without a current context\n", call);
    std::_Exit(lateDeleteStatus);
}

PFNGLDELETEBUFFERSPROC realDeleteBuffers = nullptr;
PFNGLDELETEVERTEXARRAYSPROC realDeleteVertexArrays = nullptr;
PFNGLDELETEFRAMEBUFFERSPROC realDeleteFramebuffers = nullptr;
PFNGLDELETEPROGRAMPROC realDeleteProgram = nullptr;
PFNGLDELETESHADERPROC realDeleteShader = nullptr;

void GLAPIENTRY watchedDeleteBuffers(GLsizei n, const GLuint* names)
{
    requireContext("glDeleteBuffers");
    realDeleteBuffers(n, names);
}
void GLAPIENTRY watchedDeleteVertexArrays(GLsizei n, const GLuint* names)
{
    requireContext("glDeleteVertexArrays");
    realDeleteVertexArrays(n, names);
}
void GLAPIENTRY watchedDeleteFramebuffers(GLsizei n, const GLuint* names)
{
    requireContext("glDeleteFramebuffers");
    realDeleteFramebuffers(n, names);
}
void GLAPIENTRY watchedDeleteProgram(GLuint name)
{
    requireContext("glDeleteProgram");
    realDeleteProgram(name);
}
void GLAPIENTRY watchedDeleteShader(GLuint name)
{
    requireContext("glDeleteShader");
    realDeleteShader(name);
}

// GLEW reaches these through pointers; glDeleteTextures is interposed below.
void watchGlDeletes()
{
    realDeleteBuffers = std::exchange(glDeleteBuffers, watchedDeleteBuffers);
    realDeleteVertexArrays = std::exchange(glDeleteVertexArrays, watchedDeleteVertexArrays);
    realDeleteFramebuffers = std::exchange(glDeleteFramebuffers, watchedDeleteFramebuffers);
    realDeleteProgram = std::exchange(glDeleteProgram, watchedDeleteProgram);
    realDeleteShader = std::exchange(glDeleteShader, watchedDeleteShader);
    watching = true;
}

// A game with every kind of GL owner alive: programs, fonts, shadow map, models in the cache, landed
// stones, creatures (an animated squirrel among them) and a smash effect. Ends it as the game does.
void playAndFinish()
{
    if (std::freopen("/dev/null", "w", stdout) == nullptr) // the traces do not matter here
        std::_Exit(silencingFailedStatus);
    SpawnArea spawnArea;
    Playfield playfield;
    Game game(playfield, spawnArea);
    glfwSetWindowUserPointer(testWindow(), &game);
    FrameLoop loop(testWindow(), game, FrameLoop::StepByStep{});
    loop.runFrame();
    game.spawners.front().onEvent(); // a squirrel
    game.spawners.back().massSpawn();
    game.collisionChecker->effect = std::make_unique<ParticleSystem>(700, 0, 700);
    game.collisionChecker->effect->initBuffers();
    playfield.landedStones.push_back(game.stoneController->stone);
    loop.runFrame();

    loop.finish();
    if (stoneShader != nullptr || beetleShader != nullptr || squirrelShader != nullptr ||
        particleShader != nullptr || game.currentProgram != nullptr)
        std::_Exit(danglingProgramStatus);
    loop.runFrame(); // after the end: nothing happens
    loop.finish();
}

TEST(Teardown, EveryGlObjectGoesBeforeTheContextAndNothingRunsAfterIt)
{
    EXPECT_EXIT(
        {
            watchGlDeletes();
            playAndFinish();
            std::exit(0); // the process-wide model cache is destroyed here, watched as well
        },
        testing::ExitedWithCode(0), "");
}

// The watch itself: a delete after GLFW has gone is caught.
TEST(Teardown, ADeleteAfterTheContextIsCaught)
{
    EXPECT_EXIT(
        {
            watchGlDeletes();
            glfwTerminate();
            const GLuint name = 1;
            glDeleteTextures(1, &name);
            std::exit(0);
        },
        testing::ExitedWithCode(lateDeleteStatus), "glDeleteTextures without a current context");
}

} // namespace

// Calls from the game's code bind to this definition in the test program; the driver's comes next.
extern "C" void GLAPIENTRY glDeleteTextures(GLsizei n, const GLuint* textures)
{
    using Delete = void(GLAPIENTRY*)(GLsizei, const GLuint*);
    static const auto real = reinterpret_cast<Delete>(dlsym(RTLD_NEXT, "glDeleteTextures"));
    requireContext("glDeleteTextures");
    real(n, textures);
}
