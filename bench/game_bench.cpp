// Whole-game figures, printed: the start-up's model file check (cold and warm); start-up to the first
// swapped frame; the frame time of the clear-and-swap floor, the empty scene and 110 and 1,000 beetles,
// in interleaved rounds so that a busy machine weighs on all alike, with their ratios; the logic step with
// 0, 106 and 1,060 beetles; frame time and logic step with sound against silent play; the landing marker's
// share of a frame; a new stone and a mass spawn against importing their models; peak memory.
// Run it from the repo root under a display: xvfb-run -a -s "-screen 0 1024x800x24" build/bench/game_bench
// An argument sets the frames per round and figure (default 8); the logic figures take 75 times as many.

#include "app/frame_loop.hpp"
#include "audio/sound_board.hpp"
#include "creatures/lucanus_cervus.hpp"
#include "creatures/spawn_area.hpp"
#include "creatures/spawner.hpp"
#include "field/landing_marker.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "game/game.hpp"
#include "render/model.hpp"
#include "assets/model_file_check.hpp"
#include "assets/model_import.hpp"
#include "platform/content_hash.hpp"

#include "bench/quiet_traces.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <glm/gtc/matrix_transform.hpp>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
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

int framesPerRound = 8; // a first argument sets another count
constexpr int rounds = 5;
constexpr int floorFramesPerFrame = 4; // the floor is quick: more of its frames per round
constexpr int logicStepsPerFrame = 75;
constexpr float logicStep = 1.0f / 60.0f; // seconds
constexpr float creatureCullDistance = -100.0f; // world units beyond a frustum plane, as the render pass
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
    double low;  // lower end of the spread the function names
    double high; // upper end
};

double at(const std::vector<double>& sorted, double fraction)
{
    return sorted[static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1) + 0.5)];
}

// Median with the middle half of the samples.
Spread quartilesOf(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return {at(samples, 0.5), at(samples, 0.25), at(samples, 0.75)};
}

// Median with the 99th percentile, for the logic steps where rare long ones matter.
Spread p99Of(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return {at(samples, 0.5), samples.front(), at(samples, 0.99)};
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
// check is remembered (cold); otherwise every file the imports read is hashed and compared with the
// record (warm, the median of a few runs). Beside it, hashing the model files alone, and the same files
// imported once in this process, as the game's set-up does anyway.
void measureModelFileCheck()
{
    constexpr int warmRuns = 9;
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
    std::vector<double> warm;
    for (int run = 0; run < warmRuns; ++run)
        warm.push_back(millisecondsOf(checkAll));
    const std::uintmax_t recordBytes = std::filesystem::file_size(record);
    std::filesystem::remove(record);

    std::uint64_t modelBytes = 0;
    std::vector<double> hashing;
    for (int run = 0; run < warmRuns; ++run) {
        modelBytes = 0;
        hashing.push_back(millisecondsOf([&] {
            for (const std::string& file : ModelFileCheck::modelFilesUnder(folder))
                modelBytes += ContentHash::ofFile(file, ModelCheckRecord::maxFileBytes).value_or(ContentHash{}).size;
        }));
    }

    QuietTraces quiet;
    const double selfBefore = processorMilliseconds(RUSAGE_SELF);
    const double imports = millisecondsOf([&] {
        for (const std::string& file : ModelFileCheck::modelFilesUnder(folder))
            ModelImport::read(file);
    });
    const double self = processorMilliseconds(RUSAGE_SELF) - selfBefore;
    const Spread warmSpread = quartilesOf(warm);
    std::printf("model file check before the window, %zu files: cold %.1f ms (helpers' processor time %.1f ms), "
                "warm %.2f ms (quartiles %.2f-%.2f, record %ju bytes)\n",
                files, cold, helpers, warmSpread.median, warmSpread.low, warmSpread.high, recordBytes);
    std::printf("  of the warm check, listing and hashing the model files alone (%.0f KiB): %.2f ms\n",
                static_cast<double>(modelBytes) / 1024.0, quartilesOf(hashing).median);
    std::printf("  for comparison, importing them once in the game process: %.1f ms (processor time %.1f ms)\n",
                imports, self);
}

// The first `count` beetles of repeated mass spawns (106 each, on the rim around the field, later ones on
// the same spots), as a player meets them.
CreatureList massSpawned(Game& game, std::size_t count)
{
    CreatureList saved;
    std::swap(saved, game.creatures);
    while (game.creatures.size() < count)
        game.spawners.front().massSpawn();
    game.creatures.resize(count);
    CreatureList crowd;
    std::swap(crowd, game.creatures);
    std::swap(saved, game.creatures);
    // The game stays paused while it is measured: one still step gives each beetle its drawing pose.
    for (const std::unique_ptr<Animal>& beetle : crowd)
        beetle->update(0.0f);
    return crowd;
}

// How many of the creatures the visible pass just drew (its planes are the player's).
int inView(const Game& game, const CreatureList& creatures)
{
    int count = 0;
    for (const std::unique_ptr<Animal>& creature : creatures) {
        const glm::vec3 position(creature->modelMatrix[3]);
        count += isCulled(game.frustumPlanes, position, creatureCullDistance) ? 0 : 1;
    }
    return count;
}

// Frame times of one figure, all of them and each round's median.
struct Figure {
    std::vector<double> frames;
    std::vector<double> roundMedians;

    void addRound(const std::vector<double>& round)
    {
        frames.insert(frames.end(), round.begin(), round.end());
        roundMedians.push_back(quartilesOf(round).median);
    }
};

// One scene: its beetles are swapped into the frozen game while its frames run.
struct Scene {
    const char* name;
    CreatureList beetles;
    Figure figure;
    int inView = 0;
};

void measureFloor(GLFWwindow* window, Figure& floor)
{
    std::vector<double> round;
    for (int i = 0; i < framesPerRound * floorFramesPerFrame; ++i)
        round.push_back(millisecondsOf([&] {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glfwSwapBuffers(window);
        }));
    floor.addRound(round);
}

std::vector<double> sceneFrames(FrameLoop& loop, Game& game, Scene& scene, int count)
{
    std::swap(game.creatures, scene.beetles);
    std::vector<double> round;
    for (int i = 0; i < count; ++i)
        round.push_back(millisecondsOf([&] { loop.runFrame(); }));
    scene.inView = inView(game, game.creatures);
    std::swap(game.creatures, scene.beetles);
    return round;
}

void printFrames(const char* name, const Figure& figure, const std::string& note = "")
{
    const Spread s = quartilesOf(figure.frames);
    std::printf("  %-22s median %8.2f ms   middle half %8.2f to %8.2f ms   (%zu frames%s)\n", name, s.median,
                s.low, s.high, figure.frames.size(), note.c_str());
}

// Ratio of the two medians, with the lowest and the highest ratio of one round's medians.
void printRatio(const char* name, const Figure& over, const Figure& under)
{
    std::vector<double> perRound;
    for (std::size_t r = 0; r < over.roundMedians.size(); ++r)
        perRound.push_back(over.roundMedians[r] / under.roundMedians[r]);
    std::sort(perRound.begin(), perRound.end());
    const double ratio = quartilesOf(over.frames).median / quartilesOf(under.frames).median;
    std::printf("  %-22s %6.2fx   rounds %5.2fx to %5.2fx\n", name, ratio, perRound.front(), perRound.back());
}

// The game is paused, so the beetles stay where they are; the logic step is measured apart. A first
// frame of each scene, not counted, builds what the drivers build on first use.
void measureFrames(GLFWwindow* window, FrameLoop& loop, Game& game)
{
    std::vector<Scene> scenes;
    scenes.push_back({"empty scene", {}, {}, 0});
    scenes.push_back({"110 beetles", massSpawned(game, 110), {}, 0});
    scenes.push_back({"1,000 beetles", massSpawned(game, 1000), {}, 0});
    game.paused = true;
    for (Scene& scene : scenes)
        sceneFrames(loop, game, scene, 1);
    Figure floor;
    for (int r = 0; r < rounds; ++r) {
        measureFloor(window, floor);
        for (Scene& scene : scenes)
            scene.figure.addRound(sceneFrames(loop, game, scene, framesPerRound));
    }
    game.paused = false;

    std::printf("frame time, %d interleaved rounds:\n", rounds);
    printFrames("clear-and-swap floor", floor);
    for (const Scene& scene : scenes) {
        const std::string inView = ", " + std::to_string(scene.inView) + " in view";
        const std::string note = scene.beetles.empty() ? "" : inView;
        printFrames(scene.name, scene.figure, note);
    }
    std::printf("ratios of the medians:\n");
    printRatio("empty scene / floor", scenes[0].figure, floor);
    printRatio("110 beetles / empty", scenes[1].figure, scenes[0].figure);
    printRatio("1,000 beetles / empty", scenes[2].figure, scenes[0].figure);
}

void measureLogic(Game& game)
{
    game.lifepoints = 1 << 30; // creatures at the chest must not end the game while we measure
    const int steps = framesPerRound * logicStepsPerFrame;
    for (int massSpawns : {0, 1, 9}) {
        for (int i = 0; i < massSpawns; ++i)
            game.spawners.front().massSpawn();
        const int beetles = static_cast<int>(game.creatures.size());
        std::vector<double> logic;
        for (int i = 0; i < steps; ++i)
            logic.push_back(millisecondsOf([&] { game.logic(logicStep); }));
        const Spread l = p99Of(logic);
        std::printf("logic step, %4d beetles (%d steps):   median %8.4f ms   p99 %8.4f ms\n", beetles, steps,
                    l.median, l.high);
    }
}

// Frame time and logic step with 106 beetles, silent and heard through OpenAL. Frames alternate in
// rounds without any sound board and with one (its mixer running, the game telling it what happens), so
// the machine's drifts hit both alike; logic steps alternate step by step between telling and not.
void measureSound(FrameLoop& loop, Game& game)
{
    constexpr int soundRounds = 10;
    constexpr int logicPerFrame = 20; // logic steps are cheap: more of them steady the median
    const int perRound = std::max(5, framesPerRound * rounds / soundRounds);
    game.lifepoints = 1 << 30;
    game.creatures.clear();
    game.spawners.front().massSpawn();
    std::vector<double> frames[2];
    std::vector<double> logic[2];
    bool audible = false;
    for (int round = 0; round < soundRounds; ++round) {
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
    const double silentFrame = quartilesOf(frames[0]).median;
    const double heardFrame = quartilesOf(frames[1]).median;
    const double silentLogic = quartilesOf(logic[0]).median;
    const double heardLogic = quartilesOf(logic[1]).median;
    std::printf("frame time, 106 beetles, sound %s:  median %8.3f ms heard, %8.3f ms silent (%+.1f%%)\n",
                output, heardFrame, silentFrame, 100.0 * (heardFrame / silentFrame - 1.0));
    std::printf("logic step, 106 beetles, sound %s:  median %8.4f ms heard, %8.4f ms silent (%+.1f%%)\n",
                output, heardLogic, silentLogic, 100.0 * (heardLogic / silentLogic - 1.0));
}

// The landing marker of a new stone (its forecast runs through every level): frames of the empty scene
// with the marker shown and hidden, round by round; then its own work, forecast and drawing, finished on
// the GPU, against the same finish without it.
void measureLandingMarker(FrameLoop& loop, Game& game)
{
    constexpr int markerRounds = 10;
    constexpr int ownSamples = 400;
    const int perRound = std::max(5, framesPerRound * rounds / markerRounds);
    game.stoneController = std::make_unique<StoneController>(game.playfield);
    game.paused = true; // the new stone stays at the top
    std::vector<double> frames[2];
    for (int round = 0; round < markerRounds; ++round)
        for (int shown = 0; shown < 2; ++shown) {
            game.showLandingMarker = shown == 1;
            for (int i = 0; i < perRound; ++i)
                frames[shown].push_back(millisecondsOf([&] { loop.runFrame(); }));
        }
    game.showLandingMarker = true;
    std::vector<double> own[2];
    for (int i = 0; i < ownSamples; ++i) {
        own[0].push_back(millisecondsOf([] { glFinish(); }));
        own[1].push_back(millisecondsOf([&] {
            game.landingMarker->draw(game.stoneController->landingCells(), game.projView);
            glFinish();
        }));
    }
    game.paused = false;
    const double hidden = quartilesOf(frames[0]).median;
    const double shown = quartilesOf(frames[1]).median;
    const double work = quartilesOf(own[1]).median - quartilesOf(own[0]).median;
    std::printf("landing marker, empty scene: frame median %8.3f ms shown, %8.3f ms hidden (%+.1f%%)\n", shown, hidden,
                100.0 * (shown / hidden - 1.0));
    std::printf("  its own forecast and drawing: %8.4f ms (%.2f%% of the frame)\n", work, 100.0 * work / hidden);
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
        framesPerRound = std::max(1, std::atoi(argv[1]));
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

    measureFrames(window, loop, game);
    measureLogic(game);
    measureSound(loop, game);
    measureLandingMarker(loop, game);
    measureNewStone(playfield);
    measureMassSpawn(game);
    measurePeakMemory(game);
    game.elapsed = 0.0f; // a measured run is no game for the player's high-score table
    loop.finish();
    return 0;
}
