#include "platform/data_locator.hpp"

#include "platform/working_directory.hpp"

#include <algorithm>
#include <system_error>

#ifndef QUARVEL_INSTALLED_DATA_DIR
#define QUARVEL_INSTALLED_DATA_DIR "/usr/local/share/quarvel"
#endif
#ifndef QUARVEL_DATA_FROM_BIN_DIR
#define QUARVEL_DATA_FROM_BIN_DIR "../share/quarvel"
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char* dataTree = "QUARVEL";
constexpr const char* shaderFolder = "QUARVEL/Shader"; // the first files the game reads

fs::path thisExecutable()
{
    std::error_code error;
    fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : executable;
}

} // namespace

DataLocator::DataLocator(const fs::path& workingDirectory, const fs::path& executable, const fs::path& installedData)
{
    add(workingDirectory);
    add(installedData);
    if (!executable.empty())
        add(executable.parent_path() / QUARVEL_DATA_FROM_BIN_DIR);
}

fs::path DataLocator::installedDataFolder()
{
    return QUARVEL_INSTALLED_DATA_DIR;
}

DataLocator DataLocator::forThisProcess()
{
    std::error_code error;
    const fs::path workingDirectory = fs::current_path(error);
    return DataLocator(error ? fs::path(".") : workingDirectory, thisExecutable());
}

void DataLocator::add(const fs::path& place)
{
    fs::path normal = place.lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path())
        normal = normal.parent_path(); // "dir/." normalises to "dir/"
    if (std::find(places_.begin(), places_.end(), normal) == places_.end())
        places_.push_back(normal);
}

bool DataLocator::holdsData(const fs::path& folder)
{
    std::error_code error;
    return fs::is_directory(WorkingDirectory::reach(folder) / shaderFolder, error);
}

std::optional<fs::path> DataLocator::find() const
{
    for (const fs::path& place : places_)
        if (holdsData(place))
            return place;
    return std::nullopt;
}

bool DataLocator::enter(std::ostream& errors) const
{
    const std::optional<fs::path> found = find();
    if (!found) {
        errors << "Quarvel: no game data (a \"" << dataTree << "\" folder with the shaders) found in";
        for (std::size_t i = 0; i < places_.size(); ++i)
            errors << (i == 0 ? " " : ", ") << places_[i].string();
        errors << std::endl;
        return false;
    }
    const fs::path reachable = WorkingDirectory::reach(*found);
    if (reachable == ".")
        return true; // already there, and a long name could not be entered again
    std::error_code error;
    fs::current_path(reachable, error);
    if (error) {
        errors << "Quarvel: cannot enter the game data folder " << found->string() << ": " << error.message()
               << std::endl;
        return false;
    }
    return true;
}
