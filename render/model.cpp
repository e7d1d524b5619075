#include "render/model.hpp"

#include "assets/animator.hpp"
#include "assets/model_import.hpp"
#include "platform/console_traces.hpp"
#include "render/render_state.hpp"
#include "render/shader_program.hpp"
#include "render/texture_loader.hpp"

#include <GLFW/glfw3.h>
#include <assimp/scene.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <unordered_map>

static_assert(Model::maxBones == ModelImport::maxBones);

namespace {

constexpr double millisecondsPerSecond = 1000.0;

glm::mat4 toGlm(const aiMatrix4x4& m)
{
    // Assimp stores rows, glm columns: the same matrix, transposed in memory.
    return glm::mat4(m.a1, m.b1, m.c1, m.d1, m.a2, m.b2, m.c2, m.d2, m.a3, m.b3, m.c3, m.d3, m.a4, m.b4,
                     m.c4, m.d4);
}

void reportFailure(const ModelImport& import)
{
    failureOutput() << "ERROR::ASSIMP:: " << import.error() << std::endl;
}

} // namespace

struct Model::Data {
    std::shared_ptr<ModelImport> source;
    std::vector<GlTexture> ownedTextures;
    std::vector<Texture> texturesLoaded;
    std::vector<Mesh> meshes; // one per part of the source, in the same order
    std::array<glm::mat4, maxBones> bones; // reused by every draw

    explicit Data(std::shared_ptr<ModelImport> import);
    std::vector<Texture> loadMaterialTextures(const std::vector<ModelImport::TextureRef>& refs);
    void advanceAnimation();
    void fillBones(const ModelImport::MeshPart& part);
};

namespace {

// One file: its import, and the textured meshes made from it under each magnification filter.
struct CacheEntry {
    std::shared_ptr<ModelImport> import;
    std::array<std::shared_ptr<Model::Data>, 2> byFilter; // [0] nearest, [1] linear
};

std::unordered_map<std::string, CacheEntry>& cache()
{
    static std::unordered_map<std::string, CacheEntry> models;
    return models;
}

std::shared_ptr<ModelImport> importFile(const std::string& path)
{
    std::shared_ptr<ModelImport> import = ModelImport::read(path);
    if (import->failed())
        reportFailure(*import);
    else if (import->repairs().any())
        std::cerr << "Model " << path << " is damaged: " << import->repairs().describe() << std::endl;
    return import;
}

// A model of a file read before writes what its first model wrote, without touching the disk.
void repeatTraces(const ModelImport& import)
{
    if (import.failed())
        reportFailure(import);
    else if (import.animator() != nullptr)
        Animator::announce();
}

} // namespace

Model::Model(const std::string& path)
{
    CacheEntry& entry = cache()[path];
    if (entry.import)
        repeatTraces(*entry.import);
    else
        entry.import = importFile(path);
    std::shared_ptr<Data>& textured = entry.byFilter[linearFiltering ? 1 : 0];
    if (!textured)
        textured = std::make_shared<Data>(entry.import);
    data_ = textured;
}

Model::Model() : data_(std::make_shared<Data>(ModelImport::failure(""))) {}

void Model::rememberFailure(const std::string& path, const std::string& error)
{
    cache()[path] = CacheEntry{ModelImport::failure(error), {}};
}

void Model::clearCache()
{
    cache().clear();
}

// Textures are made now, so they take the magnification filter in effect now.
Model::Data::Data(std::shared_ptr<ModelImport> import) : source(std::move(import))
{
    meshes.reserve(source->parts().size());
    for (const ModelImport::MeshPart& part : source->parts())
        meshes.emplace_back(part.vertices, part.indices, loadMaterialTextures(part.textures));
}

std::vector<Texture> Model::Data::loadMaterialTextures(const std::vector<ModelImport::TextureRef>& refs)
{
    std::vector<Texture> result;
    for (const ModelImport::TextureRef& ref : refs) {
        const auto loaded = std::find_if(texturesLoaded.begin(), texturesLoaded.end(),
                                         [&](const Texture& t) { return t.path == ref.path; });
        if (loaded != texturesLoaded.end()) {
            // Same GL texture; the record takes the kind it is used as here.
            result.push_back(Texture{loaded->id, ref.type, loaded->path});
            continue;
        }
        ownedTextures.emplace_back(textureFromFile(ref.path.c_str(), source->directory()));
        const Texture texture{ownedTextures.back().get(), ref.type, ref.path};
        result.push_back(texture);
        texturesLoaded.push_back(texture);
    }
    return result;
}

void Model::draw(const ShaderProgram& program)
{
    Data& data = *data_;
    if (data.source->failed())
        return;
    data.advanceAnimation();
    const GLint bonesLocation = program.uniform("bones");
    const std::vector<ModelImport::MeshPart>& parts = data.source->parts();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        data.fillBones(parts[i]);
        glUniformMatrix4fv(bonesLocation, maxBones, GL_FALSE, &data.bones[0][0][0]);
        data.meshes[i].draw(program);
    }
}

void Model::Data::advanceAnimation()
{
    Animator* animator = source->animator();
    if (animator == nullptr || source->scene()->mNumAnimations == 0)
        return;
    const int clockMs = static_cast<int>(glfwGetTime() * millisecondsPerSecond);
    animator->update(clockMs, Animator::defaultTickRate);
}

// Identities, then the animator's matrices of a skinned mesh (the first 60 of its bones). A list that
// does not fit the mesh leaves the identities: the mesh still draws, in its bind pose.
void Model::Data::fillBones(const ModelImport::MeshPart& part)
{
    bones.fill(glm::mat4(1.0f));
    Animator* animator = source->animator();
    if (!part.skinned || animator == nullptr)
        return;
    const std::vector<aiMatrix4x4>& transforms = animator->boneTransforms(part.node, part.slot);
    if (transforms.size() != part.mesh->mNumBones)
        return;
    const std::size_t count = std::min<std::size_t>(transforms.size(), maxBones);
    for (std::size_t j = 0; j < count; ++j)
        bones[j] = toGlm(transforms[j]);
}

bool Model::empty() const
{
    return data_->source->failed();
}

const std::vector<Mesh>& Model::meshes() const
{
    return data_->meshes;
}

const std::string& Model::directory() const
{
    return data_->source->directory();
}

const std::vector<Texture>& Model::texturesLoaded() const
{
    return data_->texturesLoaded;
}

Animator* Model::animator() const
{
    return data_->source->animator();
}

const aiScene* Model::scene() const
{
    return data_->source->scene();
}
