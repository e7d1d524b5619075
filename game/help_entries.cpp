#include "game/help_entries.hpp"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <initializer_list>

namespace {

struct DebuggingKey {
    const char* label;
    std::initializer_list<int> keys;
    const char* purpose;
};

// The debugging keys keep the design's keys; the first three make a practice game.
const DebuggingKey debuggingKeys[] = {
    {"P (hold)", {GLFW_KEY_P}, "rings of beetles"},
    {"Q", {GLFW_KEY_Q}, "one more squirrel"},
    {"0", {GLFW_KEY_0}, "clear every stone"},
    {"1, 2", {GLFW_KEY_1, GLFW_KEY_2}, "normal or depth shading"},
    {"3, 4", {GLFW_KEY_3, GLFW_KEY_4}, "player or light camera"},
    {"F3", {GLFW_KEY_F3}, "wireframe"},
    {"F4", {GLFW_KEY_F4}, "texture filtering"},
    {"F9", {GLFW_KEY_F9}, "blending"},
    {"F", {GLFW_KEY_F}, "log when the chest is culled"},
    {"R", {GLFW_KEY_R}, "camera debug flag"},
};

} // namespace

std::vector<HelpEntry> helpEntries(const BindingTable& keys)
{
    std::vector<HelpEntry> entries;
    for (const ActionHelp& line : keys.help())
        if (!line.keys.empty())
            entries.push_back({line.keys, line.purpose});
    entries.push_back({"Mouse", "look around"});
    for (const DebuggingKey& debugging : debuggingKeys) {
        const bool free = std::any_of(debugging.keys.begin(), debugging.keys.end(),
                                      [&keys](int key) { return !keys.isBound(key); });
        if (free)
            entries.push_back({debugging.label, debugging.purpose, HelpEntry::Group::Debugging});
    }
    return entries;
}
