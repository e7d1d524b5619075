#pragma once
// Depth-only framebuffer the scene is drawn into from the light's point of view.

#include "render/gl_object.hpp"

class ShadowMap {
public:
    static constexpr int width = 1024; // texels, the fixed viewport's size
    static constexpr int height = 800;

    // No GL objects until init; move-only, deletes what it created exactly once.
    ShadowMap() = default;

    // Creates the framebuffer and its comparing depth texture (filtered as `linearFiltering` says now).
    // Writes "GUT" when the framebuffer is complete and returns true; otherwise writes the status
    // number and returns false. Leaves the framebuffer and the texture bound.
    bool init();

    GLuint framebuffer() const { return framebuffer_.get(); }
    GLuint depthTexture() const { return depthTexture_.get(); }

private:
    // Declared texture first so that the framebuffer goes first.
    GlTexture depthTexture_;
    GlFramebuffer framebuffer_;
};
