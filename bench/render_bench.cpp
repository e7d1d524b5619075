// Model import, cached model copies and Model::draw. Run under xvfb-run: it needs a GL context.
#include "render/model.hpp"
#include "render/render_state.hpp"
#include "render/shader_program.hpp"
#include "render/shadow_map.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int sphereRings = 64;     // a stone-sized model: 64 x 128 quads, 16384 triangles
constexpr int sphereSegments = 128;
constexpr int massSpawn = 106;      // models handed out by one mass spawn of beetles

std::string sourceFile(const std::string& relative)
{
    return std::string(QUARVEL_SOURCE_DIR) + "/" + relative;
}

// Standard output goes nowhere while alive ("Animator initialised" on every animated model).
class QuietStdout {
public:
    QuietStdout() : previous_(std::cout.rdbuf(sink_.rdbuf())) {}
    ~QuietStdout() { std::cout.rdbuf(previous_); }

private:
    std::ostringstream sink_;
    std::streambuf* previous_;
};

// A textured UV sphere in a scratch folder, with the crate picture as its texture.
std::string writeSphere(const fs::path& dir)
{
    fs::copy_file(sourceFile("tests/data/render/crate.png"), dir / "crate.png", fs::copy_options::overwrite_existing);
    std::ofstream(dir / "sphere.mtl") << "newmtl skin\nmap_Kd crate.png\n";
    std::ofstream obj(dir / "sphere.obj");
    obj << "mtllib sphere.mtl\no sphere\n";
    for (int r = 0; r <= sphereRings; ++r)
        for (int s = 0; s <= sphereSegments; ++s) {
            const double theta = M_PI * r / sphereRings, phi = 2.0 * M_PI * s / sphereSegments;
            const double x = std::sin(theta) * std::cos(phi), y = std::cos(theta), z = std::sin(theta) * std::sin(phi);
            obj << "v " << x << ' ' << y << ' ' << z << "\nvn " << x << ' ' << y << ' ' << z << "\nvt "
                << double(s) / sphereSegments << ' ' << double(r) / sphereRings << '\n';
        }
    obj << "usemtl skin\n";
    const int row = sphereSegments + 1;
    for (int r = 0; r < sphereRings; ++r)
        for (int s = 0; s < sphereSegments; ++s) {
            const int a = r * row + s + 1, b = a + 1, c = a + row + 1, d = a + row;
            obj << "f " << a << '/' << a << '/' << a << ' ' << d << '/' << d << '/' << d << ' ' << c << '/' << c << '/'
                << c << ' ' << b << '/' << b << '/' << b << '\n';
        }
    return (dir / "sphere.obj").string();
}

struct Fixture {
    GLFWwindow* window = nullptr;
    fs::path scratch;
    std::string sphere, column;
    std::unique_ptr<ShaderProgram> program;
    ShadowMap shadowMap;
};
Fixture* fixture = nullptr;

void importAfresh(benchmark::State& state, const std::string& path)
{
    const QuietStdout quiet;
    for (auto _ : state) {
        Model::clearCache();
        Model model(path);
        benchmark::DoNotOptimize(model.meshes().data());
    }
    Model::clearCache();
}

// Each iteration hands out `models` copies of an imported file and lets them go again.
void fromCache(benchmark::State& state, const std::string& path, int models)
{
    const QuietStdout quiet;
    const Model warm(path);
    for (auto _ : state)
        for (int i = 0; i < models; ++i) {
            Model copy(path);
            benchmark::DoNotOptimize(copy.meshes().data());
        }
    state.SetItemsProcessed(state.iterations() * models);
}

// CPU time of Model::draw (what the game's frame pays); with finish, also the rasterisation.
void draw(benchmark::State& state, const std::string& path, bool finish)
{
    const QuietStdout quiet;
    Model model(path);
    glUseProgram(fixture->program->id);
    const glm::mat4 projection = glm::perspective(1.0f, 1.28f, 10.0f, 20000.0f);
    const glm::mat4 view = glm::lookAt(glm::vec3(0, 300, 600), glm::vec3(0), glm::vec3(0, 1, 0));
    const glm::mat4 place = glm::scale(glm::mat4(1.0f), glm::vec3(100.0f));
    glUniformMatrix4fv(fixture->program->uniform("projection"), 1, GL_FALSE, glm::value_ptr(projection));
    glUniformMatrix4fv(fixture->program->uniform("view"), 1, GL_FALSE, glm::value_ptr(view));
    glUniformMatrix4fv(fixture->program->uniform("model"), 1, GL_FALSE, glm::value_ptr(place));
    glEnable(GL_DEPTH_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, 1024, 800);
    for (auto _ : state) {
        model.draw(*fixture->program);
        if (finish)
            glFinish();
    }
    glFinish();
    state.counters["meshes"] = static_cast<double>(model.meshes().size());
}

void setMatrix(const char* name, const glm::mat4& m)
{
    glUniformMatrix4fv(fixture->program->uniform(name), 1, GL_FALSE, glm::value_ptr(m));
}

// A whole frame of a small scene as the game draws it: depth from the light, then the lit, shadowed
// picture over the full 1024 x 800 screen (the ground fills most of it). Mostly fragment shading.
void BM_SceneFrame(benchmark::State& state)
{
    const QuietStdout quiet;
    Model ground(sourceFile("tests/data/render/ground.obj"));
    Model crate(sourceFile("tests/data/render/crate.obj"));
    Model column(fixture->column);
    const glm::vec3 light(700, 1500, 700), eye(700, 900, 1700);
    const glm::mat4 projection = glm::perspective(1.02f, 1.28f, 10.0f, 20000.0f);
    const glm::mat4 lightView = glm::lookAt(light, light - glm::vec3(0, 1, 0), glm::vec3(0, 0, -1));
    const glm::mat4 eyeView = glm::lookAt(eye, glm::vec3(700, 0, 700), glm::vec3(0, 1, 0));
    const auto drawScene = [&] {
        setMatrix("model", glm::mat4(1.0f));
        ground.draw(*fixture->program);
        for (int i = 0; i < 5; ++i) {
            setMatrix("model", glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(300 + 150 * i, 0, 600)),
                                          glm::vec3(100.0f)));
            crate.draw(*fixture->program);
        }
        setMatrix("model", glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(900, 0, 900)), glm::vec3(150.0f)));
        column.draw(*fixture->program);
    };
    glUseProgram(fixture->program->id);
    glUniform3f(fixture->program->uniform("light_ambient"), 0.75f, 0.75f, 0.75f);
    glUniform3f(fixture->program->uniform("light_diffuse"), 1.5f, 1.5f, 1.5f);
    glUniform3f(fixture->program->uniform("light_position"), light.x, light.y, light.z);
    setMatrix("light_projection", projection);
    setMatrix("light_view", lightView);
    setMatrix("projection", projection);
    glEnable(GL_DEPTH_TEST);
    glViewport(0, 0, 1024, 800);
    for (auto _ : state) {
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, fixture->shadowMap.framebuffer());
        glClear(GL_DEPTH_BUFFER_BIT);
        setMatrix("view", lightView);
        drawScene();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        setMatrix("view", eyeView);
        drawScene();
        glFinish();
    }
}

void BM_ImportStaticObj(benchmark::State& state) { importAfresh(state, fixture->sphere); }
void BM_ImportSkinnedCollada(benchmark::State& state) { importAfresh(state, fixture->column); }
void BM_CachedStaticModel(benchmark::State& state) { fromCache(state, fixture->sphere, 1); }
void BM_CachedSkinnedModel(benchmark::State& state) { fromCache(state, fixture->column, 1); }
void BM_CachedMassSpawn(benchmark::State& state) { fromCache(state, fixture->sphere, massSpawn); }
void BM_DrawStatic(benchmark::State& state) { draw(state, fixture->sphere, false); }
void BM_DrawSkinned(benchmark::State& state) { draw(state, fixture->column, false); }
void BM_DrawStaticAndFinish(benchmark::State& state) { draw(state, fixture->sphere, true); }
void BM_DrawSkinnedAndFinish(benchmark::State& state) { draw(state, fixture->column, true); }

BENCHMARK(BM_ImportStaticObj)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportSkinnedCollada)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CachedStaticModel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CachedSkinnedModel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CachedMassSpawn)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawStatic)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawSkinned)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawStaticAndFinish)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_DrawSkinnedAndFinish)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_SceneFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

bool openContext(Fixture& f)
{
    if (!glfwInit())
        return false;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    f.window = glfwCreateWindow(1024, 800, "render bench", nullptr, nullptr);
    if (f.window == nullptr)
        return false;
    glfwMakeContextCurrent(f.window);
    glewExperimental = GL_TRUE;
    return glewInit() == GLEW_OK;
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    Fixture f;
    if (!openContext(f)) {
        std::cerr << "render_bench needs a display (run it under xvfb-run)\n";
        return 1;
    }
    f.scratch = fs::temp_directory_path() / "quarvel-render-bench";
    fs::create_directories(f.scratch);
    f.sphere = writeSphere(f.scratch);
    f.column = sourceFile("tests/data/render/two_bones.dae");
    {
        const QuietStdout quiet;
        f.program = std::make_unique<ShaderProgram>(sourceFile("QUARVEL/Shader/basicvert.vert"),
                                                    sourceFile("QUARVEL/Shader/basicfrag.frag"));
        f.shadowMap.init();
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    shadowDepthTexture = f.shadowMap.depthTexture();
    fixture = &f;
    std::cerr << "build type " << QUARVEL_BUILD_TYPE << "; static model: " << 2 * sphereRings * sphereSegments
              << " triangles; skinned model: two-bone test column\n";

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Model::clearCache();
    f.program.reset();
    fs::remove_all(f.scratch);
    glfwTerminate();
    return 0;
}
