#pragma once
// The model importer's view of the disk: regular files only, so a named pipe or a device named by a
// model or its material file reads as missing instead of blocking the game.

#include <assimp/DefaultIOSystem.h>

#include <functional>

class RegularFileSystem : public Assimp::DefaultIOSystem {
public:
    // Called with each path the importer opens, before it reads from it.
    using OpenObserver = std::function<void(const char* path)>;

    RegularFileSystem() = default;
    explicit RegularFileSystem(OpenObserver observer);

    bool Exists(const char* path) const override;
    // Null (as for a missing file) unless the path names a regular file.
    Assimp::IOStream* Open(const char* path, const char* mode = "rb") override;

    // True when the path names a regular file (after following links).
    static bool isRegularFile(const char* path);

private:
    OpenObserver observer_;
};
