#include "render/render_state.hpp"
#include "render/texture_loader.hpp"
#include "tests/render/render_test_support.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

namespace {

struct TextureImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; // rows top first, as the file had them
};

TextureImage readBack(GLuint texture)
{
    TextureImage image;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &image.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &image.height);
    image.rgb.resize(static_cast<std::size_t>(image.width * image.height * 3));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, image.rgb.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return image;
}

GLint parameter(GLuint texture, GLenum name)
{
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    glBindTexture(GL_TEXTURE_2D, 0);
    return value;
}

class TextureLoaderTest : public testing::Test {
protected:
    ~TextureLoaderTest() override
    {
        for (GLuint texture : made)
            glDeleteTextures(1, &texture);
    }
    GLuint load(const char* name)
    {
        made.push_back(textureFromFile(name, dir.path().string()));
        return made.back();
    }

    ScratchDir dir;
    std::vector<GLuint> made;
};

TEST_F(TextureLoaderTest, RgbaArrivesAsRgbWithAlphaDropped)
{
    writePng(dir.file("rgba.png"), 2, 1, 4, {10, 20, 30, 40, 50, 60, 70, 0});
    const TextureImage image = readBack(load("rgba.png"));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 1);
    EXPECT_EQ(image.rgb, (std::vector<unsigned char>{10, 20, 30, 50, 60, 70}));
}

TEST_F(TextureLoaderTest, GreyArrivesAsRgbWithEqualChannels)
{
    writePng(dir.file("grey.png"), 1, 2, 1, {77, 200});
    const TextureImage image = readBack(load("grey.png"));
    EXPECT_EQ(image.rgb, (std::vector<unsigned char>{77, 77, 77, 200, 200, 200}));
}

// 3 RGB pixels are 9 bytes a row: correct whatever row alignment GL was left with.
TEST_F(TextureLoaderTest, OddRowLengthsArriveIntactAndTheAlignmentIsLeftAsItWas)
{
    std::vector<unsigned char> pixels;
    for (unsigned char i = 0; i < 18; ++i)
        pixels.push_back(static_cast<unsigned char>(i * 10));
    writePng(dir.file("odd.png"), 3, 2, 3, pixels);

    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const TextureImage image = readBack(load("odd.png"));
    EXPECT_EQ(image.rgb, pixels);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);
}

TEST_F(TextureLoaderTest, HasAFullMipmapChainRepeatAndTrilinearMinification)
{
    writePng(dir.file("big.png"), 8, 4, 3, std::vector<unsigned char>(8 * 4 * 3, 99));
    const GLuint texture = load("big.png");
    EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_T), GL_REPEAT);
    EXPECT_EQ(parameter(texture, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    GLint lastWidth = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 3, GL_TEXTURE_WIDTH, &lastWidth);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(lastWidth, 1) << "levels down to 1 x 1";
}

TEST_F(TextureLoaderTest, MagnificationFollowsTheSwitchAtCreation)
{
    writePng(dir.file("px.png"), 1, 1, 3, {1, 2, 3});
    const GLuint smooth = load("px.png");
    linearFiltering = false;
    const GLuint sharp = load("px.png");
    linearFiltering = true;
    EXPECT_EQ(parameter(smooth, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(sharp, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
}

TEST_F(TextureLoaderTest, AMissingOrUndecodableFileStillGivesAUsableTexture)
{
    writeText(dir.file("junk.png"), "not an image");
    for (const char* name : {"absent.png", "junk.png"}) {
        testing::internal::CaptureStderr();
        const GLuint texture = load(name);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(texture, 0u);
        EXPECT_TRUE(glIsTexture(texture));
        EXPECT_NE(err.find(name), std::string::npos) << "named on standard error: " << err;
        const TextureImage image = readBack(texture);
        EXPECT_EQ(image.width, 1);
        EXPECT_EQ(image.rgb, (std::vector<unsigned char>{255, 255, 255}));
    }
}

// Damaged or hostile files under a texture's name: each is refused with one line on standard error
// naming the file and the reason, and gives the white texel. None may crash, stall or upload nothing.
TEST_F(TextureLoaderTest, FilesThatAreNotUsableImagesAreRefusedWithTheirReason)
{
    // 16-bit grey PNM: its 16-to-8-bit conversion read past the decoded pixels.
    constexpr int side = 512;
    writeText(dir.file("grey16.png"), "P5\n512 512\n65535\n" + std::string(side * side * 2, '\x7f'));
    // One texel wider than the driver takes: glTexImage2D would fail and leave no image.
    GLint limit = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
    writePng(dir.file("wide.png"), limit + 1, 1, 3, std::vector<unsigned char>((limit + 1) * 3, 50));
    // A named pipe with no writer: opening it to read blocked for ever.
    ASSERT_EQ(mkfifo(dir.file("pipe.png").c_str(), 0600), 0);

    const struct {
        const char* name;
        std::string reason;
    } cases[] = {{"grey16.png", "not a PNG or JPEG image"},
                 {"wide.png", "more than the driver's limit of " + std::to_string(limit)},
                 {"pipe.png", "not a regular file"}};
    for (const auto& refused : cases) {
        testing::internal::CaptureStderr();
        const GLuint texture = load(refused.name);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(err.rfind("Texture " + dir.file(refused.name) + ": ", 0), 0u) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_NE(err.find(refused.reason), std::string::npos) << err;
        const TextureImage image = readBack(texture);
        EXPECT_EQ(image.width, 1) << refused.name;
        EXPECT_EQ(image.rgb, (std::vector<unsigned char>{255, 255, 255})) << refused.name;
    }
}

} // namespace
