#pragma once
// A model file imported the way the game imports it, with helpers to place it in the world.

#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <glm/glm.hpp>

#include <string>
#include <vector>

struct Box {
    glm::vec3 min{1e30f};
    glm::vec3 max{-1e30f};
    void include(glm::vec3 p)
    {
        min = glm::min(min, p);
        max = glm::max(max, p);
    }
    glm::vec3 size() const { return max - min; }
};

struct Triangle {
    glm::vec3 a, b, c;
};

// Repo-relative path of a file in the data tree ("Models/coins.obj" -> QUARVEL/Ressources/...).
std::string ressource(const std::string& file);

class ImportedModel {
public:
    // path is relative to the repo root; imports with triangulation and flipped texture v, as the game.
    explicit ImportedModel(const std::string& path);

    bool loaded() const { return scene_ != nullptr && scene_->mRootNode != nullptr; }
    const std::string& error() const { return error_; }
    const aiScene* scene() const { return scene_; }
    const std::string& directory() const { return directory_; }

    // Vertex positions of all meshes (bind pose) placed by the matrix.
    std::vector<glm::vec3> positions(const glm::mat4& placement = glm::mat4(1.0f)) const;
    // Vertex positions of the meshes whose material has this name.
    std::vector<glm::vec3> positionsOf(const std::string& material, const glm::mat4& placement = glm::mat4(1.0f)) const;
    std::vector<Triangle> triangles(const glm::mat4& placement = glm::mat4(1.0f)) const;
    Box bounds(const glm::mat4& placement = glm::mat4(1.0f)) const;
    std::string materialName(const aiMesh* mesh) const;

private:
    Assimp::Importer importer_;
    const aiScene* scene_ = nullptr;
    std::string error_;
    std::string directory_;
};

Box boundsOf(const std::vector<glm::vec3>& points);
// Distance along the ray (origin, unit direction) to the nearest triangle hit, or a negative value.
float rayHit(glm::vec3 origin, glm::vec3 direction, const std::vector<Triangle>& triangles);
