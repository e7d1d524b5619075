#include "render/mesh.hpp"

#include "render/mesh_static_program.hpp"
#include "render/render_state.hpp"
#include "render/shader_program.hpp"

namespace {

const void* byteOffset(std::size_t offset)
{
    return reinterpret_cast<const void*>(offset);
}

// The skinning stage keeps a vertex whose weights do not add up above zero where the mesh puts it.
bool anyInfluence(const std::vector<Vertex>& vertices)
{
    for (const Vertex& v : vertices) {
        const glm::vec4& w = v.boneWeights;
        if (w.x + w.y + w.z + w.w > 0.0f)
            return true;
    }
    return false;
}

} // namespace

Mesh::Mesh(std::vector<Vertex> vertices, std::vector<unsigned> indices, std::vector<Texture> textures)
    : vertices_(std::move(vertices)), indices_(std::move(indices)), textures_(std::move(textures)),
      hasBones_(anyInfluence(vertices_))
{
    setupMesh();
    nameSamplers();
}

void Mesh::setupMesh()
{
    auto buffers = std::make_shared<Buffers>();
    buffers->vao = GlVertexArray::generate();
    buffers->vbo = GlBuffer::generate();
    buffers->ebo = GlBuffer::generate();

    glBindVertexArray(buffers->vao.get());
    glBindBuffer(GL_ARRAY_BUFFER, buffers->vbo.get());
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices_.size() * sizeof(Vertex)), vertices_.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers->ebo.get());
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices_.size() * sizeof(unsigned)),
                 indices_.data(), GL_STATIC_DRAW);

    constexpr GLsizei stride = sizeof(Vertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, byteOffset(offsetof(Vertex, position)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, byteOffset(offsetof(Vertex, normal)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, byteOffset(offsetof(Vertex, texCoords)));
    glEnableVertexAttribArray(3);
    glVertexAttribIPointer(3, 4, GL_INT, stride, byteOffset(offsetof(Vertex, boneIds)));
    glEnableVertexAttribArray(4);
    glVertexAttribPointer(4, 4, GL_FLOAT, GL_FALSE, stride, byteOffset(offsetof(Vertex, boneWeights)));
    glBindVertexArray(0);

    buffers_ = std::move(buffers);
}

// Sampler names are fixed per mesh, so they are built once here instead of on every draw.
void Mesh::nameSamplers()
{
    unsigned diffuseNumber = 1;
    unsigned specularNumber = 1;
    for (const Texture& texture : textures_) {
        std::string number;
        if (texture.type == "texture_diffuse")
            number = std::to_string(diffuseNumber++);
        else if (texture.type == "texture_specular")
            number = std::to_string(specularNumber++);
        std::string name = "mat_";
        name += texture.type;
        name += number;
        samplerNames_.push_back(std::move(name));
    }
}

// Meshes without bones skip the skinning arithmetic (most of the vertex work) where a stand-in exists.
void Mesh::draw(const ShaderProgram& program) const
{
    if (hasBones_ || program.withoutBones == nullptr) {
        drawWith(program);
        return;
    }
    const StaticMeshProgram& standIn = *program.withoutBones;
    standIn.takeOver();
    drawWith(standIn.program());
    glUseProgram(program.id);
}

void Mesh::drawWith(const ShaderProgram& program) const
{
    bindTextures(program);
    glBindVertexArray(buffers_->vao.get());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices_.size()), GL_UNSIGNED_INT, nullptr);

    for (std::size_t i = 0; i < textures_.size(); ++i) {
        glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(textureUnit(i)));
        glBindTexture(GL_TEXTURE_2D, 0);
    }
}

void Mesh::bindTextures(const ShaderProgram& program) const
{
    // The shadow sampler is set even without textures: left on unit 0 beside the colour sampler, it
    // would make the draw fail. Binding nothing, such a mesh reads whatever the units hold.
    const GLint shadowMapLocation = program.uniform("gShadowMap");
    glUniform1i(shadowMapLocation, shadowMapUnit);
    if (textures_.empty())
        return;
    for (std::size_t i = 0; i < textures_.size(); ++i) {
        const GLint unit = textureUnit(i);
        glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
        glUniform1i(program.uniform(samplerNames_[i].c_str()), unit);
        glBindTexture(GL_TEXTURE_2D, textures_[i].id);
    }
    // A program that does not sample the shadow map (the depth pass's) must not see it bound: it may be
    // the framebuffer being drawn into.
    if (shadowMapLocation == -1)
        return;
    glActiveTexture(GL_TEXTURE0 + shadowMapUnit);
    glBindTexture(GL_TEXTURE_2D, shadowDepthTexture);
}
