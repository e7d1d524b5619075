#include "ui/panel_backdrop.hpp"

#include <array>

namespace {

// The box arrives in text-screen pixels; the shader maps it to clip space itself.
constexpr const char* vertexSource = R"(#version 330 core
layout(location = 0) in vec2 corner;
uniform vec4 box; // x, y, width, height in pixels of the 1024 x 800 text screen
void main()
{
    vec2 pixel = box.xy + corner * box.zw;
    gl_Position = vec4(pixel / vec2(512.0, 400.0) - 1.0, 0.0, 1.0);
}
)";

constexpr const char* fragmentSource = R"(#version 330 core
uniform vec4 colour;
out vec4 fragColour;
void main()
{
    fragColour = colour;
}
)";

constexpr std::array<float, 12> unitSquare{0, 0, 1, 0, 1, 1, 0, 0, 1, 1, 0, 1}; // two triangles

} // namespace

PanelBackdrop::PanelBackdrop()
    : program_({"panel backdrop", vertexSource, fragmentSource}, std::cerr), vao_(GlVertexArray::generate()),
      vbo_(GlBuffer::generate())
{
    glBindVertexArray(vao_.get());
    glBindBuffer(GL_ARRAY_BUFFER, vbo_.get());
    glBufferData(GL_ARRAY_BUFFER, sizeof unitSquare, unitSquare.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float), nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

void PanelBackdrop::draw(float x, float y, float width, float height, glm::vec4 colour)
{
    if (program_.id == 0)
        return;
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glUseProgram(program_.id);
    glUniform4f(program_.uniform("box"), x, y, width, height);
    glUniform4f(program_.uniform("colour"), colour.r, colour.g, colour.b, colour.a);
    glBindVertexArray(vao_.get());
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    glDisable(GL_BLEND);
    if (depthTest == GL_TRUE)
        glEnable(GL_DEPTH_TEST);
}
