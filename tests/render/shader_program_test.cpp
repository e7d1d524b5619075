#include "render/shader_program.hpp"
#include "tests/render/render_test_support.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>

namespace {

constexpr int fatalExit = 255; // exit(-1) as the parent sees it

const char* const vertexSource = R"(#version 330 core
layout(location = 0) in vec3 position;
uniform mat4 model;
out vec3 passed;
void main() { passed = position; gl_Position = model * vec4(position, 1.0); }
)";
const char* const fragmentSource = R"(#version 330 core
in vec3 passed;
uniform vec3 tint;
out vec4 colour;
void main() { colour = vec4(passed * tint, 1.0); }
)";
// Compiles, but calls a function that no shader defines: the link fails.
const char* const unmatchedFragmentSource = R"(#version 330 core
out vec4 colour;
vec4 shadeElsewhere();
void main() { colour = shadeElsewhere(); }
)";

struct GamePrograms {
    const char* vertex;
    const char* fragment;
};

class ShaderProgramTest : public testing::Test {
protected:
    ShaderProgramTest()
    {
        writeText(vertexPath, vertexSource);
        writeText(fragmentPath, fragmentSource);
    }

    ScratchDir dir;
    std::string vertexPath = dir.file("plain.vert");
    std::string fragmentPath = dir.file("plain.frag");
};

TEST_F(ShaderProgramTest, BuildsALinkedProgramAndSaysSoForEachShader)
{
    std::unique_ptr<ShaderProgram> program;
    const std::string out = stdoutOf([&] { program = std::make_unique<ShaderProgram>(vertexPath, fragmentPath); });

    EXPECT_EQ(out, "Your shader is fine\nYour shader is fine\n");
    EXPECT_EQ(program->label, "hello");
    GLint linked = GL_FALSE;
    glGetProgramiv(program->id, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
    GLint attached = 0;
    glGetProgramiv(program->id, GL_ATTACHED_SHADERS, &attached);
    EXPECT_EQ(attached, 2); // the shaders stay attached for the program's life
    EXPECT_TRUE(glIsShader(program->vertexShader));
    EXPECT_TRUE(glIsShader(program->fragmentShader));
}

TEST_F(ShaderProgramTest, TwoProgramsFromTheSameFilesAreIndependent)
{
    testing::internal::CaptureStdout();
    ShaderProgram first(vertexPath, fragmentPath);
    ShaderProgram second(vertexPath, fragmentPath);
    testing::internal::GetCapturedStdout();
    EXPECT_NE(first.id, second.id);
    EXPECT_NE(first.vertexShader, second.vertexShader);
}

TEST_F(ShaderProgramTest, DestructionDeletesTheProgramAndBothShaders)
{
    GLuint id = 0, vertex = 0, fragment = 0;
    {
        testing::internal::CaptureStdout();
        ShaderProgram program(vertexPath, fragmentPath);
        testing::internal::GetCapturedStdout();
        id = program.id;
        vertex = program.vertexShader;
        fragment = program.fragmentShader;
    }
    EXPECT_FALSE(glIsProgram(id));
    EXPECT_FALSE(glIsShader(vertex));
    EXPECT_FALSE(glIsShader(fragment));
}

TEST_F(ShaderProgramTest, UniformLocationsMatchGlAndUnknownNamesGiveMinusOne)
{
    testing::internal::CaptureStdout();
    ShaderProgram program(vertexPath, fragmentPath);
    testing::internal::GetCapturedStdout();

    EXPECT_EQ(program.uniform("model"), glGetUniformLocation(program.id, "model"));
    EXPECT_EQ(program.uniform("tint"), glGetUniformLocation(program.id, "tint"));
    EXPECT_NE(program.uniform("model"), -1);
    EXPECT_EQ(program.uniform("noSuchUniform"), -1);
    const std::string name = "tint"; // a different pointer to the same name hits the same entry
    EXPECT_EQ(program.uniform(name.c_str()), glGetUniformLocation(program.id, "tint"));
}

TEST_F(ShaderProgramTest, AFailedLinkIsSurvivedAndReportedOnStandardErrorOnly)
{
    const std::string badFragment = dir.file("unmatched.frag");
    writeText(badFragment, unmatchedFragmentSource);

    testing::internal::CaptureStderr();
    std::unique_ptr<ShaderProgram> program;
    const std::string out = stdoutOf([&] { program = std::make_unique<ShaderProgram>(vertexPath, badFragment); });
    const std::string err = testing::internal::GetCapturedStderr();

    EXPECT_EQ(out, "Your shader is fine\nYour shader is fine\n");
    EXPECT_NE(program->id, 0u);
    GLint linked = GL_TRUE;
    glGetProgramiv(program->id, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_FALSE);
    EXPECT_NE(err.find("failed to link"), std::string::npos) << err;
}

// Helper programs (files or built in) report where they are told, never on standard output; a built-in
// one that fails leaves no program, and the process goes on.
TEST_F(ShaderProgramTest, ReportsGoWhereTheyAreToldAndBuiltInFailuresLeaveNoProgram)
{
    struct Case {
        const char* name;
        std::function<std::unique_ptr<ShaderProgram>(std::ostream&)> build;
        const char* reported; // how the reports begin
        bool usable;
    };
    const auto builtIn = [](const char* vertex, const char* fragment) {
        return [=](std::ostream& reports) {
            return std::make_unique<ShaderProgram>(ShaderProgram::BuiltIn{"probe", vertex, fragment}, reports);
        };
    };
    const auto files = [&](std::ostream& reports) {
        return std::make_unique<ShaderProgram>(vertexPath, fragmentPath, reports);
    };
    const char* const twiceFine = "Your shader is fine\nYour shader is fine\n";
    const Case cases[] = {
        {"files", files, twiceFine, true},
        {"built in", builtIn(vertexSource, fragmentSource), twiceFine, true},
        {"built in, not compiling", builtIn("#version 330 core\nvoid main() { nothing; }\n", fragmentSource),
         "Failed to compile shader\n", false},
    };
    for (const Case& c : cases) {
        std::ostringstream reports;
        std::unique_ptr<ShaderProgram> program;
        EXPECT_EQ(stdoutOf([&] { program = c.build(reports); }), "") << c.name;
        EXPECT_EQ(reports.str().rfind(c.reported, 0), 0u) << c.name << ": " << reports.str();
        EXPECT_EQ(program->id != 0, c.usable) << c.name;
        if (c.usable) {
            EXPECT_NE(program->uniform("tint"), -1) << c.name;
        }
    }
}

TEST(ShaderProgramGameFiles, EveryGameProgramCompilesAndLinks)
{
    const GamePrograms programs[] = {
        {"QUARVEL/Shader/basicvert.vert", "QUARVEL/Shader/basicfrag.frag"},
        {"QUARVEL/Shader/shadowmap.vert", "QUARVEL/Shader/shadowmap.frag"},
        {"QUARVEL/Shader/FontShader.vert", "QUARVEL/Shader/FontShader.frag"},
        {"QUARVEL/Shader/particle.vert", "QUARVEL/Shader/particle.frag"},
    };
    for (const GamePrograms& files : programs) {
        std::unique_ptr<ShaderProgram> program;
        const std::string out = stdoutOf(
            [&] { program = std::make_unique<ShaderProgram>(sourcePath(files.vertex), sourcePath(files.fragment)); });
        EXPECT_EQ(out, "Your shader is fine\nYour shader is fine\n") << files.vertex;
        GLint linked = GL_FALSE;
        glGetProgramiv(program->id, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_TRUE) << files.vertex;
    }
}

// The interface every drawing part relies on: attribute locations and uniform types of the scene program.
TEST(ShaderProgramGameFiles, SceneProgramHasTheFixedInputsAndUniforms)
{
    testing::internal::CaptureStdout();
    ShaderProgram program(sourcePath("QUARVEL/Shader/basicvert.vert"), sourcePath("QUARVEL/Shader/basicfrag.frag"));
    testing::internal::GetCapturedStdout();

    EXPECT_EQ(glGetAttribLocation(program.id, "position"), 0);
    EXPECT_EQ(glGetAttribLocation(program.id, "normal"), 1);
    EXPECT_EQ(glGetAttribLocation(program.id, "texCoords"), 2);
    EXPECT_EQ(glGetAttribLocation(program.id, "boneIds"), 3);
    EXPECT_EQ(glGetAttribLocation(program.id, "boneWeights"), 4);
    for (const char* name : {"model", "view", "projection", "light_view", "light_projection", "light_position",
                             "light_ambient", "light_diffuse", "viewPos", "bones", "gShadowMap",
                             "mat_texture_diffuse1", "mat_shininess"})
        EXPECT_NE(program.uniform(name), -1) << name;
}

// Fatal paths: each runs in a child process whose standard output is sent to standard error.

TEST_F(ShaderProgramTest, MissingVertexFileIsNamedAndEndsTheProcessBeforeTheFragmentFile)
{
    const std::string missing = "/nonexistent-quarvel-dir/missing.vert";
    EXPECT_EXIT(
        {
            sendStdoutToStderr();
            ShaderProgram program(missing, fragmentPath);
        },
        testing::ExitedWithCode(fatalExit), "^Failed to open shader file: " + missing + "\n$");
}

TEST_F(ShaderProgramTest, MissingFragmentFileEndsTheProcessAfterTheVertexShader)
{
    const std::string missing = "/nonexistent-quarvel-dir/missing.frag";
    EXPECT_EXIT(
        {
            sendStdoutToStderr();
            ShaderProgram program(vertexPath, missing);
        },
        testing::ExitedWithCode(fatalExit), "^Your shader is fine\nFailed to open shader file: " + missing + "\n$");
}

// Opening a folder as a stream succeeds; reading it used to throw and abort (status 134).
TEST_F(ShaderProgramTest, AFolderUnderAShaderNameEndsTheProcessLikeAMissingFile)
{
    const std::string folder = dir.file("folder.vert");
    std::filesystem::create_directory(folder);
    EXPECT_EXIT(
        {
            sendStdoutToStderr();
            ShaderProgram program(folder, fragmentPath);
        },
        // The child process has a scratch folder of its own.
        testing::ExitedWithCode(fatalExit), "^Failed to open shader file: /.*/folder.vert\n$");
}

TEST_F(ShaderProgramTest, CompileErrorPrintsTheLogAndEndsTheProcess)
{
    const std::string broken = dir.file("broken.frag");
    writeText(broken, "#version 330 core\nout vec4 colour;\nvoid main() { colour = undeclaredThing; }\n");
    EXPECT_EXIT(
        {
            sendStdoutToStderr();
            ShaderProgram program(vertexPath, broken);
        },
        testing::ExitedWithCode(fatalExit),
        "^Your shader is fine\nFailed to compile shader\n.*undeclaredThing.*\n$");
}

TEST_F(ShaderProgramTest, EmptySourceIsHandedToTheCompilerAndFails)
{
    const std::string empty = dir.file("empty.vert");
    writeText(empty, "");
    EXPECT_EXIT(
        {
            sendStdoutToStderr();
            ShaderProgram program(empty, fragmentPath);
        },
        testing::ExitedWithCode(fatalExit), "^Failed to compile shader\n");
}

TEST_F(ShaderProgramTest, AShaderObjectThatCannotBeCreatedEndsTheProcess)
{
    EXPECT_EXIT(
        {
            sendStdoutToStderr();
            GLuint shader = 0;
            ShaderProgram::compileShaderFile(vertexPath, GL_NONE, shader); // not a shader stage
        },
        testing::ExitedWithCode(fatalExit), "^Failed to create shader\n$");
}

} // namespace
