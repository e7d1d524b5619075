#pragma once
// Shows where the falling stone will come to rest: its cells as one translucent body with bright creases.

#include "field/landing_outline.hpp"
#include "render/gl_object.hpp"
#include "render/shader_program.hpp"

#include <glm/glm.hpp>

#include <vector>

class LandingMarker {
public:
    // Builds its program and buffer; needs a current GL context.
    LandingMarker();

    // Draws the cells (x, z, level) seen through projView over the scene drawn so far: tested against
    // its depths but writing none, blended, filled whatever the polygon mode. Leaves depth writes on,
    // blending off, the line width 1 and the polygon mode as it found it.
    void draw(const std::vector<glm::ivec3>& cells, const glm::mat4& projView);

private:
    void drawPart(const std::vector<OutlineVertex>& vertices, GLenum mode, const glm::vec4& colour);

    ShaderProgram program_;
    GLint projViewLocation_ = -1;
    GLint colourLocation_ = -1;
    GlVertexArray vao_;
    GlBuffer vbo_;
    LandingOutline outline_;
    float lineWidth_ = 1.0f; // pixels: the widest up to 2 that the driver draws
};
