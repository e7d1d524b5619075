#pragma once
// A model file loaded for the asset viewer: meshes on the GPU, their textures, and (for skinned files)
// the skeleton and first animation, posed on the CPU the standard way.

#include <GL/glew.h>
#include <glm/glm.hpp>

#include <memory>
#include <string>
#include <vector>

struct aiScene;
struct aiNode;

namespace assetview {

class GlModel {
public:
    // Imports with the game's flags (triangulate, flip texture v). Throws when the import fails.
    explicit GlModel(const std::string& path);
    ~GlModel();
    GlModel(const GlModel&) = delete;
    GlModel& operator=(const GlModel&) = delete;

    // Draws every mesh with the current program; sets "model", "skinned" and "bones" on it.
    // animationSeconds is game time: the file's ticks advance 20 per second, as in the game.
    void draw(GLuint program, const glm::mat4& model, double animationSeconds) const;

    // Bounds of the (bind-pose) vertices in model space.
    glm::vec3 boundsMin() const { return min_; }
    glm::vec3 boundsMax() const { return max_; }

private:
    struct GpuMesh;
    void loadMeshes(const aiNode* node, const glm::mat4& parent);
    GLuint texture(const std::string& file);
    std::vector<glm::mat4> boneMatrices(unsigned meshIndex, double ticks) const;

    std::string directory_;
    std::unique_ptr<struct SceneHolder> holder_;
    const aiScene* scene_ = nullptr;
    std::vector<GpuMesh> meshes_;
    std::vector<std::pair<std::string, GLuint>> textures_;
    glm::vec3 min_{1e30f}, max_{-1e30f};
};

} // namespace assetview
