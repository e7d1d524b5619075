#pragma once
// Hidden-window OpenGL renderer for the asset viewer: textured, lit, shadowed pictures read back as images.

#include "../image.hpp"

#include <GL/glew.h>
#include <glm/glm.hpp>

#include <functional>
#include <vector>

struct GLFWwindow;

namespace assetview {

struct ViewCamera {
    glm::mat4 view{1.0f};
    glm::mat4 projection{1.0f};
    glm::vec3 position{0.0f};
};

struct SunLight {
    glm::vec3 towardLight{0.3f, 1.0f, 0.2f};
    glm::mat4 shadowView{1.0f};        // light-space view and projection covering the scene
    glm::mat4 shadowProjection{1.0f};
};

class OffscreenRenderer {
public:
    OffscreenRenderer(int width, int height);
    ~OffscreenRenderer();
    OffscreenRenderer(const OffscreenRenderer&) = delete;
    OffscreenRenderer& operator=(const OffscreenRenderer&) = delete;

    // Draws the scene twice (shadow map, then picture); drawScene binds its own meshes and calls
    // GlModel::draw with the program it is given.
    void render(const ViewCamera& camera, const SunLight& light, glm::vec3 sky,
                const std::function<void(GLuint program)>& drawScene);
    // Line segments (pairs of points) over the last picture, depth-tested against it.
    void drawLines(const ViewCamera& camera, const std::vector<glm::vec3>& segments, glm::vec3 colour);
    assetgen::Image read();

    int width() const { return width_; }
    int height() const { return height_; }

private:
    void resolve();

    int width_, height_;
    GLFWwindow* window_ = nullptr;
    GLuint msFbo_ = 0, msColour_ = 0, msDepth_ = 0;
    GLuint outFbo_ = 0, outColour_ = 0;
    GLuint shadowFbo_ = 0, shadowDepth_ = 0;
    GLuint litProgram_ = 0, depthProgram_ = 0, lineProgram_ = 0;
    GLuint lineVao_ = 0, lineVbo_ = 0;
};

} // namespace assetview
