// Quarvel: parses the command line, opens the window and runs the game.

#include "app/frame_loop.hpp"
#include "app/launch_settings.hpp"
#include "audio/sound_board.hpp"
#include "creatures/spawn_area.hpp"
#include "field/playfield.hpp"
#include "game/game.hpp"
#include "render/console_pause.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <iostream>

namespace {

// Larger windows cannot be drawn into by common GL drivers, and X cannot even describe them.
constexpr int maxWindowSize = 16384; // pixels

void reportGlfwError(int code, const char* description)
{
    std::cerr << "GLFW error " << code << ": " << description << '\n';
}

GLFWwindow* openWindow(const LaunchSettings& settings)
{
    // GLFW asserts on negative sizes; such windows, like absurdly large ones, simply cannot be opened.
    if (settings.width < 0 || settings.height < 0 || settings.width > maxWindowSize ||
        settings.height > maxWindowSize)
        return nullptr;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    GLFWmonitor* monitor = nullptr;
    if (settings.fullscreen) {
        monitor = glfwGetPrimaryMonitor();
        glfwWindowHint(GLFW_REFRESH_RATE, 60);
    }
    return glfwCreateWindow(settings.width, settings.height, "Hello, VOSK!", monitor, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    LaunchSettings settings;
    writeStartupVectors(std::cout);
    const std::string error = settings.parse(argc, argv, std::cout);
    if (!error.empty()) {
        std::cerr << error << std::endl;
        pauseAndExit(1);
    }

    glfwSetErrorCallback(reportGlfwError);
    if (!glfwInit()) {
        std::cout << "Failed to init glfw" << std::endl;
        pauseAndExit(-1);
    }
    GLFWwindow* window = openWindow(settings);
    if (window == nullptr) {
        glfwTerminate();
        std::cout << "Failed to open window" << std::endl;
        pauseAndExit(-1);
    }
    glfwMakeContextCurrent(window);
    glfwSwapInterval(1); // the rules run on the time step; no need to spin at thousands of frames
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        std::cout << "Failed to initialize glew" << std::endl;
        pauseAndExit(1);
    }

    SoundBoard sounds(settings.muted);
    SpawnArea spawnArea;
    Playfield playfield;
    Game game(playfield, spawnArea);
    game.soundWatch.output = &sounds;
    glfwSetWindowUserPointer(window, &game);
    FrameLoop frameLoop(window, game);
    return 0;
}
