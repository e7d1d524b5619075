#pragma once
// What the player can ask for, whichever key or pad button asks: the names used by the settings file,
// the help and the manual page.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

enum class PlayerAction {
    StoneLeft,
    StoneRight,
    StoneUp,
    StoneDown,
    RotateX,
    RotateZ,
    DropFast,
    Pause,
    Mute,
    Help,
    FrameTime,
    CameraForward,
    CameraBack,
    CameraLeft,
    CameraRight,
    NewGame,
    Quit,
    Fullscreen,
    LandingMarker,
};

constexpr std::size_t playerActionCount = static_cast<std::size_t>(PlayerAction::LandingMarker) + 1;

// Every action once, in the order the help and the settings file list them.
constexpr std::array<PlayerAction, playerActionCount> allPlayerActions{
    PlayerAction::StoneLeft,     PlayerAction::StoneRight,  PlayerAction::StoneUp,    PlayerAction::StoneDown,
    PlayerAction::RotateX,       PlayerAction::RotateZ,     PlayerAction::DropFast,   PlayerAction::Pause,
    PlayerAction::Mute,          PlayerAction::Help,        PlayerAction::FrameTime,  PlayerAction::CameraForward,
    PlayerAction::CameraBack,    PlayerAction::CameraLeft,  PlayerAction::CameraRight, PlayerAction::NewGame,
    PlayerAction::Quit,          PlayerAction::Fullscreen,  PlayerAction::LandingMarker,
};

constexpr std::size_t indexOf(PlayerAction action)
{
    return static_cast<std::size_t>(action);
}

// The settings-file name: "stone_left", "drop_fast" ...
std::string_view actionName(PlayerAction action);
// What it does, in a few words for the help.
std::string_view actionPurpose(PlayerAction action);
// The action of a settings-file name (exact spelling), if any.
std::optional<PlayerAction> actionNamed(std::string_view name);
