// The binding table and the key names: the game's own keys by default, a binding takes its keys from
// other actions, and every bindable key's name reads back as the same key.

#include "game/binding_table.hpp"
#include "game/key_name.hpp"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace {

TEST(BindingTable, DefaultsAreTheGamesOwnKeys)
{
    struct Case {
        PlayerAction action;
        const char* name;
        int key;
    };
    const Case cases[] = {
        {PlayerAction::StoneLeft, "stone_left", GLFW_KEY_LEFT},   {PlayerAction::StoneRight, "stone_right", GLFW_KEY_RIGHT},
        {PlayerAction::StoneUp, "stone_up", GLFW_KEY_UP},         {PlayerAction::StoneDown, "stone_down", GLFW_KEY_DOWN},
        {PlayerAction::RotateX, "rotate_x", GLFW_KEY_X},          {PlayerAction::RotateZ, "rotate_z", GLFW_KEY_C},
        {PlayerAction::DropFast, "drop_fast", GLFW_KEY_SPACE},    {PlayerAction::Pause, "pause", GLFW_KEY_O},
        {PlayerAction::Mute, "mute", GLFW_KEY_M},                 {PlayerAction::Help, "help", GLFW_KEY_F1},
        {PlayerAction::FrameTime, "frame_time", GLFW_KEY_F2},     {PlayerAction::CameraForward, "camera_forward", GLFW_KEY_W},
        {PlayerAction::CameraBack, "camera_back", GLFW_KEY_S},    {PlayerAction::CameraLeft, "camera_left", GLFW_KEY_A},
        {PlayerAction::CameraRight, "camera_right", GLFW_KEY_D},  {PlayerAction::NewGame, "new_game", GLFW_KEY_ENTER},
        {PlayerAction::Quit, "quit", GLFW_KEY_ESCAPE},            {PlayerAction::Fullscreen, "fullscreen", GLFW_KEY_F11},
        {PlayerAction::LandingMarker, "landing_marker", GLFW_KEY_G},
    };
    ASSERT_EQ(std::size(cases), playerActionCount);
    const BindingTable table;
    for (const Case& c : cases) {
        EXPECT_EQ(actionName(c.action), c.name);
        EXPECT_EQ(actionNamed(c.name), c.action);
        EXPECT_EQ(table.keys(c.action), std::vector<int>{c.key}) << c.name;
        EXPECT_EQ(table.actionOf(c.key), c.action) << c.name;
    }
    // The debugging keys stay free.
    for (int key : {GLFW_KEY_0, GLFW_KEY_1, GLFW_KEY_2, GLFW_KEY_3, GLFW_KEY_4, GLFW_KEY_F, GLFW_KEY_F3, GLFW_KEY_F4,
                    GLFW_KEY_F9, GLFW_KEY_Q, GLFW_KEY_R, GLFW_KEY_P})
        EXPECT_FALSE(table.isBound(key)) << keyName(key);
    EXPECT_FALSE(actionNamed("Drop_Fast").has_value());
}

TEST(BindingTable, ABindingReplacesTheActionsKeysAndTakesThemFromOthers)
{
    BindingTable table;
    table.bind(PlayerAction::DropFast, {GLFW_KEY_J, GLFW_KEY_O, GLFW_KEY_J});
    EXPECT_EQ(table.keys(PlayerAction::DropFast), (std::vector<int>{GLFW_KEY_J, GLFW_KEY_O}));
    EXPECT_FALSE(table.isBound(GLFW_KEY_SPACE));
    EXPECT_TRUE(table.keys(PlayerAction::Pause).empty());
    EXPECT_EQ(table.keyNames(PlayerAction::DropFast), "J, O");
    EXPECT_EQ(table.keyNames(PlayerAction::Pause), "");

    table.bind(PlayerAction::Pause, {GLFW_KEY_P});
    EXPECT_EQ(table.actionOf(GLFW_KEY_P), PlayerAction::Pause);
    table.bind(PlayerAction::Quit, {});
    EXPECT_FALSE(table.isBound(GLFW_KEY_ESCAPE));
    EXPECT_NE(table, BindingTable());
}

TEST(KeyName, EveryBindableKeyReadsBackUnderItsName)
{
    std::vector<int> bindable;
    for (int key = GLFW_KEY_A; key <= GLFW_KEY_Z; ++key)
        bindable.push_back(key);
    for (int key = GLFW_KEY_0; key <= GLFW_KEY_9; ++key)
        bindable.push_back(key);
    for (int key = GLFW_KEY_F1; key <= GLFW_KEY_F12; ++key)
        bindable.push_back(key);
    for (int key = GLFW_KEY_KP_0; key <= GLFW_KEY_KP_9; ++key)
        bindable.push_back(key);
    for (int key : {GLFW_KEY_SPACE, GLFW_KEY_ENTER, GLFW_KEY_ESCAPE, GLFW_KEY_TAB, GLFW_KEY_BACKSPACE, GLFW_KEY_LEFT,
                    GLFW_KEY_RIGHT, GLFW_KEY_UP, GLFW_KEY_DOWN, GLFW_KEY_LEFT_SHIFT, GLFW_KEY_RIGHT_SHIFT,
                    GLFW_KEY_LEFT_CONTROL, GLFW_KEY_RIGHT_CONTROL})
        bindable.push_back(key);
    for (int key : bindable)
        EXPECT_EQ(keyNamed(keyName(key)), key) << keyName(key);
}

TEST(KeyName, NamesAreCaseInsensitiveAndOnlyTheListedOnes)
{
    const std::pair<const char*, int> known[] = {
        {"j", GLFW_KEY_J},       {"SPACE", GLFW_KEY_SPACE},         {"kp_5", GLFW_KEY_KP_5},
        {"f12", GLFW_KEY_F12},   {"leftctrl", GLFW_KEY_LEFT_CONTROL}, {"Escape", GLFW_KEY_ESCAPE},
        {"7", GLFW_KEY_7},       {"rightshift", GLFW_KEY_RIGHT_SHIFT},
    };
    for (const auto& [name, key] : known)
        EXPECT_EQ(keyNamed(name), key) << name;
    for (const char* unknown : {"NoSuchKey", "", "F0", "F13", "F01", "KP_10", "KP_", "AB", "Ctrl", " J", "-", "F1 "})
        EXPECT_FALSE(keyNamed(unknown).has_value()) << '"' << unknown << '"';
    EXPECT_EQ(keyName(GLFW_KEY_F11), "F11");
    EXPECT_EQ(keyName(GLFW_KEY_KP_0), "KP_0");
    EXPECT_EQ(keyName(GLFW_KEY_LEFT_CONTROL), "LeftCtrl");
    EXPECT_EQ(keyName(GLFW_KEY_INSERT), "key 260");
}

} // namespace
