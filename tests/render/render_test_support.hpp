#pragma once
// Helpers for the render tests: images, an offscreen target and GL counters.

#include "tests/support/scratch_dir.hpp"

#include <GL/glew.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Writes 8-bit pixels (channels 1 to 4, rows top first) as a PNG.
void writePng(const std::string& path, int width, int height, int channels,
              const std::vector<unsigned char>& pixels);

// Triangles that reach primitive assembly while draw runs.
GLuint trianglesDrawnBy(const std::function<void()>& draw);

// For death tests: from now on this process writes its standard output into standard error, where
// the death-test matcher looks.
void sendStdoutToStderr();

// A 1024 x 800 colour + depth framebuffer to render into and read back.
class OffscreenTarget {
public:
    static constexpr int width = 1024;
    static constexpr int height = 800;

    OffscreenTarget();
    ~OffscreenTarget();
    OffscreenTarget(const OffscreenTarget&) = delete;
    OffscreenTarget& operator=(const OffscreenTarget&) = delete;

    void bind() const;
    // RGB pixels, rows top first.
    std::vector<unsigned char> pixels() const;
    void savePng(const std::string& path) const;

private:
    GLuint framebuffer_ = 0;
    GLuint colour_ = 0;
    GLuint depth_ = 0;
};

// Where render tests leave the images worth looking at (QUARVEL_RENDER_SHOTS, else a temp folder).
std::string shotDirectory();
