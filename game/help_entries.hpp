#pragma once
// The keys the help panel lists: the one place that names them for the player in the game.

#include "ui/help_panel.hpp"

#include <vector>

// Every player action with its key, in the order the panel shows them, then the debugging keys.
std::vector<HelpEntry> helpEntries();
