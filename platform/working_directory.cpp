#include "platform/working_directory.hpp"

namespace fs = std::filesystem;

fs::path WorkingDirectory::reach(const fs::path& path)
{
    if (!path.is_absolute())
        return path;
    std::error_code error;
    const fs::path here = fs::current_path(error); // getcwd copes with long names; open and stat do not
    if (error)
        return path;
    const fs::path inside = path.lexically_normal().lexically_relative(here);
    if (inside.empty() || *inside.begin() == "..")
        return path;
    return inside;
}
