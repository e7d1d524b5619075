// Checks the generated game fonts with FreeType, the way the text renderer loads and lays them out.

#include "tests/support/run_program.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_FONT_FORMATS_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr FT_UInt pixelHeight = 48;       // glyphs are rasterised this many pixels high
constexpr int screenWidth = 1024;         // pixels of the text projection
constexpr int lifepointsX = 774;          // pixels, where the lifepoints line starts
constexpr float helpScale = 0.6f;         // the help and frame-time lines are drawn scaled down
constexpr const char* scoreFontFile = "digital-7.ttf";
constexpr const char* helpFontFile = "Crickx.otf";

// One FreeType library and face, released on scope exit.
class Font {
public:
    explicit Font(const std::string& fileName)
    {
        const std::string path = sourceDir() + "/" + fileName;
        if (FT_Init_FreeType(&library_) != 0)
            return;
        if (FT_New_Face(library_, path.c_str(), 0, &face_) != 0) {
            face_ = nullptr;
            return;
        }
        FT_Set_Pixel_Sizes(face_, 0, pixelHeight);
    }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font()
    {
        if (face_ != nullptr)
            FT_Done_Face(face_);
        if (library_ != nullptr)
            FT_Done_FreeType(library_);
    }

    FT_Face face() const { return face_; }

    // Renders one character into the face's glyph slot; false when FreeType refuses.
    bool render(unsigned char code) const { return FT_Load_Char(face_, code, FT_LOAD_RENDER) == 0; }

    // How far the renderer's pen moves over the text: whole pixels (advance >> 6) per character, scaled.
    float penAdvance(const std::string& text, float scale) const
    {
        float x = 0.0f;
        for (const unsigned char code : text) {
            if (!render(code))
                ADD_FAILURE() << "no glyph for code " << int(code);
            x += float(face_->glyph->advance.x >> 6) * scale;
        }
        return x;
    }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

bool hasInk(const FT_Bitmap& bitmap)
{
    const unsigned char* pixels = bitmap.buffer;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* line = pixels + std::ptrdiff_t(row) * bitmap.pitch;
        if (std::any_of(line, line + bitmap.width, [](unsigned char c) { return c >= 128; }))
            return true;
    }
    return false;
}

std::vector<char> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct FontKind {
    const char* file;
    const char* format;  // FreeType's name of the outline format
};

class FontFile : public testing::TestWithParam<FontKind> {};

TEST_P(FontFile, OpensAsScalableFontWithOwnMetrics)
{
    const Font font(GetParam().file);
    ASSERT_NE(font.face(), nullptr) << GetParam().file << " does not open";
    const FT_Face face = font.face();
    EXPECT_STREQ(FT_Get_Font_Format(face), GetParam().format);
    EXPECT_TRUE(FT_IS_SCALABLE(face));
    EXPECT_EQ(face->units_per_EM, 1000);
    EXPECT_EQ(face->num_glyphs, 96) << ".notdef and the 95 printable characters";
    EXPECT_GT(face->ascender, 0);
    EXPECT_LT(face->descender, 0);
    EXPECT_NE(face->family_name, nullptr);
}

TEST_P(FontFile, EveryPrintableCharacterHasItsOwnInkedGlyph)
{
    const Font font(GetParam().file);
    ASSERT_NE(font.face(), nullptr);
    for (unsigned char code = '!'; code <= '~'; ++code) {
        SCOPED_TRACE(std::string("character '") + char(code) + "'");
        EXPECT_NE(FT_Get_Char_Index(font.face(), code), 0u);
        ASSERT_TRUE(font.render(code));
        const FT_GlyphSlot glyph = font.face()->glyph;
        EXPECT_GT(glyph->bitmap.width, 0u);
        EXPECT_GT(glyph->bitmap.rows, 0u);
        EXPECT_TRUE(hasInk(glyph->bitmap));
        EXPECT_GT(glyph->advance.x >> 6, 0);
    }
}

TEST_P(FontFile, SpaceMovesThePenWithoutInk)
{
    const Font font(GetParam().file);
    ASSERT_NE(font.face(), nullptr);
    ASSERT_TRUE(font.render(' '));
    const FT_GlyphSlot glyph = font.face()->glyph;
    EXPECT_GT(glyph->advance.x >> 6, 0);
    EXPECT_EQ(glyph->bitmap.width * glyph->bitmap.rows, 0u);
}

TEST_P(FontFile, AllCodesTheRendererAsksForLoad)
{
    // The renderer loads codes 0..127; control codes fall back on the .notdef box.
    const Font font(GetParam().file);
    ASSERT_NE(font.face(), nullptr);
    for (int code = 0; code < 128; ++code)
        EXPECT_TRUE(font.render(static_cast<unsigned char>(code))) << "code " << code;
    ASSERT_TRUE(font.render(7));
    EXPECT_TRUE(hasInk(font.face()->glyph->bitmap)) << ".notdef is visible";
}

TEST_P(FontFile, CapitalsStandOnTheBaselineAtCapHeight)
{
    const Font font(GetParam().file);
    ASSERT_NE(font.face(), nullptr);
    for (const unsigned char code : std::string("HE0")) {
        ASSERT_TRUE(font.render(code));
        const FT_GlyphSlot glyph = font.face()->glyph;
        const int bottom = glyph->bitmap_top - int(glyph->bitmap.rows);
        EXPECT_NEAR(bottom, 0, 1) << code;
        EXPECT_NEAR(glyph->bitmap_top, 0.7 * pixelHeight, 2) << code;
    }
}

INSTANTIATE_TEST_SUITE_P(GameFonts, FontFile,
                         testing::Values(FontKind{scoreFontFile, "TrueType"}, FontKind{helpFontFile, "CFF"}),
                         [](const testing::TestParamInfo<FontKind>& info) {
                             return std::string(info.param.format == std::string("CFF") ? "Help" : "Score");
                         });

TEST(ScoreFont, LifepointsLineEndsBeforeTheRightEdge)
{
    const Font font(scoreFontFile);
    ASSERT_NE(font.face(), nullptr);
    for (const char* text : {"LIFEPOINTS: 5", "LIFEPOINTS: 4", "LIFEPOINTS: 0"})
        EXPECT_LE(font.penAdvance(text, 1.0f), float(screenWidth - lifepointsX)) << text;
}

TEST(ScoreFont, LongestScoreEndsBeforeTheLifepoints)
{
    // Six significant digits in exponent form is the longest text the score line can show.
    const Font font(scoreFontFile);
    ASSERT_NE(font.face(), nullptr);
    EXPECT_LT(font.penAdvance("SCORE: 1.23457e+06", 1.0f), float(lifepointsX));
}

TEST(ScoreFont, DigitsShareOneAdvanceSoTheScoreDoesNotJiggle)
{
    const Font font(scoreFontFile);
    ASSERT_NE(font.face(), nullptr);
    const float zero = font.penAdvance("0", 1.0f);
    for (char digit = '1'; digit <= '9'; ++digit)
        EXPECT_EQ(font.penAdvance(std::string(1, digit), 1.0f), zero) << digit;
}

TEST(HelpFont, HelpAndFrameTimeLinesFitTheScreenWidth)
{
    const Font font(helpFontFile);
    ASSERT_NE(font.face(), nullptr);
    for (const char* text : {"Defend the treasure in the middle by blocking the way ",
                             "or smashing the enemies with the falling stones.", "Mouse, wasd: Camera Movement",
                             "Arrow Keys: Stone Movement", "Space: accelerate fallspeed", "ms/frame:16.6667",
                             " fps:60"})
        EXPECT_LE(font.penAdvance(text, helpScale), float(screenWidth)) << text;
}

TEST(HelpFont, DescendersReachBelowTheBaseline)
{
    const Font font(helpFontFile);
    ASSERT_NE(font.face(), nullptr);
    for (const unsigned char code : std::string("gjpqy")) {
        ASSERT_TRUE(font.render(code));
        const FT_GlyphSlot glyph = font.face()->glyph;
        EXPECT_LT(glyph->bitmap_top - int(glyph->bitmap.rows), -5) << code;
    }
}

TEST(FontGenerator, RegeneratesByteIdenticalFiles)
{
    char pattern[] = "/tmp/quarvel-fonts-XXXXXX";
    const char* folder = mkdtemp(pattern);
    ASSERT_NE(folder, nullptr);
    const ProgramResult run = runProgram("/usr/bin/python3", {"tools/fonts/make_fonts.py", folder}, sourceDir(),
                                         {{"PYTHONDONTWRITEBYTECODE", "1"}}, 120);
    EXPECT_EQ(run.status, 0) << run.err;
    for (const char* file : {scoreFontFile, helpFontFile}) {
        const std::vector<char> made = fileBytes(std::string(folder) + "/" + file);
        EXPECT_FALSE(made.empty()) << file;
        EXPECT_TRUE(made == fileBytes(sourceDir() + "/" + file)) << file << " differs from the committed one";
    }
    std::filesystem::remove_all(folder);
}

} // namespace
