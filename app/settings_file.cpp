#include "app/settings_file.hpp"

#include "game/key_name.hpp"
#include "platform/regular_file.hpp"
#include "platform/user_dirs.hpp"
#include "platform/whole_number.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <sstream>
#include <system_error>
#include <vector>

namespace {

enum class Section { None, Keys, Sound, Display, Game, Unknown };

// A setting's line number and reason when it cannot be used; empty when it applied.
using Problem = std::string;

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string lowered(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::string quoted(std::string_view text)
{
    std::string result(1, '"');
    result.append(text);
    result.push_back('"');
    return result;
}

// Control characters other than tab and line ends mean the file is not text.
bool looksLikeText(std::string_view text)
{
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 && c != '\t' && c != '\n' && c != '\r';
    });
}

constexpr std::array<std::pair<std::string_view, Section>, 4> sectionNames{
    {{"keys", Section::Keys}, {"sound", Section::Sound}, {"display", Section::Display}, {"game", Section::Game}}};

std::optional<Section> sectionNamed(std::string_view name)
{
    for (const auto& [known, section] : sectionNames)
        if (known == name)
            return section;
    return std::nullopt;
}

std::string_view nameOf(Section section)
{
    for (const auto& [name, known] : sectionNames)
        if (known == section)
            return name;
    return {};
}

// A setting outside [keys]: a flag, or a whole number within its range.
struct Entry {
    Section section;
    std::string_view name;
    bool PlayerSettings::*flag;
    int PlayerSettings::*number;
    int lowest;
    int highest;
};

constexpr Entry entries[] = {
    {Section::Sound, "mute", &PlayerSettings::mute, nullptr, 0, 0},
    {Section::Sound, "volume", nullptr, &PlayerSettings::volume, 0, PlayerSettings::fullVolume},
    {Section::Display, "fit", &PlayerSettings::fit, nullptr, 0, 0},
    {Section::Display, "fullscreen", &PlayerSettings::fullscreen, nullptr, 0, 0},
    {Section::Display, "width", nullptr, &PlayerSettings::width, 1, PlayerSettings::largestWindow},
    {Section::Display, "height", nullptr, &PlayerSettings::height, 1, PlayerSettings::largestWindow},
    {Section::Game, "pause_on_focus_loss", &PlayerSettings::pauseOnFocusLoss, nullptr, 0, 0},
};

Problem readFlag(std::string_view value, bool& flag)
{
    const std::string word = lowered(value);
    if (word != "true" && word != "false")
        return "expected true or false, not " + quoted(value);
    flag = word == "true";
    return {};
}

Problem readNumber(std::string_view value, int lowest, int highest, int& number)
{
    const std::optional<int> read = wholeNumber<int>(value);
    if (!read || *read < lowest || *read > highest)
        return "expected a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest) +
               ", not " + quoted(value);
    number = *read;
    return {};
}

// Reads the file's lines over the game's own settings.
class SettingsReader {
public:
    SettingsReader(const std::string& path, std::ostream& errors) : path_(path), errors_(errors) {}

    PlayerSettings read(std::string_view text)
    {
        std::istringstream lines{std::string(text)};
        std::string line;
        for (int number = 1; std::getline(lines, line); ++number)
            if (const Problem problem = readLine(line); !problem.empty())
                errors_ << path_ << ':' << number << ": " << problem << "; line ignored\n";
        return settings_;
    }

private:
    Problem readLine(std::string_view line)
    {
        line = trimmed(line.substr(0, line.find('#')));
        if (line.empty())
            return {};
        if (line.front() == '[')
            return readSectionHeader(line);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return "expected \"name = value\" or \"[section]\"";
        const std::string_view name = trimmed(line.substr(0, equals));
        const std::string_view value = trimmed(line.substr(equals + 1));
        switch (section_) {
        case Section::None: return "a setting before the first [section]";
        case Section::Unknown: return {}; // the section's header was reported
        case Section::Keys: return readBinding(name, value);
        case Section::Sound:
        case Section::Display:
        case Section::Game: return readSetting(name, value);
        }
        return {};
    }

    Problem readSectionHeader(std::string_view line)
    {
        if (line.back() != ']')
            return "a section header ends with \"]\"";
        const std::string_view name = trimmed(line.substr(1, line.size() - 2));
        const std::optional<Section> known = sectionNamed(name);
        section_ = known.value_or(Section::Unknown);
        return known ? Problem{} : "unknown section [" + std::string(name) + "]";
    }

    Problem readBinding(std::string_view name, std::string_view value)
    {
        const std::optional<PlayerAction> action = actionNamed(name);
        if (!action)
            return "unknown action " + quoted(name);
        std::vector<int> keys;
        for (std::string_view rest = value; !rest.empty();) {
            const std::size_t comma = rest.find(',');
            const std::string_view keyText = trimmed(rest.substr(0, comma));
            rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
            const std::optional<int> key = keyNamed(keyText);
            if (!key)
                return "unknown key name " + quoted(keyText);
            if (const Problem taken = takenByAnother(*key, *action); !taken.empty())
                return taken;
            keys.push_back(*key);
        }
        settings_.keys.bind(*action, keys);
        boundHere_[indexOf(*action)] = true;
        return {};
    }

    // A key this file already gave to another action cannot go to a second one.
    Problem takenByAnother(int key, PlayerAction action) const
    {
        const std::optional<PlayerAction> owner = settings_.keys.actionOf(key);
        if (!owner || *owner == action || !boundHere_[indexOf(*owner)])
            return {};
        return keyName(key) + " is already bound to " + std::string(actionName(*owner));
    }

    Problem readSetting(std::string_view name, std::string_view value)
    {
        for (const Entry& entry : entries) {
            if (entry.section != section_ || entry.name != name)
                continue;
            if (entry.flag != nullptr)
                return readFlag(value, settings_.*entry.flag);
            return readNumber(value, entry.lowest, entry.highest, settings_.*entry.number);
        }
        return "unknown setting " + quoted(name) + " in [" + std::string(nameOf(section_)) + "]";
    }

    const std::string& path_;
    std::ostream& errors_;
    PlayerSettings settings_;
    Section section_ = Section::None;
    std::array<bool, playerActionCount> boundHere_{};
};

} // namespace

std::filesystem::path SettingsFile::defaultPath()
{
    const std::filesystem::path folder = UserDirs::config();
    return folder.empty() ? folder : folder / "settings.ini";
}

PlayerSettings SettingsFile::read(const std::filesystem::path& path, std::ostream& errors)
{
    std::error_code missing;
    if (path.empty() || !std::filesystem::exists(std::filesystem::symlink_status(path, missing)))
        return {};
    std::string problem;
    const std::optional<std::string> text = RegularFile::read(path.string(), maxBytes, problem);
    if (!text) {
        errors << path.string() << ": " << problem << "; settings not read\n";
        return {};
    }
    return parse(*text, path.string(), errors);
}

PlayerSettings SettingsFile::parse(std::string_view text, const std::string& path, std::ostream& errors)
{
    if (!looksLikeText(text)) {
        errors << path << ": not a text file (damaged?); settings not read\n";
        return {};
    }
    return SettingsReader(path, errors).read(text);
}
