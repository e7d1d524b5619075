#include "game/key_name.hpp"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <array>
#include <cctype>

namespace {

struct NamedKey {
    std::string_view name;
    int key;
};

// The keys outside the letter, digit, function-key and keypad runs.
constexpr std::array<NamedKey, 13> singleKeys{{
    {"Space", GLFW_KEY_SPACE},
    {"Enter", GLFW_KEY_ENTER},
    {"Escape", GLFW_KEY_ESCAPE},
    {"Tab", GLFW_KEY_TAB},
    {"Backspace", GLFW_KEY_BACKSPACE},
    {"Left", GLFW_KEY_LEFT},
    {"Right", GLFW_KEY_RIGHT},
    {"Up", GLFW_KEY_UP},
    {"Down", GLFW_KEY_DOWN},
    {"LeftShift", GLFW_KEY_LEFT_SHIFT},
    {"RightShift", GLFW_KEY_RIGHT_SHIFT},
    {"LeftCtrl", GLFW_KEY_LEFT_CONTROL},
    {"RightCtrl", GLFW_KEY_RIGHT_CONTROL},
}};

constexpr int functionKeys = 12; // F1 to F12
constexpr int keypadDigits = 10; // KP_0 to KP_9

std::string lowered(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

// The number after a prefix ("f12" after "f"), when the rest is one or two digits.
std::optional<int> numberAfter(const std::string& name, std::string_view prefix)
{
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 2 || name.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    int number = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return std::nullopt;
        number = number * 10 + (name[i] - '0');
    }
    if (name.size() == prefix.size() + 2 && name[prefix.size()] == '0')
        return std::nullopt; // "F01" is no key name
    return number;
}

} // namespace

std::optional<int> keyNamed(std::string_view text)
{
    const std::string name = lowered(text);
    if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0])))
        return GLFW_KEY_A + (name[0] - 'a');
    if (name.size() == 1 && std::isdigit(static_cast<unsigned char>(name[0])))
        return GLFW_KEY_0 + (name[0] - '0');
    for (const NamedKey& single : singleKeys)
        if (lowered(single.name) == name)
            return single.key;
    if (const std::optional<int> f = numberAfter(name, "f"); f && *f >= 1 && *f <= functionKeys)
        return GLFW_KEY_F1 + (*f - 1);
    if (const std::optional<int> kp = numberAfter(name, "kp_"); kp && *kp < keypadDigits)
        return GLFW_KEY_KP_0 + *kp;
    return std::nullopt;
}

std::string keyName(int key)
{
    if (key >= GLFW_KEY_A && key <= GLFW_KEY_Z)
        return std::string(1, static_cast<char>('A' + (key - GLFW_KEY_A)));
    if (key >= GLFW_KEY_0 && key <= GLFW_KEY_9)
        return std::string(1, static_cast<char>('0' + (key - GLFW_KEY_0)));
    if (key >= GLFW_KEY_F1 && key < GLFW_KEY_F1 + functionKeys)
        return std::string("F").append(std::to_string(key - GLFW_KEY_F1 + 1));
    if (key >= GLFW_KEY_KP_0 && key < GLFW_KEY_KP_0 + keypadDigits)
        return std::string("KP_").append(std::to_string(key - GLFW_KEY_KP_0));
    for (const NamedKey& single : singleKeys)
        if (single.key == key)
            return std::string(single.name);
    return std::string("key ").append(std::to_string(key));
}

std::string_view bindableKeysSummary()
{
    return "A to Z, 0 to 9, Space, Enter, Escape, Tab, Backspace, Left, Right, Up, Down, F1 to F12, KP_0 to KP_9,\n"
           "LeftShift, RightShift, LeftCtrl, RightCtrl";
}
