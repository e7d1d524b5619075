#pragma once
// What the help panel says and where: the goal, the player's keys and, smaller and apart, the debugging
// keys. Drawing is the painter's.

#include "ui/panel_text.hpp"

#include <string>
#include <vector>

// One key of the help: the key's name as the player presses it and what it does.
struct HelpEntry {
    enum class Group { Player, Debugging };
    std::string keys;
    std::string action;
    Group group = Group::Player;
};

class HelpPanel {
public:
    static constexpr int columns = 2;
    // The most entries of each group the panel has room for (two columns of rows).
    static constexpr int maxPlayerEntries = 2 * 11;
    static constexpr int maxDebuggingEntries = 2 * 6;

    // "HELP" (with "paused" while the game is paused), the goal in two lines, the player's entries in
    // two columns, then the debugging entries in a smaller block of their own, and how to close it.
    // Entries past the room a group has are left out.
    static PanelLayout layout(const std::vector<HelpEntry>& entries, bool paused);
};
