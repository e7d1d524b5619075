// The real game on a copy of its data with one file missing, cut short or empty: every damage is
// reported, and the game either plays on or exits with its documented status. None of them crashes.

#include "tests/e2e/data_copy.hpp"
#include "tests/e2e/game_test.hpp"
#include "tests/support/run_program.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

class DamagedData : public GameTest {
protected:
    // Plays a little on damaged data: the game must answer keys, spawn creatures, land a stone and quit
    // cleanly.
    void expectPlaysOn(const DataCopy& data, const std::string& expectedReport,
                       const std::vector<std::string>& expectedErrors = {})
    {
        GameTestSession& game = start({.workingDirectory = data.path()});
        ASSERT_TRUE(game.waitUntilPlaying()) << game.output().substr(0, 2000) << game.errors();
        EXPECT_TRUE(game.pressUntil("q", "Spawning on "));
        game.key("F1");
        const int spawned = occurrences(game.output(), "Spawning on ");
        EXPECT_TRUE(game.holdUntil("p", "Spawning on ", 30.0)); // a ring of beetles
        EXPECT_GT(occurrences(game.output(), "Spawning on "), spawned);
        EXPECT_TRUE(game.holdUntil("space", "HAHA", 30.0));
        EXPECT_EQ(game.quit(), 0) << game.errors();
        if (!expectedReport.empty()) {
            EXPECT_NE(game.output().find(expectedReport), std::string::npos) << game.output().substr(0, 2000);
        }
        for (const std::string& error : expectedErrors)
            EXPECT_NE(game.errors().find(error), std::string::npos) << game.errors();
    }

    // Starts the game on data it cannot start with; expects the status of a failed start (-1) and
    // returns the output.
    std::string outputUntilExit(const DataCopy& data)
    {
        GameTestSession& game = start({.workingDirectory = data.path()});
        EXPECT_EQ(game.waitForExit(), 255) << game.errors();
        return game.output();
    }
};

TEST_F(DamagedData, MissingModelIsReportedAndPlayGoesOn)
{
    DataCopy data;
    data.remove("QUARVEL/Ressources/Stones/fathirsch.obj");
    data.remove("QUARVEL/Ressources/Models/coins.obj");
    expectPlaysOn(data, "ERROR::ASSIMP:: ");
}

TEST_F(DamagedData, TruncatedModelsDoNotStopThePlay)
{
    DataCopy data;
    data.truncate("QUARVEL/Ressources/Stones/fathirsch.obj");
    data.truncate("QUARVEL/Ressources/Models/bakedsq.dae");
    data.truncate("QUARVEL/Ressources/Stones/quad.obj");
    expectPlaysOn(data, "");
}

TEST_F(DamagedData, MissingAndBrokenTexturesDoNotStopThePlay)
{
    DataCopy data;
    data.remove("QUARVEL/Ressources/Models/field_grass.png");
    data.truncate("QUARVEL/Ressources/Stones/beetle_shell.png");
    data.empty("QUARVEL/Ressources/Models/squirrel_fur.png");
    expectPlaysOn(data, "");
}

// A 16-bit grey PNM under a texture's name overflowed the decoder; named pipes under a texture's and
// a font's name blocked the start for ever.
TEST_F(DamagedData, DataFilesThatAreNotWhatTheirNameSaysAreRefusedAndPlayGoesOn)
{
    DataCopy data;
    const std::string grey16 = "P5\n64 64\n65535\n" + std::string(64 * 64 * 2, '\x7f');
    data.replace("QUARVEL/Ressources/Models/field_grass.png", grey16);
    data.makePipe("QUARVEL/Ressources/Stones/beetle_shell.png");
    data.makePipe("Crickx.otf");
    expectPlaysOn(data, "ERROR::FREETYPE: Failed to load font\n",
                  {"field_grass.png: not a PNG or JPEG image\n", "beetle_shell.png: not a regular file\n",
                   "Font Crickx.otf: not a regular file\n"});
}

TEST_F(DamagedData, MissingFontIsReportedGlyphByGlyph)
{
    DataCopy data;
    data.remove("Crickx.otf");
    data.truncate("digital-7.ttf");
    GameTestSession& game = start({.workingDirectory = data.path()});
    ASSERT_TRUE(game.waitUntilPlaying()) << game.output().substr(0, 2000) << game.errors();
    EXPECT_NE(game.output().find("ERROR::FREETYPE: Failed to load font\n"), std::string::npos);
    // The help and frame-time texts are drawn without their glyphs.
    game.key("F1");
    game.key("F2");
    ASSERT_TRUE(game.waitForLaterFrame());
    EXPECT_EQ(game.quit(), 0) << game.errors();
    EXPECT_GE(occurrences(game.output(), "ERROR::FREETYTPE: Failed to load Glyph\n"), 128);
}

TEST_F(DamagedData, EmptyShaderEndsTheStartWithItsCompilerLog)
{
    DataCopy data;
    data.empty("QUARVEL/Shader/particle.frag");
    const std::string out = outputUntilExit(data);
    EXPECT_EQ(occurrences(out, "Your shader is fine\n"), 7);
    EXPECT_NE(out.find("Failed to compile shader\n"), std::string::npos) << out;
}

TEST_F(DamagedData, MissingShaderIsNamedAndEndsTheStart)
{
    DataCopy data;
    data.remove("QUARVEL/Shader/shadowmap.vert");
    const std::string out = outputUntilExit(data);
    EXPECT_NE(out.find("Failed to open shader file: QUARVEL/Shader/shadowmap.vert\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("shadowmap.frag"), std::string::npos);
}

// Reading a folder threw and aborted the start (status 134).
TEST_F(DamagedData, AFolderUnderAShaderNameEndsTheStartLikeAMissingShader)
{
    DataCopy data;
    data.makeFolder("QUARVEL/Shader/basicfrag.frag");
    const std::string out = outputUntilExit(data);
    EXPECT_NE(out.find("Your shader is fine\nFailed to open shader file: QUARVEL/Shader/basicfrag.frag\n"),
              std::string::npos) << out;
}

} // namespace
