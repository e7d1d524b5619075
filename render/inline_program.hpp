#pragma once
// A small GL program built from sources held in the code, for drawing aids that need no shader files.

#include <GL/glew.h>

class InlineProgram {
public:
    // Compiles and links both sources; needs a current GL context. A stage that does not compile or a
    // program that does not link is reported on standard error, naming what, and leaves no program:
    // valid() is false and the owner draws nothing.
    InlineProgram(const char* what, const char* vertexSource, const char* fragmentSource);
    ~InlineProgram();
    InlineProgram(const InlineProgram&) = delete;
    InlineProgram& operator=(const InlineProgram&) = delete;

    bool valid() const { return id_ != 0; }
    GLuint id() const { return id_; }
    // Location of a uniform, -1 when there is none of that name or no program.
    GLint uniform(const char* name) const;

private:
    GLuint id_ = 0;
};
