#pragma once
// One model file read through the importer library and made safe to draw, without any GL: the scene,
// the vertices and indices of its meshes, the texture files their materials name, and the animator of an
// animated file. Every index taken from the file is checked; what is out of range is left out.

#include "assets/vertex.hpp"
#include "platform/regular_file_system.hpp"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>

#include <memory>
#include <string>
#include <vector>

class Animator;
struct aiMaterial;
struct aiMesh;
struct aiNode;
struct aiScene;

class ModelImport {
public:
    static constexpr unsigned importFlags = aiProcess_Triangulate | aiProcess_FlipUVs;
    static constexpr unsigned maxBones = 60; // slots of the "bones" uniform array

    // A texture file named by a material, as the material stores the path.
    struct TextureRef {
        std::string path;
        std::string type; // "texture_diffuse" or "texture_specular"
    };

    // One mesh as a node of the scene references it, ready to upload.
    struct MeshPart {
        const aiNode* node = nullptr; // the node that references the mesh
        unsigned slot = 0;            // the mesh's position among the node's meshes
        const aiMesh* mesh = nullptr;
        bool skinned = false; // has bones
        std::vector<Vertex> vertices;
        std::vector<unsigned> indices;
        std::vector<TextureRef> textures; // diffuse first, then specular, in material order
    };

    // What a damaged file needed: how much was left out or made up.
    struct Repairs {
        unsigned meshes = 0;      // mesh references beyond the scene's meshes, meshes without positions
        unsigned nodes = 0;       // nodes met a second time in the node tree (a cycle)
        unsigned faces = 0;       // faces with an index beyond the mesh's vertices, or not triangles
        unsigned boneWeights = 0; // weights of a vertex beyond the mesh, of a bone beyond the 60 slots,
                                  // or not a number
        unsigned materials = 0;   // material references beyond the scene's materials
        unsigned normals = 0;     // vertices without a usable normal, given one computed from their faces

        bool any() const;
        // One line for standard error, such as "left out 2 faces; computed 60 normals".
        std::string describe() const;
    };

    // Reads the file with the game's import flags (regular files only; observer sees every file the
    // importer opens). A failed import keeps the importer's error text and has no scene.
    static std::shared_ptr<ModelImport> read(const std::string& path,
                                             const RegularFileSystem::OpenObserver& observer = {});
    // A failed import with the given error text, for a file that is known to fail.
    static std::shared_ptr<ModelImport> failure(std::string error);

    ModelImport();
    ~ModelImport();
    ModelImport(const ModelImport&) = delete;
    ModelImport& operator=(const ModelImport&) = delete;

    bool failed() const { return scene_ == nullptr; }
    const std::string& error() const { return error_; }
    const aiScene* scene() const { return scene_; }
    const std::string& directory() const { return directory_; } // textures are read relative to it
    const std::vector<MeshPart>& parts() const { return parts_; } // node walk order
    Animator* animator() const { return animator_.get(); }       // none unless the file is animated
    const Repairs& repairs() const { return repairs_; }

private:
    bool import(const std::string& path, const RegularFileSystem::OpenObserver& observer);
    void walkNodes();
    void addPart(const aiNode* node, unsigned slot);
    void readVertices(MeshPart& part) const;
    void readFaces(MeshPart& part);
    void readTextures(MeshPart& part);
    void readBoneWeights(MeshPart& part);
    void repairNormals(MeshPart& part);

    Assimp::Importer importer_; // owns the scene
    const aiScene* scene_ = nullptr;
    std::string error_;
    std::string directory_;
    std::vector<MeshPart> parts_;
    std::unique_ptr<Animator> animator_;
    Repairs repairs_;
};
