// Renders a small lit, shadowed scene the way a frame of the game does (shadow pass, then the visible
// pass with the same program) and checks what the picture shows. The picture is saved for a look.
#include "render/mesh_static_program.hpp"
#include "render/model.hpp"
#include "render/render_state.hpp"
#include "render/shader_program.hpp"
#include "render/shadow_map.hpp"
#include "tests/render/render_test_support.hpp"

#include <GLFW/glfw3.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iostream>
#include <memory>

namespace {

const glm::vec3 lightPosition(700.0f, 1500.0f, 700.0f);
const glm::vec3 eyePosition(700.0f, 750.0f, 1900.0f);
const glm::vec3 sky(0.686f, 0.933f, 0.933f);
constexpr double bentSeconds = 1.0;    // the test column's Tip bone at its quarter turn
constexpr double straightSeconds = 0.0;

// The game's camera projection: aspect 1.28, near 10, far 20000, a zoom of 45 taken as radians.
glm::mat4 gameProjection()
{
    const float t = static_cast<float>(std::tan(45.0 * 0.5));
    glm::mat4 p(0.0f);
    p[0][0] = 1.0f / (t * 1.28f);
    p[1][1] = 1.0f / t;
    p[2][2] = -1.0010005f;
    p[2][3] = -1.0f;
    p[3][2] = -20.010006f;
    return p;
}

struct Rgb {
    int r, g, b;
    int sum() const { return r + g + b; }
};

class SceneRenderTest : public testing::Test {
protected:
    SceneRenderTest()
    {
        Model::clearCache();
        testing::internal::CaptureStdout();
        shadowMap.init();
        program = std::make_unique<ShaderProgram>(sourcePath("QUARVEL/Shader/basicvert.vert"),
                                                  sourcePath("QUARVEL/Shader/basicfrag.frag"));
        ground = std::make_unique<Model>(sourcePath("tests/data/render/ground.obj"));
        crate = std::make_unique<Model>(sourcePath("tests/data/render/crate.obj"));
        column = std::make_unique<Model>(sourcePath("tests/data/render/two_bones.dae"));
        testing::internal::GetCapturedStdout();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        shadowDepthTexture = shadowMap.depthTexture();
    }
    ~SceneRenderTest() override
    {
        shadowDepthTexture = 0;
        glDisable(GL_DEPTH_TEST);
        Model::clearCache();
    }

    void set(const char* name, const glm::mat4& m) { glUniformMatrix4fv(program->uniform(name), 1, GL_FALSE, glm::value_ptr(m)); }
    void set(const char* name, const glm::vec3& v) { glUniform3f(program->uniform(name), v.x, v.y, v.z); }

    void drawScene()
    {
        set("model", glm::mat4(1.0f));
        ground->draw(*program);
        drawCrate(glm::vec3(620, 0, 620), 120.0f);
        drawCrate(glm::vec3(250, 0, 850), 150.0f); // a stack off the light's axis throws a long shadow
        drawCrate(glm::vec3(250, 150, 850), 150.0f);
        set("model", columnMatrix);
        glfwSetTime(clock);
        column->draw(*program);
    }

    void drawCrate(glm::vec3 corner, float size)
    {
        set("model", glm::scale(glm::translate(glm::mat4(1.0f), corner), glm::vec3(size)));
        crate->draw(*program);
    }

    // One frame: depth from the light into the shadow map, then the picture from the eye.
    // The column is drawn at exactly this clock in both passes, so its shadow matches its pose.
    void renderFrame(double clockSeconds)
    {
        clock = clockSeconds;
        const glm::mat4 projection = gameProjection();
        const glm::mat4 lightView = glm::lookAt(lightPosition, lightPosition - glm::vec3(0, 1, 0), glm::vec3(0, 0, -1));
        eyeView = glm::lookAt(eyePosition, glm::vec3(700, 50, 700), glm::vec3(0, 1, 0));

        glUseProgram(program->id);
        set("light_ambient", glm::vec3(0.75f));
        set("light_diffuse", glm::vec3(1.5f));
        set("light_specular", glm::vec3(1.0f));
        set("mat_ambient", glm::vec3(1.0f, 0.5f, 0.31f));
        set("mat_diffuse", glm::vec3(1.0f, 0.5f, 0.31f));
        set("mat_specular", glm::vec3(0.5f));
        glUniform1f(program->uniform("mat_shininess"), 32.0f);
        glUniform4f(program->uniform("stone_color"), 1.0f, 0.0f, 1.0f, 1.0f); // must not tint
        set("light_position", lightPosition);
        set("light_projection", projection);
        set("light_view", lightView);
        glEnable(GL_DEPTH_TEST);
        glViewport(0, 0, ShadowMap::width, ShadowMap::height);

        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, shadowMap.framebuffer());
        glClear(GL_DEPTH_BUFFER_BIT);
        set("projection", projection);
        set("view", lightView);
        set("viewPos", lightPosition);
        drawScene();

        target.bind();
        glClearColor(sky.r, sky.g, sky.b, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        set("view", eyeView);
        set("viewPos", eyePosition);
        drawScene();
        pixels = target.pixels();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }

    Rgb at(const glm::vec3& world) const
    {
        const glm::vec3 window = glm::project(world, eyeView, gameProjection(),
                                              glm::vec4(0, 0, OffscreenTarget::width, OffscreenTarget::height));
        const int x = static_cast<int>(window.x);
        const int row = OffscreenTarget::height - 1 - static_cast<int>(window.y);
        const std::size_t i = (static_cast<std::size_t>(row) * OffscreenTarget::width + x) * 3;
        return {pixels[i], pixels[i + 1], pixels[i + 2]};
    }

    std::vector<float> shadowDepths() const
    {
        std::vector<float> depths(static_cast<std::size_t>(ShadowMap::width) * ShadowMap::height);
        glBindTexture(GL_TEXTURE_2D, shadowMap.depthTexture());
        glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        return depths;
    }

    // Program and stand-in as the game builds them, from its shader files.
    static std::unique_ptr<ShaderProgram> gameProgram(const char* vertexFile, const char* fragmentFile)
    {
        const std::string folder = "QUARVEL/Shader/";
        testing::internal::CaptureStdout();
        auto built =
            std::make_unique<ShaderProgram>(sourcePath(folder + vertexFile), sourcePath(folder + fragmentFile));
        testing::internal::GetCapturedStdout();
        return built;
    }
    static std::unique_ptr<StaticMeshProgram> standInFor(ShaderProgram& scene, const char* fragmentFile)
    {
        testing::internal::CaptureStdout();
        auto built = std::make_unique<StaticMeshProgram>(scene, sourcePath("QUARVEL/Shader/staticvert.vert"),
                                                         sourcePath(std::string("QUARVEL/Shader/") + fragmentFile));
        testing::internal::GetCapturedStdout();
        return built;
    }

    void save(const std::string& name) const
    {
        const std::string path = shotDirectory() + "/" + name;
        writePng(path, OffscreenTarget::width, OffscreenTarget::height, 3, pixels);
        std::cerr << "picture: " << path << "\n";
    }

    ShadowMap shadowMap;
    std::unique_ptr<ShaderProgram> program;
    std::unique_ptr<Model> ground, crate, column;
    // The column bends toward +x, away from the centre.
    glm::mat4 columnMatrix = glm::scale(glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(1050, 0, 700)),
                                                    glm::radians(180.0f), glm::vec3(0, 1, 0)),
                                        glm::vec3(200.0f));
    OffscreenTarget target;
    glm::mat4 eyeView{1.0f};
    double clock = 0.0;
    std::vector<unsigned char> pixels;
};

TEST_F(SceneRenderTest, TexturedModelsAreLitAndThrowSoftShadows)
{
    renderFrame(bentSeconds);
    save("render_scene.png");

    // The stack's top (x 250..400, y 300, z 850..1000) shadows the ground out to x = 137.5 on its far
    // side; x = 190 lies inside that shadow, x = 100 in full light.
    const Rgb shadowed = at(glm::vec3(190, 0, 950));
    const Rgb lit = at(glm::vec3(100, 0, 950));
    EXPECT_GT(lit.g, lit.r) << "grass";
    EXPECT_GT(shadowed.g, shadowed.r) << "grass in shadow";
    EXPECT_LT(shadowed.sum(), lit.sum() * 3 / 4) << "shadowed " << shadowed.sum() << " lit " << lit.sum();
    EXPECT_GT(shadowed.sum(), lit.sum() / 4) << "the ambient light still reaches it";

    const Rgb crateTop = at(glm::vec3(700, 120, 700));
    EXPECT_GT(crateTop.r, crateTop.g) << "wood, not tinted by stone_color";
    EXPECT_GT(crateTop.g, crateTop.b);
    EXPECT_LT(crateTop.sum(), 3 * 250) << "not washed out";

    // Under the light, lit ground facing it is free of acne: neighbouring points differ only by texture.
    const Rgb open1 = at(glm::vec3(1100, 0, 1150));
    const Rgb open2 = at(glm::vec3(1104, 0, 1152));
    EXPECT_NEAR(open1.sum(), open2.sum(), 60);
}

TEST_F(SceneRenderTest, TheSkinnedColumnBendsWithTheClock)
{
    const glm::vec3 bentTip(1170, 200, 700); // (-0.6, 1, 0) of the bent model, turned and scaled

    renderFrame(straightSeconds);
    save("render_scene_straight.png");
    const Rgb straight = at(bentTip);
    renderFrame(bentSeconds);
    const Rgb bent = at(bentTip);

    EXPECT_GT(bent.r, bent.b) << "the column's yellow and brown stripes";
    EXPECT_GT(std::abs(bent.sum() - straight.sum()) + std::abs(bent.b - straight.b), 60)
        << "the straight column leaves that spot to the background";
}

} // namespace

namespace {

template <typename T>
std::size_t differing(const std::vector<T>& a, const std::vector<T>& b)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        count += std::memcmp(&a[i], &b[i], sizeof(T)) != 0;
    return count;
}

// The game's shadow pass draws with the depth program and its stand-in for meshes without bones.
TEST_F(SceneRenderTest, TheDepthProgramAndItsStandInLeaveTheShadowMapTheSameBitForBit)
{
    renderFrame(bentSeconds);
    const std::vector<float> shaded = shadowDepths();
    program = gameProgram("basicvert.vert", "depthonly.frag");
    const auto standIn = standInFor(*program, "depthonly.frag");

    renderFrame(bentSeconds);

    EXPECT_EQ(differing(shadowDepths(), shaded), 0u);
}

TEST_F(SceneRenderTest, TheStandInForMeshesWithoutBonesLeavesThePictureAndTheSkinnedColumnBends)
{
    const glm::vec3 bentTip(1170, 200, 700);
    renderFrame(bentSeconds);
    const std::vector<unsigned char> drawnBySceneProgram = pixels;
    const auto standIn = standInFor(*program, "basicfrag.frag");

    renderFrame(bentSeconds);
    EXPECT_EQ(differing(pixels, drawnBySceneProgram), 0u);
    const Rgb bent = at(bentTip);
    renderFrame(straightSeconds);
    EXPECT_GT(std::abs(bent.sum() - at(bentTip).sum()) + std::abs(bent.b - at(bentTip).b), 60);
}

} // namespace
