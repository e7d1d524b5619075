#include "effects/gl_handle.hpp"

#include <utility>

GlHandle GlHandle::buffer()
{
    GLuint name = 0;
    glGenBuffers(1, &name);
    return GlHandle(name, [](GLuint n) { glDeleteBuffers(1, &n); });
}

GlHandle GlHandle::vertexArray()
{
    GLuint name = 0;
    glGenVertexArrays(1, &name);
    return GlHandle(name, [](GLuint n) { glDeleteVertexArrays(1, &n); });
}

GlHandle& GlHandle::operator=(GlHandle&& other) noexcept
{
    if (this != &other) {
        reset();
        name_ = std::exchange(other.name_, 0);
        release_ = other.release_;
    }
    return *this;
}

void GlHandle::reset()
{
    if (name_ != 0 && release_ != nullptr)
        release_(name_);
    name_ = 0;
}
