#pragma once
// Depth-only framebuffer the scene is drawn into from the light's point of view.

#include <GL/glew.h>

class ShadowMap {
public:
    static constexpr int width = 1024;  // texels, the fixed viewport's size
    static constexpr int height = 800;

    ShadowMap() = default;
    ~ShadowMap();
    ShadowMap(const ShadowMap&) = delete;
    ShadowMap& operator=(const ShadowMap&) = delete;

    // Creates the framebuffer and its comparing depth texture. Writes "GUT" when the framebuffer is
    // complete and returns true; otherwise writes the status number and returns false.
    // Leaves the framebuffer and the texture bound.
    bool init();

    GLuint framebuffer() const { return framebuffer_; }
    GLuint depthTexture() const { return depthTexture_; }

private:
    GLuint framebuffer_ = 0;
    GLuint depthTexture_ = 0;
};
