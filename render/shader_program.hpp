#pragma once
// One linked GL program built from a vertex and a fragment shader: the one way the game compiles and
// links shaders, from the data folder's files or from sources built into the game.

#include <GL/glew.h>

#include <functional>
#include <iostream>
#include <string>
#include <string_view>
#include <unordered_map>

class StaticMeshProgram;

class ShaderProgram {
public:
    // Sources compiled into the game, with a name for the reports.
    struct BuiltIn {
        const char* name;
        const char* vertex;
        const char* fragment;
    };

    // Reads, compiles, attaches and links both files (vertex file first), saying "Your shader is fine"
    // on reports for each. A file that cannot be read or compiled is reported on reports and ends the
    // process with status -1 after the console pause. A failed link is survived; its log goes to
    // standard error. The game's own programs report on standard output, helper programs elsewhere.
    ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath,
                  std::ostream& reports = std::cout);
    // Built-in sources, compiled and linked the same way. A failure is reported on reports and leaves
    // id at 0, for a caller that can do without the program; the process goes on.
    ShaderProgram(const BuiltIn& sources, std::ostream& reports);
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    // Location of a uniform of this program, -1 when the program has none of that name.
    // Looked up once per name, then served from a per-program cache without allocating.
    GLint uniform(const char* name) const;

    // Compiles one source file for the stage (GL_VERTEX_SHADER or GL_FRAGMENT_SHADER) into out and
    // writes "Your shader is fine". Never returns on failure: unreadable file, no shader object, or a
    // compile error each print their message and end the process with status -1.
    static void compileShaderFile(const std::string& path, GLenum stage, GLuint& out);

    GLuint id = 0;
    std::string label;
    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;
    // Stand-in that draws the meshes without bones in this program's place; none unless one is paired.
    const StaticMeshProgram* withoutBones = nullptr;

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };

    void createProgram();
    bool attachAndLink(const std::string& name);
    bool reportLinkFailure(const std::string& name) const;

    mutable std::unordered_map<std::string, GLint, NameHash, std::equal_to<>> uniformCache_;
};
