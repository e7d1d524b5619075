// Costs of the creatures' part of a frame: beetles walking over a field with stones, one mass spawn,
// and one update of a full particle burst. Run under xvfb-run: creatures load models (GL).

#include "creatures/lucanus_cervus.hpp"
#include "creatures/spawn_area.hpp"
#include "creatures/spawner.hpp"
#include "effects/particle_system.hpp"
#include "field/playfield.hpp"
#include "tests/field/fake_food.hpp"

#include "bench/quiet_traces.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <iostream>
#include <memory>
#include <sstream>

namespace {

constexpr float frame = 0.016f; // seconds
constexpr int episodeFrames = 300;


// The chest with its blocked columns and a broken ring of one- and two-level stones around it.
struct BenchField {
    BenchField()
    {
        for (int x = 6; x <= 8; ++x)
            for (int z = 6; z <= 8; ++z)
                for (int level = 0; level < Playfield::levels; ++level)
                    field.at(x, z, level) = (x == 7 && z == 7) ? &chest : &marker;
        for (int i = 2; i <= 12; i += 2) {
            stones.push_back(placeFood(field, {{i, 3, 0}, {i, 11, 0}, {3, i, 0}, {11, i, 0}}));
            if (i % 4 == 0)
                stones.push_back(placeFood(field, {{i, 3, 1}, {11, i, 1}}));
        }
    }
    Playfield field;
    FakeFood marker{'-'};
    FakeFood chest{'T'};
    std::vector<std::shared_ptr<FakeFood>> stones;
};

// One frame of the creatures' logic: update, then think, for every creature.
void BM_BeetlesWalking(benchmark::State& state)
{
    QuietTraces quiet;
    BenchField bench;
    SpawnArea area;
    CreatureList creatures;
    vosk::Spawner spawner(area, creatures, false);
    const int rings = static_cast<int>(state.range(0)) / 106;
    for (auto _ : state) {
        state.PauseTiming();
        creatures.clear();
        for (int i = 0; i < rings; ++i)
            spawner.massSpawn();
        state.ResumeTiming();
        for (int f = 0; f < episodeFrames; ++f) {
            for (const std::unique_ptr<Animal>& creature : creatures) {
                creature->update(frame);
                creature->think(bench.field);
            }
        }
        benchmark::DoNotOptimize(creatures.front()->modelMatrix);
    }
    state.counters["frames"] = benchmark::Counter(static_cast<double>(state.iterations()) * episodeFrames,
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(state.iterations() * episodeFrames * static_cast<std::int64_t>(creatures.size()));
}
BENCHMARK(BM_BeetlesWalking)->Arg(106)->Arg(1060)->Unit(benchmark::kMillisecond);

void BM_MassSpawn(benchmark::State& state)
{
    QuietTraces quiet;
    SpawnArea area;
    CreatureList creatures;
    vosk::Spawner spawner(area, creatures, false);
    spawner.massSpawn(); // the models are imported once, before timing
    for (auto _ : state) {
        state.PauseTiming();
        creatures.clear();
        state.ResumeTiming();
        spawner.massSpawn();
    }
    state.SetItemsProcessed(state.iterations() * 106);
}
BENCHMARK(BM_MassSpawn)->Unit(benchmark::kMicrosecond);

void BM_ParticleUpdate(benchmark::State& state)
{
    ParticleSystem burst(700, 0, 700);
    burst.initBuffers();
    for (int i = 0; i < 19; ++i) // the pool is full from here on
        burst.update(frame);
    for (auto _ : state) {
        burst.update(frame);
        benchmark::DoNotOptimize(burst.instanceCount);
    }
    state.SetItemsProcessed(state.iterations() * ParticleSystem::poolSize);
}
BENCHMARK(BM_ParticleUpdate)->Unit(benchmark::kMicrosecond);

// A hidden 3.3 core window, so that models and particle buffers can be created.
GLFWwindow* openHiddenContext()
{
    if (!glfwInit())
        return nullptr;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(64, 64, "creatures bench", nullptr, nullptr);
    if (window == nullptr)
        return nullptr;
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    return glewInit() == GLEW_OK ? window : nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    if (openHiddenContext() == nullptr) {
        std::cerr << "creatures_bench: no GL context (run it under xvfb-run)\n";
        return 1;
    }
    std::cerr << "build type: " << QUARVEL_BUILD_TYPE << "\n";
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    glfwTerminate();
    return 0;
}
