#include "game/player_action.hpp"

namespace {

struct ActionText {
    std::string_view name;
    std::string_view purpose;
};

// In the order of the enumeration.
constexpr std::array<ActionText, playerActionCount> texts{{
    {"stone_left", "move the stone left"},
    {"stone_right", "move the stone right"},
    {"stone_up", "move the stone away from you"},
    {"stone_down", "move the stone towards you"},
    {"rotate_x", "turn the stone (X axis)"},
    {"rotate_z", "turn the stone (Z axis)"},
    {"drop_fast", "drop the stone fast (held)"},
    {"pause", "pause or resume"},
    {"mute", "sound off or on"},
    {"help", "help panel (every key)"},
    {"frame_time", "frame time"},
    {"camera_forward", "camera forward (held)"},
    {"camera_back", "camera back (held)"},
    {"camera_left", "camera left (held)"},
    {"camera_right", "camera right (held)"},
    {"new_game", "play again (game over)"},
    {"quit", "quit"},
    {"fullscreen", "full screen or window"},
    {"landing_marker", "landing marker on/off"},
}};

} // namespace

std::string_view actionName(PlayerAction action)
{
    return texts[indexOf(action)].name;
}

std::string_view actionPurpose(PlayerAction action)
{
    return texts[indexOf(action)].purpose;
}

std::optional<PlayerAction> actionNamed(std::string_view name)
{
    for (PlayerAction action : allPlayerActions)
        if (actionName(action) == name)
            return action;
    return std::nullopt;
}
