#pragma once
// One linked GL program built from a vertex and a fragment shader source file.

#include <GL/glew.h>

#include <string>

class ShaderProgram {
public:
    // Reads, compiles, attaches and links both files. A file that cannot be read or compiled is
    // reported and ends the process with status -1; a failed link is not reported.
    ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath);
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    // Location of a uniform of this program, -1 when the program has none of that name.
    GLint uniform(const char* name) const;

    GLuint id = 0;
    std::string label;
    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;
};
