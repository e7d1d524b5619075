#include "platform/regular_file_system.hpp"

#include <sys/stat.h>

#include <utility>

RegularFileSystem::RegularFileSystem(OpenObserver observer) : observer_(std::move(observer)) {}

bool RegularFileSystem::isRegularFile(const char* path)
{
    struct stat status {};
    return path != nullptr && ::stat(path, &status) == 0 && S_ISREG(status.st_mode);
}

bool RegularFileSystem::Exists(const char* path) const
{
    return isRegularFile(path);
}

Assimp::IOStream* RegularFileSystem::Open(const char* path, const char* mode)
{
    if (observer_)
        observer_(path); // also a missing file: its later arrival changes what the import reads
    if (!isRegularFile(path))
        return nullptr;
    return DefaultIOSystem::Open(path, mode);
}
