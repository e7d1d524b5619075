#pragma once
// Names of the keys a player may bind, as the settings file, the help and the manual spell them.

#include <optional>
#include <string>
#include <string_view>

// The GLFW key code of a name ("J", "space", "KP_5", "LeftCtrl"; case does not matter), if it is one
// of the bindable keys.
std::optional<int> keyNamed(std::string_view name);

// The name of a bindable key in its usual spelling ("Space", "F11"); for any other code "key <code>".
std::string keyName(int key);

// Every bindable key name for comments and help, in two lines: "A to Z, 0 to 9, Space, ...".
std::string_view bindableKeysSummary();
