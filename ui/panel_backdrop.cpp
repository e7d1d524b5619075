#include "ui/panel_backdrop.hpp"

#include <array>
#include <iostream>

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

GLuint compile(GLenum stage, const char* source)
{
    const GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE)
        return shader;
    char log[1024] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::cerr << "Panel shader does not compile: " << log << '\n';
    glDeleteShader(shader);
    return 0;
}

GLuint link(GLuint vertex, GLuint fragment)
{
    if (vertex == 0 || fragment == 0)
        return 0;
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        std::cerr << "Panel program does not link\n";
        glDeleteProgram(program);
        program = 0;
    }
    return program;
}

} // namespace

PanelBackdrop::PanelBackdrop()
    : vao_(GlVertexArray::generate()), vbo_(GlBuffer::generate())
{
    const GLuint vertex = compile(GL_VERTEX_SHADER, vertexSource);
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, fragmentSource);
    program_ = link(vertex, fragment);
    glDeleteShader(vertex); // the program keeps what it needs
    glDeleteShader(fragment);
    if (program_ != 0) {
        boxLocation_ = glGetUniformLocation(program_, "box");
        colourLocation_ = glGetUniformLocation(program_, "colour");
    }
    glBindVertexArray(vao_.get());
    glBindBuffer(GL_ARRAY_BUFFER, vbo_.get());
    glBufferData(GL_ARRAY_BUFFER, sizeof unitSquare, unitSquare.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float), nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

PanelBackdrop::~PanelBackdrop()
{
    if (program_ != 0)
        glDeleteProgram(program_);
}

void PanelBackdrop::draw(float x, float y, float width, float height, glm::vec4 colour)
{
    if (program_ == 0)
        return;
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glUseProgram(program_);
    glUniform4f(boxLocation_, x, y, width, height);
    glUniform4f(colourLocation_, colour.r, colour.g, colour.b, colour.a);
    glBindVertexArray(vao_.get());
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    glDisable(GL_BLEND);
    if (depthTest == GL_TRUE)
        glEnable(GL_DEPTH_TEST);
}
