#include "game/help_entries.hpp"

std::vector<HelpEntry> helpEntries()
{
    using Group = HelpEntry::Group;
    const Group debugging = Group::Debugging;
    return {
        {"Left", "move the stone left"},
        {"Right", "move the stone right"},
        {"Up", "move the stone away"},
        {"Down", "move the stone nearer"},
        {"X", "turn the stone"},
        {"C", "turn it the other way"},
        {"Space (hold)", "drop the stone fast"},
        {"G", "landing marker on or off"},
        {"O", "pause or resume"},
        {"Enter", "play again after game over"},
        {"Escape", "quit"},
        {"Mouse", "look around"},
        {"W", "camera forward"},
        {"S", "camera back"},
        {"A", "camera left"},
        {"D", "camera right"},
        {"M", "sound off or on"},
        {"F1", "this help"},
        {"F2", "frame time"},
        {"P (hold)", "rings of beetles", debugging},
        {"Q", "one more squirrel", debugging},
        {"0", "clear every stone", debugging},
        {"1, 2", "normal or depth shading", debugging},
        {"3, 4", "player or light camera", debugging},
        {"F3", "wireframe", debugging},
        {"F4", "texture filtering", debugging},
        {"F9", "blending", debugging},
        {"F", "log when the chest is culled", debugging},
        {"R", "camera debug flag", debugging},
    };
}
