// Whole-game figures, printed: the start-up's model file check (cold and warm), start-up to the first
// swapped frame, frame time and logic step with 0, 106 and 1,060 beetles, the same with sound against
// silent play, a new stone and a mass spawn against importing their models, and peak memory.
// Run it from the repo root under a display: xvfb-run -a -s "-screen 0 1024x800x24" build/bench/game_bench

#include "app/frame_loop.hpp"
#include "audio/sound_board.hpp"
#include "creatures/spawn_area.hpp"
#include "creatures/spawner.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "game/game.hpp"
#include "render/model.hpp"
#include "render/model_file_check.hpp"
#include "render/model_import.hpp"

#include "bench/quiet_traces.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int framesPerFigure = 600; // a first argument sets another count
constexpr float logicStep = 1.0f / 60.0f; // seconds
constexpr int stoneSamples = 200;
constexpr int spawnSamples = 20;

const std::vector<std::string> stoneFiles{
    "QUARVEL/Ressources/Stones/quad.obj", "QUARVEL/Ressources/Stones/tex_i.obj",
    "QUARVEL/Ressources/Stones/tex_z.obj", "QUARVEL/Ressources/Stones/tex_L.obj",
    "QUARVEL/Ressources/Stones/tex_t.obj"};
const std::vector<std::string> beetleFiles{"QUARVEL/Ressources/Stones/fathirsch.obj",
                                           "QUARVEL/Ressources/Stones/quad.obj"};

double millisecondsOf(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Spread {
    double median;
    double p99;
};

Spread spreadOf(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples[samples.size() * 99 / 100]};
}


GLFWwindow* openGameWindow()
{
    if (!glfwInit())
        return nullptr;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    GLFWwindow* window = glfwCreateWindow(1024, 800, "game bench", nullptr, nullptr);
    if (window == nullptr)
        return nullptr;
    glfwMakeContextCurrent(window);
    glfwSwapInterval(0); // measure the work, not the display's refresh
    glewExperimental = GL_TRUE;
    return glewInit() == GLEW_OK ? window : nullptr;
}

// Milliseconds to import the files from disk, the cache emptied first.
double importMilliseconds(const std::vector<std::string>& files)
{
    Model::clearCache();
    return millisecondsOf([&] {
        for (const std::string& file : files)
            Model model(file);
    });
}

// Processor time (user and system) of this process, or of its ended children, in milliseconds.
double processorMilliseconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The check the game runs before its window opens: helpers import every model file when no earlier
// check is remembered (cold), and only the files' sizes and times are compared with the record (warm).
// Beside it, the same files imported once in this process, as the game's set-up does anyway.
void measureModelFileCheck()
{
    const std::string folder = "QUARVEL/Ressources";
    const std::filesystem::path record =
        std::filesystem::temp_directory_path() / ("quarvel-bench-check-" + std::to_string(::getpid()));
    std::size_t files = 0;
    const auto checkAll = [&] {
        const std::vector<std::string> found = ModelFileCheck::modelFilesUnder(folder);
        files = ModelFileCheck(record.string()).check(found).size();
    };
    const double helpersBefore = processorMilliseconds(RUSAGE_CHILDREN);
    const double cold = millisecondsOf(checkAll);
    const double helpers = processorMilliseconds(RUSAGE_CHILDREN) - helpersBefore;
    const double warm = millisecondsOf(checkAll);
    std::filesystem::remove(record);

    QuietTraces quiet;
    const double selfBefore = processorMilliseconds(RUSAGE_SELF);
    const double imports = millisecondsOf([&] {
        for (const std::string& file : ModelFileCheck::modelFilesUnder(folder))
            ModelImport::read(file);
    });
    const double self = processorMilliseconds(RUSAGE_SELF) - selfBefore;
    std::printf("model file check before the window, %zu files: cold %.1f ms (helpers' processor time %.1f ms), "
                "warm %.2f ms\n",
                files, cold, helpers, warm);
    std::printf("  for comparison, importing them once in the game process: %.1f ms (processor time %.1f ms)\n",
                imports, self);
}

void measureCrowds(FrameLoop& loop, Game& game)
{
    game.lifepoints = 1 << 30; // creatures at the chest must not end the game while we measure
    for (int massSpawns : {0, 1, 9}) {
        for (int i = 0; i < massSpawns; ++i)
            game.spawners.front().massSpawn();
        const int beetles = static_cast<int>(game.creatures.size());
        std::vector<double> frames;
        std::vector<double> logic;
        for (int i = 0; i < framesPerFigure; ++i)
            frames.push_back(millisecondsOf([&] { loop.runFrame(); }));
        for (int i = 0; i < framesPerFigure; ++i)
            logic.push_back(millisecondsOf([&] { game.logic(logicStep); }));
        const Spread f = spreadOf(frames);
        const Spread l = spreadOf(logic);
        std::printf("frame time, %4d beetles (%d frames):  median %8.3f ms   p99 %8.3f ms\n", beetles,
                    framesPerFigure, f.median, f.p99);
        std::printf("logic step, %4d beetles (%d steps):   median %8.4f ms   p99 %8.4f ms\n", beetles,
                    framesPerFigure, l.median, l.p99);
    }
}

// Frame time and logic step with 106 beetles, silent and heard through OpenAL. Frames alternate in
// rounds without any sound board and with one (its mixer running, the game telling it what happens), so
// the machine's drifts hit both alike; logic steps alternate step by step between telling and not.
void measureSound(FrameLoop& loop, Game& game)
{
    constexpr int rounds = 10;
    constexpr int logicPerFrame = 20; // logic steps are cheap: more of them steady the median
    const int perRound = std::max(5, framesPerFigure / rounds);
    game.lifepoints = 1 << 30;
    game.spawners.front().massSpawn();
    std::vector<double> frames[2];
    std::vector<double> logic[2];
    bool audible = false;
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < perRound; ++i)
            frames[0].push_back(millisecondsOf([&] { loop.runFrame(); }));
        SoundBoard board;
        audible = board.audible();
        game.soundWatch.output = &board;
        for (int i = 0; i < perRound; ++i)
            frames[1].push_back(millisecondsOf([&] { loop.runFrame(); }));
        for (int i = 0; i < 2 * logicPerFrame * perRound; ++i) {
            const int heard = i % 2;
            game.soundWatch.output = heard == 1 ? &board : nullptr;
            logic[heard].push_back(millisecondsOf([&] { game.logic(logicStep); }));
        }
        game.soundWatch.output = nullptr;
    }
    game.creatures.clear();
    const char* output = audible ? "OpenAL" : "no device";
    const double silentFrame = spreadOf(frames[0]).median;
    const double heardFrame = spreadOf(frames[1]).median;
    const double silentLogic = spreadOf(logic[0]).median;
    const double heardLogic = spreadOf(logic[1]).median;
    std::printf("frame time, 106 beetles, sound %s:  median %8.3f ms heard, %8.3f ms silent (%+.1f%%)\n",
                output, heardFrame, silentFrame, 100.0 * (heardFrame / silentFrame - 1.0));
    std::printf("logic step, 106 beetles, sound %s:  median %8.4f ms heard, %8.4f ms silent (%+.1f%%)\n",
                output, heardLogic, silentLogic, 100.0 * (heardLogic / silentLogic - 1.0));
}

void measureNewStone(Playfield& playfield)
{
    StoneController controller(playfield);
    double total = 0.0;
    for (int i = 0; i < stoneSamples; ++i) {
        controller.landed = true; // the next update brings the next random stone
        total += millisecondsOf([&] { controller.update(0.0f); });
    }
    const double cached = total / stoneSamples;
    const double imported = importMilliseconds(stoneFiles) / static_cast<double>(stoneFiles.size());
    std::printf("new stone after a landing:   %8.4f ms   (import of a stone model from disk %8.3f ms, %6.0fx)\n",
                cached, imported, imported / cached);
}

void measureMassSpawn(Game& game)
{
    double total = 0.0;
    for (int i = 0; i < spawnSamples; ++i) {
        game.creatures.clear();
        total += millisecondsOf([&] { game.spawners.front().massSpawn(); });
    }
    const double cached = total / spawnSamples;
    const double imported = 106.0 * importMilliseconds(beetleFiles);
    std::printf("one mass spawn (106 beetles): %7.3f ms   (importing their models 106 times %8.1f ms, %6.0fx)\n",
                cached, imported, imported / cached);
}

void measurePeakMemory(Game& game)
{
    game.creatures.clear();
    for (int i = 0; i < 10; ++i)
        game.spawners.front().massSpawn();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory after ten mass spawns (%zu beetles): %.1f MiB\n", game.creatures.size(),
                static_cast<double>(usage.ru_maxrss) / 1024.0);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        framesPerFigure = std::max(1, std::atoi(argv[1]));
    std::printf("Quarvel game benchmark, %s build\n", QUARVEL_BUILD_TYPE);
    measureModelFileCheck(); // before any thread exists, as in the game
    const auto start = Clock::now();
    GLFWwindow* window = openGameWindow();
    if (window == nullptr) {
        std::fprintf(stderr, "game_bench: no OpenGL 3.3 window (is DISPLAY set?)\n");
        return 1;
    }
    // OpenAL's null backend mixes like a sound card would, without one; ALSOFT_CONF or ALSOFT_DRIVERS
    // choose another.
    if (std::getenv("ALSOFT_CONF") == nullptr)
        setenv("ALSOFT_DRIVERS", "null", 0);
    QuietTraces quiet;
    SpawnArea spawnArea;
    Playfield playfield;
    Game game(playfield, spawnArea);
    glfwSetWindowUserPointer(window, &game);
    FrameLoop loop(window, game, FrameLoop::StepByStep{});
    loop.runFrame();
    std::printf("start-up to the first swapped frame: %.1f ms\n",
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());

    measureSound(loop, game);
    measureCrowds(loop, game);
    measureNewStone(playfield);
    measureMassSpawn(game);
    measurePeakMemory(game);
    game.elapsed = 0.0f; // a measured run is no game for the player's high-score table
    loop.finish();
    return 0;
}
