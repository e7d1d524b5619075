#pragma once
// Finds the folder that holds the game's data (the "QUARVEL" tree and the two fonts), so the game
// can be started from anywhere: from its own folder, after an install, or from an unpacked package.

#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

class DataLocator {
public:
    // Looks, in this order, in the working directory, the installed data folder (the one compiled
    // in unless given), and the data folder beside the executable (an install moved elsewhere, an
    // unpacked package).
    DataLocator(const std::filesystem::path& workingDirectory, const std::filesystem::path& executable,
                const std::filesystem::path& installedData = installedDataFolder());
    static std::filesystem::path installedDataFolder();
    // The same for this process: its working directory and /proc/self/exe.
    static DataLocator forThisProcess();

    // The places looked in, in order, without repeats.
    const std::vector<std::filesystem::path>& places() const { return places_; }
    // The first place that holds the data; nothing when none does.
    std::optional<std::filesystem::path> find() const;

    // Makes the first place that holds the data the working directory, so every file is read there
    // under its usual relative name. When no place holds it, writes one line naming the places to
    // `errors`, stays where it is and returns false: there is nothing the game could start with.
    bool enter(std::ostream& errors) const;

    // A folder holds the data when it has the "QUARVEL" tree with its shader folder, the first files
    // the game reads; files missing inside it are the loaders' to report.
    static bool holdsData(const std::filesystem::path& folder);

private:
    void add(const std::filesystem::path& place);

    std::vector<std::filesystem::path> places_;
};
