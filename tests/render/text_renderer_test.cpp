#include "render/render_state.hpp"
#include "render/shader_program.hpp"
#include "render/text_renderer.hpp"
#include "tests/render/render_test_support.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>

namespace {

// From the Debian package fonts-dejavu-core; the game's own fonts are data the tests do not rely on.
const char* const testFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct Box {
    int left = 1 << 30, right = -1, bottom = 1 << 30, top = -1; // pixels, y up from the bottom row
};

// Pixels whose red channel was lit, in screen coordinates with y up.
Box litBox(const std::vector<unsigned char>& topDownRgb)
{
    Box box;
    for (int row = 0; row < OffscreenTarget::height; ++row)
        for (int x = 0; x < OffscreenTarget::width; ++x) {
            const std::size_t i = (static_cast<std::size_t>(row) * OffscreenTarget::width + x) * 3;
            if (topDownRgb[i] < 128)
                continue;
            const int y = OffscreenTarget::height - 1 - row;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.bottom = std::min(box.bottom, y);
            box.top = std::max(box.top, y);
        }
    return box;
}

class TextRendererTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testing::internal::CaptureStdout();
        program = std::make_unique<ShaderProgram>(sourcePath("QUARVEL/Shader/FontShader.vert"),
                                                  sourcePath("QUARVEL/Shader/FontShader.frag"));
        testing::internal::GetCapturedStdout();
    }
    static void TearDownTestSuite() { program.reset(); }

    void SetUp() override
    {
        if (!std::filesystem::exists(testFont))
            GTEST_SKIP() << "needs fonts-dejavu-core";
        EXPECT_EQ(stdoutOf([&] { text.loadFont(testFont); }), "");
    }

    static std::unique_ptr<ShaderProgram> program;
    TextRenderer text;
};

std::unique_ptr<ShaderProgram> TextRendererTest::program;

// A missing font, and a named pipe under a font's name (which must not block the start).
TEST(TextRendererSetup, AnUnreadableFontIsReportedAndEveryGlyphWithIt)
{
    ScratchDir dir;
    ASSERT_EQ(mkfifo(dir.file("pipe.ttf").c_str(), 0600), 0);
    std::string expected = "ERROR::FREETYPE: Failed to load font\n";
    for (int code = 0; code < 128; ++code)
        expected += "ERROR::FREETYTPE: Failed to load Glyph\n";

    for (const std::string& path : {std::string("/nonexistent/font.ttf"), dir.file("pipe.ttf")}) {
        TextRenderer text;
        testing::internal::CaptureStderr();
        const std::string out = stdoutOf([&] { text.loadFont(path); });
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(out, expected);
        EXPECT_EQ(err.rfind("Font " + path + ": ", 0), 0u) << err;
        EXPECT_TRUE(text.characters().empty());
        EXPECT_FLOAT_EQ(text.advanceOf("Score", 1.0f), 0.0f);
    }
}

TEST_F(TextRendererTest, LoadsTheFirst128CodesAt48PixelsWithTightRowAlignment)
{
    EXPECT_EQ(text.characters().size(), 128u);
    const Character& a = text.characters().at('A');
    EXPECT_GT(a.size.x, 20);
    EXPECT_GT(a.size.y, 30);
    EXPECT_LE(a.size.y, 48);
    EXPECT_TRUE(glIsTexture(a.texture));
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

TEST_F(TextRendererTest, ASpaceHasNoBitmapButAdvancesInWholePixels)
{
    const Character& space = text.characters().at(' ');
    EXPECT_EQ(space.size, glm::ivec2(0));
    ASSERT_GT(space.advance, 0u);
    EXPECT_FLOAT_EQ(text.advanceOf(" ", 2.0f), static_cast<float>(space.advance >> 6) * 2.0f);
}

TEST_F(TextRendererTest, BytesWithoutAGlyphDrawNothingAndDoNotAdvance)
{
    EXPECT_FLOAT_EQ(text.advanceOf("A\x80Z\xE9", 1.0f), text.advanceOf("AZ", 1.0f));
    glUseProgram(program->id);
    EXPECT_EQ(trianglesDrawnBy([&] { text.drawText(*program, "\xC3\xA9", 10, 10, 1, glm::vec3(1)); }), 0u);
    EXPECT_EQ(trianglesDrawnBy([&] { text.drawText(*program, "A\x80Z", 10, 10, 1, glm::vec3(1)); }), 4u);
    EXPECT_EQ(text.characters().size(), 128u) << "drawing adds no entries";
}

// Where a glyph lands: its bitmap's top at y + bearing, its bottom at y - (rows - bearing).
TEST_F(TextRendererTest, AGlyphIsDrawnAtItsBearingsFromTheBaseline)
{
    const OffscreenTarget target;
    target.bind();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST); // text leaves depth testing to its caller, as the HUD does
    constexpr float x = 300.0f, y = 400.0f, scale = 2.0f;
    text.drawText(*program, "g", x, y, scale, glm::vec3(1, 0, 0)); // a descender below the baseline

    const Character& g = text.characters().at('g');
    const Box box = litBox(target.pixels());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    EXPECT_NEAR(box.left, x + g.bearing.x * scale, 2);
    EXPECT_NEAR(box.right + 1, x + (g.bearing.x + g.size.x) * scale, 2);
    EXPECT_NEAR(box.top + 1, y + g.bearing.y * scale, 2);
    EXPECT_NEAR(box.bottom, y - (g.size.y - g.bearing.y) * scale, 2);
    EXPECT_LT(box.bottom, y) << "the descender reaches below the baseline";
}

TEST_F(TextRendererTest, DrawingLeavesBlendingOffAndNoVertexArrayBound)
{
    text.drawText(*program, "", 0, 0, 1, glm::vec3(1));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    text.drawText(*program, "Hi", 0, 0, 1, glm::vec3(1));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLint current = 0, vao = -1, texture = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vao);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    EXPECT_EQ(static_cast<GLuint>(current), program->id);
    EXPECT_EQ(vao, 0);
    EXPECT_EQ(texture, 0);
}

TEST_F(TextRendererTest, GlyphsAreFilteredAsTheSwitchSaysWhenLoaded)
{
    linearFiltering = false;
    TextRenderer sharp;
    sharp.loadFont(testFont);
    linearFiltering = true;

    GLint filter = 0;
    glBindTexture(GL_TEXTURE_2D, sharp.characters().at('A').texture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(filter, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, text.characters().at('A').texture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
}

TEST_F(TextRendererTest, GlyphTexturesGoWithTheRenderer)
{
    GLuint glyph = 0;
    {
        TextRenderer owner;
        owner.loadFont(testFont);
        glyph = owner.characters().at('A').texture;
        TextRenderer moved = std::move(owner);
        EXPECT_TRUE(glIsTexture(glyph));
    }
    EXPECT_FALSE(glIsTexture(glyph));
}

} // namespace
