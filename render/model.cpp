#include "render/model.hpp"

#include "render/animator.hpp"
#include "render/bone_influences.hpp"
#include "render/shader_program.hpp"
#include "render/texture_loader.hpp"

#include <GLFW/glfw3.h>
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <unordered_map>

namespace {

constexpr unsigned importFlags = aiProcess_Triangulate | aiProcess_FlipUVs;
constexpr double millisecondsPerSecond = 1000.0;

// One mesh of the node walk: the node, the mesh's position in the node, and its index in `meshes`.
struct DrawItem {
    const aiNode* node = nullptr;
    unsigned slot = 0;
    std::size_t mesh = 0;
    bool skinned = false;
};

glm::mat4 toGlm(const aiMatrix4x4& m)
{
    // Assimp stores rows, glm columns: the same matrix, transposed in memory.
    return glm::mat4(m.a1, m.b1, m.c1, m.d1, m.a2, m.b2, m.c2, m.d2, m.a3, m.b3, m.c3, m.d3, m.a4, m.b4,
                     m.c4, m.d4);
}

} // namespace

struct Model::Data {
    Assimp::Importer importer; // owns the scene; declared first so it goes last
    const aiScene* scene = nullptr;
    std::string directory;
    std::vector<GlTexture> ownedTextures;
    std::vector<Texture> texturesLoaded;
    std::vector<Mesh> meshes;
    std::vector<DrawItem> drawList;
    std::unique_ptr<Animator> animator;
    std::array<glm::mat4, maxBones> bones; // reused by every draw

    bool import(const std::string& path);
    void processNode(const aiNode* node);
    Mesh processMesh(const aiMesh* mesh);
    std::vector<Texture> loadMaterialTextures(const aiMaterial* material, aiTextureType kind,
                                              const std::string& typeName);
    void advanceAnimation();
    void fillBones(const DrawItem& item);
};

namespace {

std::unordered_map<std::string, std::shared_ptr<Model::Data>>& cache()
{
    static std::unordered_map<std::string, std::shared_ptr<Model::Data>> models;
    return models;
}

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    // A bare file name lives in the working directory.
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

} // namespace

Model::Model(const std::string& path)
{
    if (const auto found = cache().find(path); found != cache().end()) {
        data_ = found->second;
        if (data_->animator)
            Animator::announce();
        return;
    }
    data_ = load(path);
    if (!empty())
        cache().emplace(path, data_);
}

std::shared_ptr<Model::Data> Model::load(const std::string& path)
{
    auto data = std::make_shared<Data>();
    if (!data->import(path))
        return data;
    data->directory = directoryOf(path);
    data->processNode(data->scene->mRootNode);
    if (data->scene->mNumAnimations > 0)
        data->animator = std::make_unique<Animator>(data->scene);
    return data;
}

Model::Model() : data_(std::make_shared<Data>()) {}

void Model::clearCache()
{
    cache().clear();
}

bool Model::Data::import(const std::string& path)
{
    const aiScene* imported = importer.ReadFile(path, importFlags);
    if (imported == nullptr || (imported->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0 ||
        imported->mRootNode == nullptr) {
        std::cout << "ERROR::ASSIMP:: " << importer.GetErrorString() << std::endl;
        importer.FreeScene();
        return false;
    }
    scene = imported;
    return true;
}

// Depth first, parent before children; the draw list follows the same order as the mesh list.
void Model::Data::processNode(const aiNode* node)
{
    for (unsigned i = 0; i < node->mNumMeshes; ++i) {
        const aiMesh* mesh = scene->mMeshes[node->mMeshes[i]];
        drawList.push_back(DrawItem{node, i, meshes.size(), mesh->mNumBones > 0});
        meshes.push_back(processMesh(mesh));
    }
    for (unsigned c = 0; c < node->mNumChildren; ++c)
        processNode(node->mChildren[c]);
}

Mesh Model::Data::processMesh(const aiMesh* mesh)
{
    std::vector<Vertex> vertices(mesh->mNumVertices);
    for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
        Vertex& vertex = vertices[v];
        const aiVector3D& p = mesh->mVertices[v];
        vertex.position = glm::vec3(p.x, p.y, p.z);
        if (mesh->mNormals != nullptr)
            vertex.normal = glm::vec3(mesh->mNormals[v].x, mesh->mNormals[v].y, mesh->mNormals[v].z);
        if (mesh->mTextureCoords[0] != nullptr)
            vertex.texCoords = glm::vec2(mesh->mTextureCoords[0][v].x, mesh->mTextureCoords[0][v].y);
    }

    std::vector<unsigned> indices;
    indices.reserve(static_cast<std::size_t>(mesh->mNumFaces) * 3);
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        indices.insert(indices.end(), face.mIndices, face.mIndices + face.mNumIndices);
    }

    const aiMaterial* material = scene->mMaterials[mesh->mMaterialIndex];
    std::vector<Texture> textures = loadMaterialTextures(material, aiTextureType_DIFFUSE, "texture_diffuse");
    std::vector<Texture> specular = loadMaterialTextures(material, aiTextureType_SPECULAR, "texture_specular");
    textures.insert(textures.end(), specular.begin(), specular.end());

    if (mesh->mNumBones > 0) {
        std::vector<std::vector<BoneInfluence>> influences(mesh->mNumVertices);
        for (unsigned b = 0; b < mesh->mNumBones; ++b) {
            const aiBone* bone = mesh->mBones[b];
            for (unsigned w = 0; w < bone->mNumWeights; ++w)
                influences[bone->mWeights[w].mVertexId].push_back(
                    BoneInfluence{static_cast<int>(b), bone->mWeights[w].mWeight});
        }
        for (unsigned v = 0; v < mesh->mNumVertices; ++v)
            storeInfluences(vertices[v], std::move(influences[v]));
    }
    return Mesh(std::move(vertices), std::move(indices), std::move(textures));
}

std::vector<Texture> Model::Data::loadMaterialTextures(const aiMaterial* material, aiTextureType kind,
                                                       const std::string& typeName)
{
    std::vector<Texture> result;
    for (unsigned i = 0; i < aiGetMaterialTextureCount(material, kind); ++i) {
        aiString path;
        aiGetMaterialTexture(material, kind, i, &path);
        const auto loaded = std::find_if(texturesLoaded.begin(), texturesLoaded.end(),
                                         [&](const Texture& t) { return t.path == path.C_Str(); });
        if (loaded != texturesLoaded.end()) {
            // Same GL texture; the record takes the kind it is used as here.
            result.push_back(Texture{loaded->id, typeName, loaded->path});
            continue;
        }
        ownedTextures.emplace_back(textureFromFile(path.C_Str(), directory));
        const Texture texture{ownedTextures.back().get(), typeName, path.C_Str()};
        result.push_back(texture);
        texturesLoaded.push_back(texture);
    }
    return result;
}

void Model::draw(const ShaderProgram& program)
{
    Data& data = *data_;
    if (data.scene == nullptr)
        return;
    data.advanceAnimation();
    const GLint bonesLocation = program.uniform("bones");
    for (const DrawItem& item : data.drawList) {
        data.fillBones(item);
        glUniformMatrix4fv(bonesLocation, maxBones, GL_FALSE, &data.bones[0][0][0]);
        data.meshes[item.mesh].draw(program);
    }
}

void Model::Data::advanceAnimation()
{
    if (!animator || scene->mNumAnimations == 0)
        return;
    const int clockMs = static_cast<int>(glfwGetTime() * millisecondsPerSecond);
    animator->update(clockMs, Animator::defaultTickRate);
}

// Identities, then the animator's matrices of a skinned mesh (the first 60 of its bones). A list that
// does not fit the mesh leaves the identities: the mesh still draws, in its bind pose.
void Model::Data::fillBones(const DrawItem& item)
{
    bones.fill(glm::mat4(1.0f));
    if (!item.skinned || !animator)
        return;
    const std::vector<aiMatrix4x4>& transforms = animator->boneTransforms(item.node, item.slot);
    const aiMesh* mesh = scene->mMeshes[item.node->mMeshes[item.slot]];
    if (transforms.size() != mesh->mNumBones)
        return;
    const std::size_t count = std::min<std::size_t>(transforms.size(), maxBones);
    for (std::size_t j = 0; j < count; ++j)
        bones[j] = toGlm(transforms[j]);
}

bool Model::empty() const
{
    return data_->scene == nullptr;
}

const std::vector<Mesh>& Model::meshes() const
{
    return data_->meshes;
}

const std::string& Model::directory() const
{
    return data_->directory;
}

const std::vector<Texture>& Model::texturesLoaded() const
{
    return data_->texturesLoaded;
}

Animator* Model::animator() const
{
    return data_->animator.get();
}

const aiScene* Model::scene() const
{
    return data_->scene;
}
