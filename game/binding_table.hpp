#pragma once
// Which keys ask for which player action: the game's own keys by default, a player's choice from the
// settings file. Keys not in the table stay free for the debugging keys.

#include "game/player_action.hpp"

#include <array>
#include <optional>
#include <string>
#include <vector>

// One line of the help: an action, what it does and the keys that ask for it now.
struct ActionHelp {
    PlayerAction action;
    std::string name;    // "drop_fast"
    std::string purpose; // "drop the stone fast (held)"
    std::string keys;    // "Space", "J, K", or "" when no key is bound
};

class BindingTable {
public:
    // The game's own keys: arrows, X, C, Space, O, M, F1, F2, W, S, A, D, Enter, Escape, F11, G.
    BindingTable();

    // The keys of the action, in the order they were bound.
    const std::vector<int>& keys(PlayerAction action) const { return keys_[indexOf(action)]; }
    // Gives the action exactly these keys (none is allowed) and takes them from any other action.
    void bind(PlayerAction action, const std::vector<int>& keys);
    // The action the key asks for, if the key is bound.
    std::optional<PlayerAction> actionOf(int key) const;
    bool isBound(int key) const { return actionOf(key).has_value(); }
    // True while one of the action's keys is held (held: GLFW key code -> down).
    bool held(PlayerAction action, const bool* heldKeys, int keyCount) const;

    // The action's keys by name, joined with ", " ("" when none).
    std::string keyNames(PlayerAction action) const;
    // Every action in help order, with its keys in force.
    std::vector<ActionHelp> help() const;

    bool operator==(const BindingTable& other) const = default;

private:
    std::array<std::vector<int>, playerActionCount> keys_;
};
