#pragma once
// Window settings taken from the command line.

#include <ostream>
#include <string>

struct LaunchSettings {
    int width = 1024;  // pixels
    int height = 800;  // pixels
    bool fullscreen = false;

    // Reads width, height and the full-screen flag when at least two arguments are given
    // (writing "You are executing '...'" to trace first). Returns the message for standard
    // error on a parse failure, or an empty string.
    std::string parse(int argc, const char* const* argv, std::ostream& trace);
};

// The three diagnostic vectors written at start-up, one after the other without separators.
void writeStartupVectors(std::ostream& out);
