#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#include "gl_model.hpp"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <glm/gtc/quaternion.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <stb_image.h>

#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>

namespace assetview {

struct SceneHolder {
    Assimp::Importer importer;
};

struct GlModel::GpuMesh {
    GLuint vao = 0, vbo = 0, ebo = 0, texture = 0;
    GLsizei indexCount = 0;
    unsigned meshIndex = 0;
    glm::mat4 node{1.0f};  // static meshes: the node's global transform
    bool skinned = false;
};

namespace {

constexpr double gameTicksPerSecond = 20.0;  // the game's animation clock
constexpr int maxBones = 60;

struct ViewVertex {
    glm::vec3 position, normal;
    glm::vec2 uv;
    glm::ivec4 bones{0};
    glm::vec4 weights{0.0f};
};

glm::mat4 toGlm(const aiMatrix4x4& m) { return glm::transpose(glm::make_mat4(&m.a1)); }

const aiNode* findNode(const aiNode* node, const std::string& name)
{
    if (name == node->mName.C_Str())
        return node;
    for (unsigned i = 0; i < node->mNumChildren; ++i)
        if (const aiNode* found = findNode(node->mChildren[i], name))
            return found;
    return nullptr;
}

template <typename Key>
std::pair<unsigned, float> bracket(const Key* keys, unsigned count, double t)
{
    unsigned i = 0;
    while (i + 1 < count && keys[i + 1].mTime <= t)
        ++i;
    if (i + 1 >= count)
        return {i, 0.0f};
    const double span = keys[i + 1].mTime - keys[i].mTime;
    return {i, span > 0.0 ? float((t - keys[i].mTime) / span) : 0.0f};
}

glm::mat4 channelMatrix(const aiNodeAnim* c, double t)
{
    glm::vec3 position(0.0f), scale(1.0f);
    glm::quat rotation(1, 0, 0, 0);
    if (c->mNumPositionKeys) {
        const auto [i, f] = bracket(c->mPositionKeys, c->mNumPositionKeys, t);
        const aiVector3D a = c->mPositionKeys[i].mValue;
        const aiVector3D b = c->mPositionKeys[std::min(i + 1, c->mNumPositionKeys - 1)].mValue;
        position = glm::mix(glm::vec3(a.x, a.y, a.z), glm::vec3(b.x, b.y, b.z), f);
    }
    if (c->mNumRotationKeys) {
        const auto [i, f] = bracket(c->mRotationKeys, c->mNumRotationKeys, t);
        const aiQuaternion a = c->mRotationKeys[i].mValue;
        const aiQuaternion b = c->mRotationKeys[std::min(i + 1, c->mNumRotationKeys - 1)].mValue;
        rotation = glm::slerp(glm::quat(a.w, a.x, a.y, a.z), glm::quat(b.w, b.x, b.y, b.z), f);
    }
    if (c->mNumScalingKeys) {
        const aiVector3D s = c->mScalingKeys[0].mValue;
        scale = glm::vec3(s.x, s.y, s.z);
    }
    glm::mat4 m = glm::mat4_cast(rotation);
    m[0] *= scale.x;
    m[1] *= scale.y;
    m[2] *= scale.z;
    m[3] = glm::vec4(position, 1.0f);
    return m;
}

} // namespace

GlModel::GlModel(const std::string& path) : holder_(std::make_unique<SceneHolder>())
{
    scene_ = holder_->importer.ReadFile(path, aiProcess_Triangulate | aiProcess_FlipUVs);
    if (!scene_ || !scene_->mRootNode)
        throw std::runtime_error("cannot import " + path + ": " + holder_->importer.GetErrorString());
    const auto slash = path.find_last_of('/');
    directory_ = slash == std::string::npos ? path : path.substr(0, slash);
    loadMeshes(scene_->mRootNode, glm::mat4(1.0f));
}

GlModel::~GlModel()
{
    for (GpuMesh& m : meshes_) {
        glDeleteVertexArrays(1, &m.vao);
        glDeleteBuffers(1, &m.vbo);
        glDeleteBuffers(1, &m.ebo);
    }
    for (auto& t : textures_)
        glDeleteTextures(1, &t.second);
}

GLuint GlModel::texture(const std::string& file)
{
    for (auto& t : textures_)
        if (t.first == file)
            return t.second;
    int w = 0, h = 0, channels = 0;
    unsigned char* pixels = stbi_load((directory_ + "/" + file).c_str(), &w, &h, &channels, 3);
    if (!pixels)
        throw std::runtime_error("cannot decode texture " + directory_ + "/" + file);
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, w, h, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    stbi_image_free(pixels);
    textures_.emplace_back(file, id);
    return id;
}

void GlModel::loadMeshes(const aiNode* node, const glm::mat4& parent)
{
    const glm::mat4 global = parent * toGlm(node->mTransformation);
    for (unsigned k = 0; k < node->mNumMeshes; ++k) {
        const aiMesh* mesh = scene_->mMeshes[node->mMeshes[k]];
        std::vector<ViewVertex> vertices(mesh->mNumVertices);
        for (unsigned i = 0; i < mesh->mNumVertices; ++i) {
            ViewVertex& v = vertices[i];
            v.position = {mesh->mVertices[i].x, mesh->mVertices[i].y, mesh->mVertices[i].z};
            v.normal = mesh->mNormals ? glm::vec3(mesh->mNormals[i].x, mesh->mNormals[i].y, mesh->mNormals[i].z)
                                      : glm::vec3(0, 1, 0);
            if (mesh->mTextureCoords[0])
                v.uv = {mesh->mTextureCoords[0][i].x, mesh->mTextureCoords[0][i].y};
            const glm::vec3 p = mesh->HasBones() ? v.position : glm::vec3(global * glm::vec4(v.position, 1.0f));
            min_ = glm::min(min_, p);
            max_ = glm::max(max_, p);
        }
        std::vector<int> used(mesh->mNumVertices, 0);
        for (unsigned b = 0; b < mesh->mNumBones; ++b)
            for (unsigned w = 0; w < mesh->mBones[b]->mNumWeights; ++w) {
                const aiVertexWeight& vw = mesh->mBones[b]->mWeights[w];
                int& slot = used[vw.mVertexId];
                if (slot < 4) {
                    vertices[vw.mVertexId].bones[slot] = int(b);
                    vertices[vw.mVertexId].weights[slot] = vw.mWeight;
                    ++slot;
                }
            }
        std::vector<unsigned> indices;
        for (unsigned f = 0; f < mesh->mNumFaces; ++f)
            for (unsigned j = 0; j < mesh->mFaces[f].mNumIndices; ++j)
                indices.push_back(mesh->mFaces[f].mIndices[j]);

        GpuMesh gpu;
        gpu.meshIndex = node->mMeshes[k];
        gpu.node = global;
        gpu.skinned = mesh->HasBones();
        gpu.indexCount = GLsizei(indices.size());
        aiString file;
        if (scene_->mMaterials[mesh->mMaterialIndex]->GetTexture(aiTextureType_DIFFUSE, 0, &file) == AI_SUCCESS)
            gpu.texture = texture(file.C_Str());
        glGenVertexArrays(1, &gpu.vao);
        glGenBuffers(1, &gpu.vbo);
        glGenBuffers(1, &gpu.ebo);
        glBindVertexArray(gpu.vao);
        glBindBuffer(GL_ARRAY_BUFFER, gpu.vbo);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(ViewVertex)), vertices.data(), GL_STATIC_DRAW);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gpu.ebo);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(unsigned)), indices.data(), GL_STATIC_DRAW);
        const auto stride = GLsizei(sizeof(ViewVertex));
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, (void*)offsetof(ViewVertex, position));
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, (void*)offsetof(ViewVertex, normal));
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, (void*)offsetof(ViewVertex, uv));
        glEnableVertexAttribArray(3);
        glVertexAttribIPointer(3, 4, GL_INT, stride, (void*)offsetof(ViewVertex, bones));
        glEnableVertexAttribArray(4);
        glVertexAttribPointer(4, 4, GL_FLOAT, GL_FALSE, stride, (void*)offsetof(ViewVertex, weights));
        glBindVertexArray(0);
        meshes_.push_back(gpu);
    }
    for (unsigned c = 0; c < node->mNumChildren; ++c)
        loadMeshes(node->mChildren[c], global);
}

std::vector<glm::mat4> GlModel::boneMatrices(unsigned meshIndex, double ticks) const
{
    // Local transforms: animated channels replace the node's own transformation.
    std::map<std::string, glm::mat4> animated;
    if (scene_->mNumAnimations > 0) {
        const aiAnimation* a = scene_->mAnimations[0];
        const double t = a->mDuration > 0.0 ? std::fmod(ticks, a->mDuration) : 0.0;
        for (unsigned c = 0; c < a->mNumChannels; ++c)
            animated.emplace(a->mChannels[c]->mNodeName.C_Str(), channelMatrix(a->mChannels[c], t));
    }
    std::map<const aiNode*, glm::mat4> globals;
    std::function<void(const aiNode*, const glm::mat4&)> walk = [&](const aiNode* n, const glm::mat4& parent) {
        const auto found = animated.find(n->mName.C_Str());
        const glm::mat4 g = parent * (found != animated.end() ? found->second : toGlm(n->mTransformation));
        globals[n] = g;
        for (unsigned i = 0; i < n->mNumChildren; ++i)
            walk(n->mChildren[i], g);
    };
    walk(scene_->mRootNode, glm::mat4(1.0f));

    const aiMesh* mesh = scene_->mMeshes[meshIndex];
    glm::mat4 meshNode(1.0f);
    for (const auto& [node, g] : globals)
        for (unsigned k = 0; k < node->mNumMeshes; ++k)
            if (node->mMeshes[k] == meshIndex)
                meshNode = g;
    std::vector<glm::mat4> out(maxBones, glm::mat4(1.0f));
    for (unsigned b = 0; b < mesh->mNumBones && b < unsigned(maxBones); ++b) {
        const aiNode* node = findNode(scene_->mRootNode, mesh->mBones[b]->mName.C_Str());
        const glm::mat4 g = node ? globals[node] : glm::mat4(1.0f);
        out[b] = glm::inverse(meshNode) * g * toGlm(mesh->mBones[b]->mOffsetMatrix);
    }
    return out;
}

void GlModel::draw(GLuint program, const glm::mat4& model, double animationSeconds) const
{
    const GLint modelAt = glGetUniformLocation(program, "model");
    const GLint skinnedAt = glGetUniformLocation(program, "skinned");
    const GLint bonesAt = glGetUniformLocation(program, "bones");
    for (const GpuMesh& m : meshes_) {
        if (m.skinned) {
            const auto bones = boneMatrices(m.meshIndex, animationSeconds * gameTicksPerSecond);
            glUniformMatrix4fv(bonesAt, maxBones, GL_FALSE, glm::value_ptr(bones[0]));
            glUniformMatrix4fv(modelAt, 1, GL_FALSE, glm::value_ptr(model));
        } else {
            const glm::mat4 placed = model * m.node;
            glUniformMatrix4fv(modelAt, 1, GL_FALSE, glm::value_ptr(placed));
        }
        glUniform1i(skinnedAt, m.skinned ? 1 : 0);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, m.texture);
        glBindVertexArray(m.vao);
        glDrawElements(GL_TRIANGLES, m.indexCount, GL_UNSIGNED_INT, nullptr);
    }
    glBindVertexArray(0);
}

} // namespace assetview
