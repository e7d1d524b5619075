#pragma once
// Fills a rectangle of the 1024 x 800 text screen with a translucent colour: the dark ground of a panel.

#include "render/gl_object.hpp"
#include "render/inline_program.hpp"

#include <glm/glm.hpp>

class PanelBackdrop {
public:
    // Compiles its own small program and makes a unit square; needs a current GL context.
    // A program that fails to build is reported on standard error and the backdrop draws nothing.
    PanelBackdrop();
    PanelBackdrop(const PanelBackdrop&) = delete;
    PanelBackdrop& operator=(const PanelBackdrop&) = delete;

    // Blends colour (alpha in w) over the rectangle with lower left corner (x, y), in pixels.
    // Leaves blending off and the depth test as it found it.
    void draw(float x, float y, float width, float height, glm::vec4 colour);

private:
    InlineProgram program_;
    GLint boxLocation_ = -1;
    GLint colourLocation_ = -1;
    GlVertexArray vao_;
    GlBuffer vbo_;
};
