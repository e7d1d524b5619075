#pragma once
// A scene program's stand-in for meshes without bones: the same fragment stage on a vertex stage
// without skinning, handed the scene program's uniform values before each draw it takes over.

#include "render/shader_program.hpp"

#include <string>
#include <vector>

class StaticMeshProgram {
public:
    // Builds the stand-in from the two files as ShaderProgram does, with its reports on reports (a file
    // that cannot be read or compiled ends the process), and pairs it with the scene program: from then
    // on a mesh without bones drawn with the scene program draws with this one. The scene program must
    // outlive it.
    StaticMeshProgram(ShaderProgram& scene, const std::string& vertexPath, const std::string& fragmentPath,
                      std::ostream& reports = std::cout);
    // Unpairs: the scene program draws every mesh itself again.
    ~StaticMeshProgram();
    StaticMeshProgram(const StaticMeshProgram&) = delete;
    StaticMeshProgram& operator=(const StaticMeshProgram&) = delete;

    // Makes the stand-in current, holding every value of the uniforms it shares with the scene program.
    void takeOver() const;

    const ShaderProgram& program() const { return program_; }

private:
    // One uniform (one array element) of both programs.
    struct SharedUniform {
        GLint sceneLocation;
        GLint ownLocation;
        GLenum type;
    };

    void findSharedUniforms();

    ShaderProgram& scene_;
    ShaderProgram program_;
    std::vector<SharedUniform> shared_;
};
