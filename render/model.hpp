#pragma once
// A model file turned into GPU meshes with their textures (and an animator when the file is animated).
// Copies are cheap: they share the imported scene, the meshes' GL objects and the animator.

#include <memory>
#include <string>

class ShaderProgram;

class Model {
public:
    // Imports the file once per path and hands out copies afterwards. A file that cannot be
    // imported writes "ERROR::ASSIMP:: " and the importer's message and gives a model without meshes.
    explicit Model(const std::string& path);

    // Draws every mesh once with the program, which the caller has made current and whose other
    // uniforms ("model" at least) it has set. Advances the animation of an animated model first.
    void draw(const ShaderProgram& program);

    // True when the import failed (nothing to draw).
    bool empty() const;

private:
    struct Data;
    std::shared_ptr<Data> data_;
};
