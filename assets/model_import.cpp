#include "assets/model_import.hpp"

#include "assets/animator.hpp"
#include "assets/bone_influences.hpp"

#include <assimp/material.h>
#include <assimp/scene.h>

#include <cmath>
#include <sstream>
#include <unordered_set>

namespace {

constexpr float smallestSquaredLength = 1e-30f; // shorter vectors cannot be normalised in float
const glm::vec3 fallbackNormal(0.0f, 1.0f, 0.0f); // lit like the ground, for a vertex on no real face

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    // A bare file name lives in the working directory.
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool usable(const glm::vec3& normal)
{
    return std::isfinite(normal.x) && std::isfinite(normal.y) && std::isfinite(normal.z) &&
           glm::dot(normal, normal) > smallestSquaredLength;
}

void appendPhrase(std::ostringstream& text, const char* verb, unsigned count, const char* what)
{
    if (count == 0)
        return;
    if (text.tellp() > 0)
        text << "; ";
    text << verb << ' ' << count << ' ' << what;
}

} // namespace

bool ModelImport::Repairs::any() const
{
    return meshes + nodes + faces + boneWeights + materials + normals > 0;
}

std::string ModelImport::Repairs::describe() const
{
    std::ostringstream text;
    appendPhrase(text, "left out", meshes, "mesh references out of range or meshes without vertices");
    appendPhrase(text, "left out", nodes, "repeated nodes of the node tree");
    appendPhrase(text, "left out", faces, "faces that are not triangles or have indices out of range");
    appendPhrase(text, "left out", boneWeights, "bone weights with a vertex or bone out of range");
    appendPhrase(text, "left out", materials, "material references out of range");
    appendPhrase(text, "computed", normals, "missing or unusable normals");
    return text.str();
}

ModelImport::ModelImport() = default;
ModelImport::~ModelImport() = default;

std::shared_ptr<ModelImport> ModelImport::read(const std::string& path,
                                               const RegularFileSystem::OpenObserver& observer)
{
    auto result = std::make_shared<ModelImport>();
    if (!result->import(path, observer))
        return result;
    result->directory_ = directoryOf(path);
    result->walkNodes();
    if (result->scene_->mNumAnimations > 0 && result->scene_->mAnimations != nullptr)
        result->animator_ = std::make_unique<Animator>(result->scene_);
    return result;
}

std::shared_ptr<ModelImport> ModelImport::failure(std::string error)
{
    auto result = std::make_shared<ModelImport>();
    result->error_ = std::move(error);
    return result;
}

bool ModelImport::import(const std::string& path, const RegularFileSystem::OpenObserver& observer)
{
    // The importer takes ownership of its file system.
    importer_.SetIOHandler(std::make_unique<RegularFileSystem>(observer).release());
    const aiScene* imported = importer_.ReadFile(path, importFlags);
    if (imported == nullptr || (imported->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0 ||
        imported->mRootNode == nullptr) {
        error_ = importer_.GetErrorString();
        importer_.FreeScene();
        return false;
    }
    scene_ = imported;
    return true;
}

// Depth first, parent before children, without recursion: a deep tree must not exhaust the stack,
// and a node met twice (a cycle) is walked once.
void ModelImport::walkNodes()
{
    std::vector<const aiNode*> pending{scene_->mRootNode};
    std::unordered_set<const aiNode*> seen;
    while (!pending.empty()) {
        const aiNode* node = pending.back();
        pending.pop_back();
        if (!seen.insert(node).second) {
            ++repairs_.nodes;
            continue;
        }
        if (node->mMeshes != nullptr)
            for (unsigned slot = 0; slot < node->mNumMeshes; ++slot)
                addPart(node, slot);
        if (node->mChildren != nullptr)
            for (unsigned c = node->mNumChildren; c-- > 0;)
                if (node->mChildren[c] != nullptr)
                    pending.push_back(node->mChildren[c]);
    }
}

void ModelImport::addPart(const aiNode* node, unsigned slot)
{
    const unsigned index = node->mMeshes[slot];
    const bool known = scene_->mMeshes != nullptr && index < scene_->mNumMeshes;
    const aiMesh* mesh = known ? scene_->mMeshes[index] : nullptr;
    if (mesh == nullptr || (mesh->mVertices == nullptr && mesh->mNumVertices > 0)) {
        ++repairs_.meshes;
        return;
    }
    MeshPart part;
    part.node = node;
    part.slot = slot;
    part.mesh = mesh;
    part.skinned = mesh->mNumBones > 0 && mesh->mBones != nullptr;
    readVertices(part);
    readFaces(part);
    readTextures(part);
    readBoneWeights(part);
    repairNormals(part);
    parts_.push_back(std::move(part));
}

void ModelImport::readVertices(MeshPart& part) const
{
    const aiMesh& mesh = *part.mesh;
    part.vertices.resize(mesh.mNumVertices);
    for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
        Vertex& vertex = part.vertices[v];
        vertex.position = glm::vec3(mesh.mVertices[v].x, mesh.mVertices[v].y, mesh.mVertices[v].z);
        if (mesh.mNormals != nullptr)
            vertex.normal = glm::vec3(mesh.mNormals[v].x, mesh.mNormals[v].y, mesh.mNormals[v].z);
        if (mesh.mTextureCoords[0] != nullptr)
            vertex.texCoords = glm::vec2(mesh.mTextureCoords[0][v].x, mesh.mTextureCoords[0][v].y);
    }
}

// Triangles only: a point or line among them would shift every later triangle of the index list.
void ModelImport::readFaces(MeshPart& part)
{
    const aiMesh& mesh = *part.mesh;
    if (mesh.mFaces == nullptr) {
        repairs_.faces += mesh.mNumFaces;
        return;
    }
    part.indices.reserve(static_cast<std::size_t>(mesh.mNumFaces) * 3);
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        const bool triangle = face.mNumIndices == 3 && face.mIndices != nullptr &&
                              face.mIndices[0] < mesh.mNumVertices && face.mIndices[1] < mesh.mNumVertices &&
                              face.mIndices[2] < mesh.mNumVertices;
        if (!triangle) {
            ++repairs_.faces;
            continue;
        }
        part.indices.insert(part.indices.end(), face.mIndices, face.mIndices + 3);
    }
}

void ModelImport::readTextures(MeshPart& part)
{
    const unsigned index = part.mesh->mMaterialIndex;
    const bool known = scene_->mMaterials != nullptr && index < scene_->mNumMaterials;
    const aiMaterial* material = known ? scene_->mMaterials[index] : nullptr;
    if (material == nullptr) {
        ++repairs_.materials;
        return;
    }
    for (const auto& [kind, type] : {std::pair{aiTextureType_DIFFUSE, "texture_diffuse"},
                                     std::pair{aiTextureType_SPECULAR, "texture_specular"}}) {
        for (unsigned i = 0; i < aiGetMaterialTextureCount(material, kind); ++i) {
            aiString path;
            aiGetMaterialTexture(material, kind, i, &path);
            part.textures.push_back(TextureRef{path.C_Str(), type});
        }
    }
}

// Each vertex gets its influences in bone order; weights that name a vertex the mesh does not have, a bone
// beyond the shader's slots, or no number at all are left out.
void ModelImport::readBoneWeights(MeshPart& part)
{
    if (!part.skinned)
        return;
    const aiMesh& mesh = *part.mesh;
    std::vector<std::vector<BoneInfluence>> influences(mesh.mNumVertices);
    for (unsigned b = 0; b < mesh.mNumBones; ++b) {
        const aiBone* bone = mesh.mBones[b];
        if (bone == nullptr || bone->mWeights == nullptr)
            continue;
        for (unsigned w = 0; w < bone->mNumWeights; ++w) {
            const aiVertexWeight& weight = bone->mWeights[w];
            if (weight.mVertexId >= mesh.mNumVertices || b >= maxBones || !std::isfinite(weight.mWeight)) {
                ++repairs_.boneWeights;
                continue;
            }
            influences[weight.mVertexId].push_back(BoneInfluence{static_cast<int>(b), weight.mWeight});
        }
    }
    for (unsigned v = 0; v < mesh.mNumVertices; ++v)
        storeInfluences(part.vertices[v], std::move(influences[v]));
}

// A zero or broken normal would light the vertex with NaN; it gets the area-weighted normal of its faces.
void ModelImport::repairNormals(MeshPart& part)
{
    std::vector<bool> broken(part.vertices.size());
    bool anyBroken = false;
    for (std::size_t v = 0; v < part.vertices.size(); ++v) {
        broken[v] = !usable(part.vertices[v].normal);
        anyBroken = anyBroken || broken[v];
    }
    if (!anyBroken)
        return;

    std::vector<glm::vec3> sums(part.vertices.size(), glm::vec3(0.0f));
    for (std::size_t i = 0; i + 2 < part.indices.size(); i += 3) {
        const unsigned a = part.indices[i], b = part.indices[i + 1], c = part.indices[i + 2];
        const glm::vec3 faceNormal = glm::cross(part.vertices[b].position - part.vertices[a].position,
                                                part.vertices[c].position - part.vertices[a].position);
        if (!usable(faceNormal))
            continue;
        for (unsigned corner : {a, b, c})
            sums[corner] += faceNormal;
    }
    for (std::size_t v = 0; v < part.vertices.size(); ++v) {
        if (!broken[v])
            continue;
        part.vertices[v].normal = usable(sums[v]) ? glm::normalize(sums[v]) : fallbackNormal;
        ++repairs_.normals;
    }
}
