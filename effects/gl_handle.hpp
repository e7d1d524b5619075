#pragma once
// Owns one GL object name and deletes it exactly once; move-only.

#include <GL/glew.h>

class GlHandle {
public:
    using Release = void (*)(GLuint name);

    // A new buffer or vertex array; needs a current GL context.
    static GlHandle buffer();
    static GlHandle vertexArray();

    GlHandle() = default;
    GlHandle(GLuint name, Release release) : name_(name), release_(release) {}
    ~GlHandle() { reset(); }
    GlHandle(const GlHandle&) = delete;
    GlHandle& operator=(const GlHandle&) = delete;
    GlHandle(GlHandle&& other) noexcept : name_(other.name_), release_(other.release_) { other.name_ = 0; }
    GlHandle& operator=(GlHandle&& other) noexcept;

    // The GL name, 0 when nothing is owned.
    GLuint name() const { return name_; }
    // Deletes the object (the context it was made in must be current); afterwards nothing is owned.
    void reset();

private:
    GLuint name_ = 0;
    Release release_ = nullptr;
};
