#pragma once
// Move-only owner of one GL object name: deletes it exactly once, when the owner goes.

#include <GL/glew.h>

#include <utility>

enum class GlKind { Buffer, VertexArray, Texture, Framebuffer };

template <GlKind Kind>
class GlObject {
public:
    GlObject() = default;
    explicit GlObject(GLuint name) : name_(name) {}
    ~GlObject() { reset(); }
    GlObject(const GlObject&) = delete;
    GlObject& operator=(const GlObject&) = delete;
    GlObject(GlObject&& other) noexcept : name_(std::exchange(other.name_, 0)) {}
    GlObject& operator=(GlObject&& other) noexcept
    {
        if (this != &other) {
            reset();
            name_ = std::exchange(other.name_, 0);
        }
        return *this;
    }

    // A fresh name from glGen*.
    static GlObject generate()
    {
        GLuint name = 0;
        if constexpr (Kind == GlKind::Buffer)
            glGenBuffers(1, &name);
        else if constexpr (Kind == GlKind::VertexArray)
            glGenVertexArrays(1, &name);
        else if constexpr (Kind == GlKind::Texture)
            glGenTextures(1, &name);
        else
            glGenFramebuffers(1, &name);
        return GlObject(name);
    }

    GLuint get() const { return name_; }

    // Deletes the object now (no GL call when there is none).
    void reset()
    {
        if (name_ == 0)
            return;
        if constexpr (Kind == GlKind::Buffer)
            glDeleteBuffers(1, &name_);
        else if constexpr (Kind == GlKind::VertexArray)
            glDeleteVertexArrays(1, &name_);
        else if constexpr (Kind == GlKind::Texture)
            glDeleteTextures(1, &name_);
        else
            glDeleteFramebuffers(1, &name_);
        name_ = 0;
    }

private:
    GLuint name_ = 0;
};

using GlBuffer = GlObject<GlKind::Buffer>;
using GlVertexArray = GlObject<GlKind::VertexArray>;
using GlTexture = GlObject<GlKind::Texture>;
using GlFramebuffer = GlObject<GlKind::Framebuffer>;
