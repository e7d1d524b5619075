#include "field/landing_marker.hpp"

#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <iostream>
#include <cstddef>

namespace {

constexpr const char* vertexSource = R"(#version 330 core
layout(location = 0) in vec3 position; // world units
layout(location = 1) in float shade;   // light of the face, 1 on top
uniform mat4 projView;
out float faceShade;
void main()
{
    faceShade = shade;
    gl_Position = projView * vec4(position, 1.0);
}
)";

constexpr const char* fragmentSource = R"(#version 330 core
in float faceShade;
uniform vec4 colour;
out vec4 fragColour;
void main()
{
    fragColour = vec4(colour.rgb * faceShade, colour.a);
}
)";

const glm::vec4 faceColour(1.0f, 0.97f, 0.78f, 0.3f); // pale gold, the scene shows through
const glm::vec4 edgeColour(1.0f, 0.9f, 0.35f, 0.95f);
constexpr float wantedLineWidth = 2.0f; // pixels

} // namespace

LandingMarker::LandingMarker()
    : program_({"landing marker", vertexSource, fragmentSource}, std::cerr), vao_(GlVertexArray::generate()),
      vbo_(GlBuffer::generate())
{
    projViewLocation_ = program_.uniform("projView");
    colourLocation_ = program_.uniform("colour");
    glBindVertexArray(vao_.get());
    glBindBuffer(GL_ARRAY_BUFFER, vbo_.get());
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(OutlineVertex),
                          reinterpret_cast<const void*>(offsetof(OutlineVertex, position)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 1, GL_FLOAT, GL_FALSE, sizeof(OutlineVertex),
                          reinterpret_cast<const void*>(offsetof(OutlineVertex, shade)));
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
    GLfloat widths[2] = {1.0f, 1.0f};
    glGetFloatv(GL_ALIASED_LINE_WIDTH_RANGE, widths);
    lineWidth_ = std::clamp(wantedLineWidth, 1.0f, std::max(1.0f, widths[1]));
}

void LandingMarker::draw(const std::vector<glm::ivec3>& cells, const glm::mat4& projView)
{
    if (program_.id == 0 || cells.empty())
        return;
    outline_.build(cells);
    GLint polygonMode[2] = {GL_FILL, GL_FILL};
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glUseProgram(program_.id);
    glUniformMatrix4fv(projViewLocation_, 1, GL_FALSE, glm::value_ptr(projView));
    glBindVertexArray(vao_.get());
    glBindBuffer(GL_ARRAY_BUFFER, vbo_.get());
    drawPart(outline_.faces(), GL_TRIANGLES, faceColour);
    glLineWidth(lineWidth_);
    drawPart(outline_.edges(), GL_LINES, edgeColour);
    glLineWidth(1.0f);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glPolygonMode(GL_FRONT_AND_BACK, static_cast<GLenum>(polygonMode[0]));
}

void LandingMarker::drawPart(const std::vector<OutlineVertex>& vertices, GLenum mode, const glm::vec4& colour)
{
    glUniform4f(colourLocation_, colour.r, colour.g, colour.b, colour.a);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(OutlineVertex)), vertices.data(),
                 GL_STREAM_DRAW);
    glDrawArrays(mode, 0, static_cast<GLsizei>(vertices.size()));
}
