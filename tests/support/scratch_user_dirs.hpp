#pragma once
// Scratch XDG folders (data, cache, config, state) that stand in for the user's own while tests run.

#include <string>

class ScratchUserDirs {
public:
    // Creates a fresh folder under /tmp with one sub-folder per kind.
    ScratchUserDirs();
    // Removes the folder with everything in it, from the process that made it only (forked children
    // leave it alone).
    ~ScratchUserDirs();
    ScratchUserDirs(const ScratchUserDirs&) = delete;
    ScratchUserDirs& operator=(const ScratchUserDirs&) = delete;

    const std::string& root() const { return root_; }
    std::string data() const { return root_ + "/data"; }
    std::string cache() const { return root_ + "/cache"; }
    std::string config() const { return root_ + "/config"; }
    std::string state() const { return root_ + "/state"; }

    // Points XDG_DATA_HOME, XDG_CACHE_HOME, XDG_CONFIG_HOME and XDG_STATE_HOME of this process (and of
    // every process it starts from now on) to these folders.
    void exportToEnvironment() const;

private:
    std::string root_;
    int owner_ = 0; // process id of the maker
};

// The scratch folders of this test process, exported, made at the first call and removed at its exit.
// A test program started by another one (a death test re-running its binary) keeps its parent's folders.
void useScratchUserDirs();
