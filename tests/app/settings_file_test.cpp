// The settings file: what each line changes, one message per line that cannot be used (the rest
// applies), files that cannot be read at all, and --settings output that reads back as the same settings.

#include "app/settings_file.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/scratch_dir.hpp"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

namespace {

const std::string path = "/home/p/.config/quarvel/settings.ini";

struct Parsed {
    PlayerSettings settings;
    std::string errors;
};

Parsed parse(const std::string& text)
{
    std::ostringstream errors;
    PlayerSettings settings = SettingsFile::parse(text, path, errors);
    return {settings, errors.str()};
}

TEST(SettingsFile, EachKindOfLineChangesItsSetting)
{
    struct Case {
        std::string text;
        std::function<bool(const PlayerSettings&)> changed;
    };
    const Case cases[] = {
        {"[keys]\ndrop_fast = J\n",
         [](const PlayerSettings& s) { return s.keys.keys(PlayerAction::DropFast) == std::vector<int>{GLFW_KEY_J}; }},
        {"[keys]\n  pause=kp_1 ,  F12  # both\n",
         [](const PlayerSettings& s) {
             return s.keys.keys(PlayerAction::Pause) == std::vector<int>{GLFW_KEY_KP_1, GLFW_KEY_F12};
         }},
        {"[keys]\nquit =\n", [](const PlayerSettings& s) { return s.keys.keys(PlayerAction::Quit).empty(); }},
        {"# stone keys\n[keys]\nstone_left = X\n",
         [](const PlayerSettings& s) {
             return s.keys.actionOf(GLFW_KEY_X) == PlayerAction::StoneLeft && s.keys.keys(PlayerAction::RotateX).empty();
         }},
        {"[sound]\nmute = TRUE\r\n", [](const PlayerSettings& s) { return s.mute; }},
        {"[game]\npause_on_focus_loss = false\n", [](const PlayerSettings& s) { return !s.pauseOnFocusLoss; }},
        {"[sound]\nvolume = 10\nvolume = 20\n", [](const PlayerSettings& s) { return s.volume == 20; }},
    };
    for (const Case& c : cases) {
        const Parsed parsed = parse(c.text);
        EXPECT_EQ(parsed.errors, "") << c.text;
        EXPECT_TRUE(c.changed(parsed.settings)) << c.text;
        EXPECT_NE(parsed.settings, PlayerSettings{}) << c.text;
    }
}

TEST(SettingsFile, ALineThatCannotBeUsedIsNamedAndIgnoredAndTheRestApplies)
{
    struct Case {
        std::string badLine; // the file's second line, after "[keys]" unless it has its own section
        std::string reason;
    };
    const Case cases[] = {
        {"drop_fast = NoSuchKey", "unknown key name \"NoSuchKey\""},
        {"drop_fast = J, NoSuchKey", "unknown key name \"NoSuchKey\""},
        {"jump = J", "unknown action \"jump\""},
        {"drop_fast J", "expected \"name = value\" or \"[section]\""},
        {"[controls]", "unknown section [controls]"},
        {"[keys", "a section header ends with \"]\""},
        {"[sound]\nvolume = 101", "expected a whole number from 0 to 100, not \"101\""},
        {"[sound]\nvolume = loud", "expected a whole number from 0 to 100, not \"loud\""},
        {"[sound]\nmute = yes", "expected true or false, not \"yes\""},
        {"[sound]\nloudness = 3", "unknown setting \"loudness\" in [sound]"},
        {"[display]\nwidth = 0", "expected a whole number from 1 to 16384, not \"0\""},
        {"[display]\nheight = 600px", "expected a whole number from 1 to 16384, not \"600px\""},
        {"[game]\nspeed = 2", "unknown setting \"speed\" in [game]"},
    };
    for (const Case& c : cases) {
        // The bad line, then one good binding and one good sound setting that must still apply.
        const bool ownSection = c.badLine.front() == '[' && c.badLine.find('\n') != std::string::npos;
        const int badLineNumber = ownSection ? 3 : 2;
        const Parsed parsed = parse("[keys]\n" + c.badLine + "\n[keys]\nrotate_x = K\n[sound]\nmute = true\n");
        EXPECT_EQ(parsed.errors, path + ":" + std::to_string(badLineNumber) + ": " + c.reason + "; line ignored\n")
            << c.badLine;
        EXPECT_EQ(parsed.settings.keys.actionOf(GLFW_KEY_K), PlayerAction::RotateX) << c.badLine;
        EXPECT_EQ(parsed.settings.keys.actionOf(GLFW_KEY_SPACE), PlayerAction::DropFast) << c.badLine;
        EXPECT_TRUE(parsed.settings.mute) << c.badLine;
    }
}

TEST(SettingsFile, AKeyCannotGoToTwoActionsButMayLeaveItsDefault)
{
    const Parsed parsed = parse("[keys]\ndrop_fast = J\npause = J\nmute = O\nhelp = O\n");
    EXPECT_EQ(parsed.errors, path + ":3: J is already bound to drop_fast; line ignored\n" + path +
                                 ":5: O is already bound to mute; line ignored\n");
    EXPECT_EQ(parsed.settings.keys.actionOf(GLFW_KEY_J), PlayerAction::DropFast);
    EXPECT_EQ(parsed.settings.keys.keys(PlayerAction::Pause), std::vector<int>{}) << "mute took O from pause";
    EXPECT_EQ(parsed.settings.keys.keys(PlayerAction::Help), std::vector<int>{GLFW_KEY_F1});
    // Swapping two keys in either order works: a key leaves the default of an action not yet bound.
    const Parsed swapped = parse("[keys]\npause = Space\ndrop_fast = O\n");
    EXPECT_EQ(swapped.errors, "");
    EXPECT_EQ(swapped.settings.keys.actionOf(GLFW_KEY_SPACE), PlayerAction::Pause);
    EXPECT_EQ(swapped.settings.keys.actionOf(GLFW_KEY_O), PlayerAction::DropFast);
}

TEST(SettingsFile, AFileThatCannotBeReadGivesOneLineAndChangesNothing)
{
    ScratchDir scratch;
    const std::string folder = scratch.file("a-folder");
    std::filesystem::create_directory(folder);
    const std::string large = scratch.file("large.ini");
    writeText(large, "[sound]\nmute = true\n" + std::string(SettingsFile::maxBytes, '#'));
    const std::string binary = scratch.file("binary.ini");
    writeText(binary, std::string("[sound]\nmute = true\n\0\x01\x02", 23));
    const std::pair<std::string, std::string> cases[] = {
        {folder, folder + ": not a regular file; settings not read\n"},
        {large, large + ": larger than 65536 bytes; settings not read\n"},
        {binary, binary + ": not a text file (damaged?); settings not read\n"},
        {scratch.file("missing.ini"), ""},
        {"", ""},
    };
    for (const auto& [file, message] : cases) {
        std::ostringstream errors;
        EXPECT_EQ(SettingsFile::read(file, errors), PlayerSettings{}) << file;
        EXPECT_EQ(errors.str(), message);
    }
}

// The real game with its own XDG_CONFIG_HOME holding the text as its settings file.
ProgramResult runWithSettings(const std::vector<std::string>& arguments, const std::string& text)
{
    ScratchDir config;
    std::filesystem::create_directory(config.path() / "quarvel");
    writeText((config.path() / "quarvel/settings.ini").string(), text);
    return runProgram(gameBinary(), arguments, sourceDir(),
                      {{"XDG_CONFIG_HOME", config.path().string()}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}});
}

TEST(SettingsFile, TheGamePrintsTheSettingsInForceAsAFileThatReadsBackTheSame)
{
    // Every kind of setting changed; stone_left takes A from camera_left, which is left with none.
    const std::string text = "[keys]\ndrop_fast = J, KP_0\nrotate_x = NoSuchKey\nstone_left = A\npause = P\n"
                             "[sound]\nmute = true\nvolume = 40\n[display]\nfullscreen = true\nwidth = 1920\n"
                             "height = 1080\n[game]\npause_on_focus_loss = false\n";
    const ProgramResult shown = runWithSettings({"--fit", "--settings"}, text);
    EXPECT_EQ(shown.status, 0);
    EXPECT_NE(shown.err.find("settings.ini:3: unknown key name \"NoSuchKey\"; line ignored\n"), std::string::npos)
        << shown.err;
    const Parsed back = parse(shown.out);
    EXPECT_EQ(back.errors, "") << shown.out;
    PlayerSettings expected = parse(text).settings;
    expected.fit = true; // the command line's
    EXPECT_EQ(back.settings, expected) << shown.out;
    EXPECT_EQ(shown.out.find("vec4"), std::string::npos) << "no traces";

    const ProgramResult again = runWithSettings({"--settings"}, shown.out);
    EXPECT_EQ(again.err, "");
    EXPECT_EQ(parse(again.out).settings, back.settings);
}

TEST(SettingsFile, HelpNamesTheKeysInForce)
{
    const ProgramResult help = runWithSettings({"--help"}, "[keys]\ndrop_fast = J, K\nquit =\n");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("\n  J, K          drop the stone fast (held)\n"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("\n  (none)        quit\n"), std::string::npos) << help.out;
    EXPECT_EQ(help.out.find("Space"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("\n  F11           full screen or window\n"), std::string::npos) << help.out;
}

} // namespace
