#include "render/inline_program.hpp"

#include <iostream>

namespace {

GLuint compile(const char* what, GLenum stage, const char* source)
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
    std::cerr << what << " shader does not compile: " << log << '\n';
    glDeleteShader(shader);
    return 0;
}

GLuint link(const char* what, GLuint vertex, GLuint fragment)
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
        std::cerr << what << " program does not link\n";
        glDeleteProgram(program);
        program = 0;
    }
    return program;
}

} // namespace

InlineProgram::InlineProgram(const char* what, const char* vertexSource, const char* fragmentSource)
{
    const GLuint vertex = compile(what, GL_VERTEX_SHADER, vertexSource);
    const GLuint fragment = compile(what, GL_FRAGMENT_SHADER, fragmentSource);
    id_ = link(what, vertex, fragment);
    glDeleteShader(vertex); // the program keeps what it needs
    glDeleteShader(fragment);
}

InlineProgram::~InlineProgram()
{
    if (id_ != 0)
        glDeleteProgram(id_);
}

GLint InlineProgram::uniform(const char* name) const
{
    return id_ != 0 ? glGetUniformLocation(id_, name) : -1;
}
