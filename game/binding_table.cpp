#include "game/binding_table.hpp"

#include "game/key_name.hpp"

#include <GLFW/glfw3.h>

#include <algorithm>

namespace {

struct DefaultKey {
    PlayerAction action;
    int key;
};

constexpr DefaultKey defaultKeys[] = {
    {PlayerAction::StoneLeft, GLFW_KEY_LEFT},
    {PlayerAction::StoneRight, GLFW_KEY_RIGHT},
    {PlayerAction::StoneUp, GLFW_KEY_UP},
    {PlayerAction::StoneDown, GLFW_KEY_DOWN},
    {PlayerAction::RotateX, GLFW_KEY_X},
    {PlayerAction::RotateZ, GLFW_KEY_C},
    {PlayerAction::DropFast, GLFW_KEY_SPACE},
    {PlayerAction::Pause, GLFW_KEY_O},
    {PlayerAction::Mute, GLFW_KEY_M},
    {PlayerAction::Help, GLFW_KEY_F1},
    {PlayerAction::FrameTime, GLFW_KEY_F2},
    {PlayerAction::CameraForward, GLFW_KEY_W},
    {PlayerAction::CameraBack, GLFW_KEY_S},
    {PlayerAction::CameraLeft, GLFW_KEY_A},
    {PlayerAction::CameraRight, GLFW_KEY_D},
    {PlayerAction::NewGame, GLFW_KEY_ENTER},
    {PlayerAction::Quit, GLFW_KEY_ESCAPE},
    {PlayerAction::Fullscreen, GLFW_KEY_F11},
    {PlayerAction::LandingMarker, GLFW_KEY_G},
};

} // namespace

BindingTable::BindingTable()
{
    for (const DefaultKey& binding : defaultKeys)
        keys_[indexOf(binding.action)].push_back(binding.key);
}

void BindingTable::bind(PlayerAction action, const std::vector<int>& keys)
{
    for (std::vector<int>& others : keys_)
        std::erase_if(others, [&keys](int key) { return std::find(keys.begin(), keys.end(), key) != keys.end(); });
    std::vector<int>& own = keys_[indexOf(action)];
    own.clear();
    for (int key : keys)
        if (std::find(own.begin(), own.end(), key) == own.end())
            own.push_back(key);
}

std::optional<PlayerAction> BindingTable::actionOf(int key) const
{
    for (PlayerAction action : allPlayerActions) {
        const std::vector<int>& bound = keys(action);
        if (std::find(bound.begin(), bound.end(), key) != bound.end())
            return action;
    }
    return std::nullopt;
}

bool BindingTable::held(PlayerAction action, const bool* heldKeys, int keyCount) const
{
    for (int key : keys(action))
        if (key >= 0 && key < keyCount && heldKeys[key])
            return true;
    return false;
}

std::string BindingTable::keyNames(PlayerAction action) const
{
    std::string names;
    for (int key : keys(action))
        names += (names.empty() ? "" : ", ") + keyName(key);
    return names;
}

std::vector<ActionHelp> BindingTable::help() const
{
    std::vector<ActionHelp> lines;
    for (PlayerAction action : allPlayerActions)
        lines.push_back({action, std::string(actionName(action)), std::string(actionPurpose(action)), keyNames(action)});
    return lines;
}
