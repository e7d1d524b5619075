#include "tests/tools/assets/imported_model.hpp"

#include "tests/support/run_program.hpp"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cmath>

std::string ressource(const std::string& file) { return sourceDir() + "/QUARVEL/Ressources/" + file; }

ImportedModel::ImportedModel(const std::string& path)
{
    scene_ = importer_.ReadFile(path, aiProcess_Triangulate | aiProcess_FlipUVs);
    if (!scene_)
        error_ = importer_.GetErrorString();
    const auto slash = path.find_last_of('/');
    directory_ = slash == std::string::npos ? path : path.substr(0, slash);
}

std::vector<glm::vec3> ImportedModel::positionsOf(const std::string& material, const glm::mat4& placement) const
{
    std::vector<glm::vec3> out;
    for (unsigned m = 0; scene_ && m < scene_->mNumMeshes; ++m) {
        const aiMesh* mesh = scene_->mMeshes[m];
        if (!material.empty() && materialName(mesh) != material)
            continue;
        for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
            const aiVector3D& p = mesh->mVertices[v];
            out.push_back(glm::vec3(placement * glm::vec4(p.x, p.y, p.z, 1.0f)));
        }
    }
    return out;
}

std::vector<glm::vec3> ImportedModel::positions(const glm::mat4& placement) const { return positionsOf("", placement); }

std::vector<Triangle> ImportedModel::triangles(const glm::mat4& placement) const
{
    std::vector<Triangle> out;
    for (unsigned m = 0; scene_ && m < scene_->mNumMeshes; ++m) {
        const aiMesh* mesh = scene_->mMeshes[m];
        const auto at = [&](unsigned i) {
            const aiVector3D& p = mesh->mVertices[i];
            return glm::vec3(placement * glm::vec4(p.x, p.y, p.z, 1.0f));
        };
        for (unsigned f = 0; f < mesh->mNumFaces; ++f)
            if (mesh->mFaces[f].mNumIndices == 3)
                out.push_back({at(mesh->mFaces[f].mIndices[0]), at(mesh->mFaces[f].mIndices[1]), at(mesh->mFaces[f].mIndices[2])});
    }
    return out;
}

Box ImportedModel::bounds(const glm::mat4& placement) const { return boundsOf(positions(placement)); }

std::string ImportedModel::materialName(const aiMesh* mesh) const
{
    aiString name;
    scene_->mMaterials[mesh->mMaterialIndex]->Get(AI_MATKEY_NAME, name);
    return name.C_Str();
}

Box boundsOf(const std::vector<glm::vec3>& points)
{
    Box b;
    for (const glm::vec3& p : points)
        b.include(p);
    return b;
}

float rayHit(glm::vec3 origin, glm::vec3 direction, const std::vector<Triangle>& triangles)
{
    float best = -1.0f;
    for (const Triangle& t : triangles) {  // Moller-Trumbore
        const glm::vec3 e1 = t.b - t.a, e2 = t.c - t.a;
        const glm::vec3 p = glm::cross(direction, e2);
        const float det = glm::dot(e1, p);
        if (std::abs(det) < 1e-12f)
            continue;
        const glm::vec3 s = origin - t.a;
        const float u = glm::dot(s, p) / det;
        const glm::vec3 q = glm::cross(s, e1);
        const float v = glm::dot(direction, q) / det;
        const float d = glm::dot(e2, q) / det;
        if (u >= 0.0f && v >= 0.0f && u + v <= 1.0f && d >= 0.0f && (best < 0.0f || d < best))
            best = d;
    }
    return best;
}
