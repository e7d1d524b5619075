// Quarvel: parses the command line, opens the window and runs the game.

#include "app/display_loss.hpp"
#include "app/frame_loop.hpp"
#include "app/launch_options.hpp"
#include "app/launch_settings.hpp"
#include "app/settings_file.hpp"
#include "audio/sound_board.hpp"
#include "audio/sound_device.hpp"
#include "creatures/spawn_area.hpp"
#include "field/playfield.hpp"
#include "game/game.hpp"
#include "platform/data_locator.hpp"
#include "platform/console_pause.hpp"
#include "platform/process_signals.hpp"
#include "platform/console_traces.hpp"
#include "app/model_check_step.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <fcntl.h>
#include <iostream>
#include <unistd.h>
#include <vector>

namespace {

// Larger windows cannot be drawn into by common GL drivers, and X cannot even describe them.
constexpr int maxWindowSize = 16384; // pixels

// A closed standard descriptor would be taken by the next file opened (the X connection), and the
// traces would be written into it: give each closed one /dev/null instead.
void openClosedStandardDescriptors()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) != -1)
            continue;
        const int opened = open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened != -1 && opened != fd) {
            dup2(opened, fd);
            close(opened);
        }
    }
}

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
    openClosedStandardDescriptors();
    // A failed write of the traces leaves std::cout bad, which silences them from then on, and play
    // goes on.
    ProcessSignals::ignoreWriteFailures();
    LaunchOptions options;
    const std::vector<const char*> numbers = options.take(argc, argv);
    const DataLocator data = DataLocator::forThisProcess();
    PlayerSettings player = SettingsFile::read(SettingsFile::defaultPath(), std::cerr);
    player.fit = player.fit || options.fit; // the command line wins
    player.mute = player.mute || options.mute;
    if (options.help) {
        writeUsage(std::cout, data.places(), data.find(), player.keys);
        return 0;
    }
    if (options.settings) {
        writeSettings(player, std::cout);
        return 0;
    }
    if (options.version) {
        writeVersion(std::cout);
        return 0;
    }

    if (options.quiet)
        silenceTraces();
    LaunchSettings settings{.width = player.width, .height = player.height, .fullscreen = player.fullscreen};
    writeStartupVectors(std::cout);
    const std::string error = settings.parse(static_cast<int>(numbers.size()), numbers.data(), std::cout);
    if (!error.empty()) {
        std::cerr << error << std::endl;
        pauseAndExit(1);
    }
    // Every file is read relative to the data folder from here on. Without one, no window or sound
    // device opens just to fail at the first shader, and the exit status is a missing shader's.
    if (!data.enter(std::cerr))
        pauseAndExit(-1);

    // While this process still has one thread: the quit signals' handlers, the sound backends (chosen
    // through the environment) and the model checks' helper processes (forks).
    ProcessSignals::catchQuitRequests();
    SoundDevice::chooseBackends();
    checkModelFiles();
    if (ProcessSignals::quitRequested())
        return 0;
    glfwSetErrorCallback(reportGlfwError);
    if (!glfwInit()) {
        failureOutput() << "Failed to init glfw" << std::endl;
        pauseAndExit(-1);
    }
    DisplayLoss displayLoss; // from the window's first moment: a killed one ends the game with a note
    GLFWwindow* window = openWindow(settings);
    if (window == nullptr) {
        glfwTerminate();
        failureOutput() << "Failed to open window" << std::endl;
        pauseAndExit(-1);
    }
    glfwMakeContextCurrent(window);
    glfwSwapInterval(1); // the rules run on the time step; no need to spin at thousands of frames
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        failureOutput() << "Failed to initialize glew" << std::endl;
        pauseAndExit(1);
    }

    SoundBoard sounds(player.mute);
    sounds.setVolume(player.volume);
    SpawnArea spawnArea;
    Playfield playfield;
    Game game(playfield, spawnArea);
    game.soundWatch.output = &sounds;
    game.bindings = player.keys;
    game.pauseOnFocusLoss = player.pauseOnFocusLoss;
    glfwSetWindowUserPointer(window, &game);
    displayLoss.setLastWords([&game] { game.recordQuit(); });
    FrameLoop frameLoop(window, game, player.fit);
    return 0;
}
