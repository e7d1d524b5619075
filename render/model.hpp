#pragma once
// A model file turned into GPU meshes with their textures (and an animator when the file is animated).
// Copies are cheap: they share the imported scene, the meshes' GL objects and the animator.

#include "render/mesh.hpp"

#include <memory>
#include <string>
#include <vector>

class Animator;
class ShaderProgram;
struct aiScene;

class Model {
public:
    static constexpr int maxBones = 60; // size of the "bones" uniform array

    // Imports the file once per path (process-wide cache) and hands out copies afterwards. A file that
    // cannot be imported writes "ERROR::ASSIMP:: " and the importer's message and gives a model without
    // meshes that draws nothing; such failures are not cached. Each model of an animated file writes
    // "Animator initialised".
    explicit Model(const std::string& path);
    // An empty model: draws nothing and holds no GL objects.
    Model();

    // Draws every mesh exactly once with the program, which the caller has made current and whose other
    // uniforms ("model" at least) it has set; uploads the mesh's bone matrices to "bones" first (60
    // identities for a static mesh). Advances the animation from the GLFW clock first.
    void draw(const ShaderProgram& program);

    // True when the import failed (nothing to draw).
    bool empty() const;

    // Forgets every cached import, so the next Model of a path reads the file again. Models already
    // handed out keep their data.
    static void clearCache();

    const std::vector<Mesh>& meshes() const;
    const std::string& directory() const;         // textures are read relative to it
    const std::vector<Texture>& texturesLoaded() const; // each texture file once
    Animator* animator() const;                   // none unless the file has an animation
    const aiScene* scene() const;                 // none when the import failed

    struct Data; // opaque: the shared import of one file

private:
    static std::shared_ptr<Data> load(const std::string& path);

    std::shared_ptr<Data> data_;
};
