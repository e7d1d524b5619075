#pragma once
// The keys the help panel lists: the player's actions with the keys in force, then the debugging keys.

#include "game/binding_table.hpp"
#include "ui/help_panel.hpp"

#include <vector>

// Every player action with its keys from the table, in help order, the mouse, then the debugging keys
// that no action has taken.
std::vector<HelpEntry> helpEntries(const BindingTable& keys);
