#pragma once
// One indexed triangle list in GPU memory with the textures of its material.

#include "assets/vertex.hpp"
#include "render/gl_object.hpp"

#include <glm/glm.hpp>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class ShaderProgram;

// One texture of a material. The GL texture belongs to the model that loaded it.
struct Texture {
    GLuint id = 0;
    std::string type; // "texture_diffuse" or "texture_specular"
    std::string path; // as the material names it; the model's texture cache key
};

class Mesh {
public:
    static constexpr GLint shadowMapUnit = 1; // texture unit of "gShadowMap"

    // Uploads the arrays once as static buffers. Copies share the same GL objects, which are
    // released when the last copy goes.
    Mesh(std::vector<Vertex> vertices, std::vector<unsigned> indices, std::vector<Texture> textures);

    // Binds the material textures (units 0, 2, 3, ... so unit 1 stays the shadow map's) and, where the
    // program samples it, the shadow map, sets the matching sampler uniforms of the program and draws all
    // triangles. The caller has made the program current and set its other uniforms. A mesh without
    // bones draws with the program's stand-in without skinning when it has one, and leaves the program
    // current again. A mesh without textures binds no texture.
    void draw(const ShaderProgram& program) const;

    // True when some vertex has bone influences (weights summing above zero), so the draw must skin.
    bool hasBones() const { return hasBones_; }

    // Texture unit of the i-th material texture: 0, then 2, 3, ... (unit 1 is the shadow map's).
    static GLint textureUnit(std::size_t i) { return i == 0 ? 0 : static_cast<GLint>(i) + 1; }

    const std::vector<Vertex>& vertices() const { return vertices_; }
    const std::vector<unsigned>& indices() const { return indices_; }
    const std::vector<Texture>& textures() const { return textures_; }
    GLuint vao() const { return buffers_->vao.get(); }

private:
    struct Buffers {
        GlVertexArray vao;
        GlBuffer vbo;
        GlBuffer ebo;
    };

    void setupMesh();
    void nameSamplers();
    void drawWith(const ShaderProgram& program) const;
    void bindTextures(const ShaderProgram& program) const;

    std::vector<Vertex> vertices_;
    std::vector<unsigned> indices_;
    std::vector<Texture> textures_;
    std::vector<std::string> samplerNames_; // "mat_texture_diffuse1", ... one per texture
    std::shared_ptr<const Buffers> buffers_;
    bool hasBones_ = false;
};
