#pragma once
// A model file turned into GPU meshes with their textures (and an animator when the file is animated).
// Copies are cheap: they share the imported scene, the meshes' GL objects and the animator.

#include "render/mesh.hpp"

#include <memory>
#include <string>
#include <vector>

class Animator;
class ModelImport;
class ShaderProgram;
struct aiScene;

class Model {
public:
    static constexpr int maxBones = 60; // size of the "bones" uniform array

    // Reads each file at most once (process-wide cache); later models of the same file share its import.
    // Textures are made once per file and magnification filter, so a model created after F4 gets the
    // filter in effect at its creation. A file that cannot be imported writes "ERROR::ASSIMP:: " and the
    // importer's message and gives a model without meshes that draws nothing; the failure is remembered
    // and every later model of that file writes the same line again. Each model of an animated file
    // writes "Animator initialised". Indices out of range in a damaged file are left out, with one note
    // on standard error.
    explicit Model(const std::string& path);
    // An empty model: draws nothing and holds no GL objects.
    Model();

    // Draws every mesh exactly once with the program, which the caller has made current and whose other
    // uniforms ("model" at least) it has set; uploads the mesh's bone matrices to "bones" first (60
    // identities for a static mesh). Advances the animation from the GLFW clock first.
    void draw(const ShaderProgram& program);

    // True when the import failed (nothing to draw).
    bool empty() const;

    // From now on, models of this file fail with this importer message without reading the file (for
    // files found unsafe to import).
    static void rememberFailure(const std::string& path, const std::string& error);

    // Forgets every cached import and failure and releases the GL objects that only the cache still
    // holds; call it while the GL context is current. Models already handed out keep their data.
    static void clearCache();

    const std::vector<Mesh>& meshes() const;
    const std::string& directory() const;         // textures are read relative to it
    const std::vector<Texture>& texturesLoaded() const; // each texture file once
    Animator* animator() const;                   // none unless the file has an animation
    const aiScene* scene() const;                 // none when the import failed

    struct Data; // opaque: one file's import with its textures for one filter

private:
    std::shared_ptr<Data> data_;
};
