#pragma once
// A private copy of everything the game reads from its working directory, to damage at will.

#include "tests/support/scratch_dir.hpp"

#include <string>

class DataCopy {
public:
    DataCopy();

    std::string path() const { return root_.path().string(); }
    // The named file, relative to the copy, cut to half its length, emptied, or replaced by these bytes,
    // a folder or a named pipe.
    void remove(const std::string& file);
    void truncate(const std::string& file);
    void empty(const std::string& file);
    void replace(const std::string& file, const std::string& bytes);
    void makeFolder(const std::string& file);
    void makePipe(const std::string& file);

private:
    ScratchDir root_;
};
