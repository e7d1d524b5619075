#include "render/text_renderer.hpp"

#include "platform/console_traces.hpp"
#include "platform/regular_file.hpp"
#include "render/render_state.hpp"
#include "render/shader_program.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <array>
#include <iostream>
#include <optional>

namespace {

constexpr int glyphCount = 128; // character codes 0..127
constexpr int quadVertices = 6;
constexpr int floatsPerVertex = 4; // screen x, screen y, u, v
using Quad = std::array<float, quadVertices * floatsPerVertex>;

// Two triangles covering the glyph; v = 0 is the bitmap's top row.
Quad glyphQuad(const Character& glyph, float x, float y, float scale)
{
    const float left = x + static_cast<float>(glyph.bearing.x) * scale;
    const float bottom = y - static_cast<float>(glyph.size.y - glyph.bearing.y) * scale;
    const float w = static_cast<float>(glyph.size.x) * scale;
    const float h = static_cast<float>(glyph.size.y) * scale;
    return {left,     bottom + h, 0.0f, 0.0f, left,     bottom, 0.0f, 1.0f, left + w, bottom,     1.0f, 1.0f,
            left,     bottom + h, 0.0f, 0.0f, left + w, bottom, 1.0f, 1.0f, left + w, bottom + h, 1.0f, 0.0f};
}

} // namespace

TextRenderer::TextRenderer() : projection_(glm::ortho(0.0f, screenWidth, 0.0f, screenHeight)) {}

void TextRenderer::loadFont(const std::string& path)
{
    characters_.clear();
    glyphTextures_.clear();

    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        failureOutput() << "ERROR::FREETYPE: Could not init FreeType Library" << std::endl;
    // Read here rather than by FreeType, which would wait for ever on a named pipe; the bytes must
    // outlive the face.
    RegularFile file(path);
    const std::optional<std::string> fontBytes = file.readAll();
    if (!fontBytes)
        std::cerr << "Font " << path << ": " << file.error() << std::endl;
    FT_Face face = nullptr;
    if (library == nullptr || !fontBytes ||
        FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte*>(fontBytes->data()),
                           static_cast<FT_Long>(fontBytes->size()), 0, &face) != 0) {
        failureOutput() << "ERROR::FREETYPE: Failed to load font" << std::endl;
        face = nullptr;
    }
    if (face != nullptr)
        FT_Set_Pixel_Sizes(face, 0, glyphHeight);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // glyph rows are tightly packed bytes

    const GLint filter = linearFiltering ? GL_LINEAR : GL_NEAREST;
    for (int code = 0; code < glyphCount; ++code) {
        if (face == nullptr || FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) {
            failureOutput() << "ERROR::FREETYTPE: Failed to load Glyph" << std::endl;
            continue;
        }
        const FT_GlyphSlot slot = face->glyph;
        GlTexture texture = GlTexture::generate();
        glBindTexture(GL_TEXTURE_2D, texture.get());
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, static_cast<GLsizei>(slot->bitmap.width),
                     static_cast<GLsizei>(slot->bitmap.rows), 0, GL_RED, GL_UNSIGNED_BYTE, slot->bitmap.buffer);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);

        Character glyph;
        glyph.texture = texture.get();
        glyph.size = glm::ivec2(static_cast<int>(slot->bitmap.width), static_cast<int>(slot->bitmap.rows));
        glyph.bearing = glm::ivec2(slot->bitmap_left, slot->bitmap_top);
        glyph.advance = static_cast<unsigned>(slot->advance.x);
        characters_.emplace(static_cast<char>(code), glyph);
        glyphTextures_.push_back(std::move(texture));
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    if (face != nullptr)
        FT_Done_Face(face);
    if (library != nullptr)
        FT_Done_FreeType(library);

    createQuadBuffer();
}

// One quad's worth of vertices, rewritten for every character.
void TextRenderer::createQuadBuffer()
{
    vao_ = GlVertexArray::generate();
    vbo_ = GlBuffer::generate();
    glBindVertexArray(vao_.get());
    glBindBuffer(GL_ARRAY_BUFFER, vbo_.get());
    glBufferData(GL_ARRAY_BUFFER, sizeof(Quad), nullptr, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, floatsPerVertex, GL_FLOAT, GL_FALSE, floatsPerVertex * sizeof(float), nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

void TextRenderer::drawText(const ShaderProgram& program, const std::string& text, float x, float y, float scale,
                            glm::vec3 colour)
{
    glUseProgram(program.id);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glUniformMatrix4fv(program.uniform("projection"), 1, GL_FALSE, glm::value_ptr(projection_));
    glUniform3f(program.uniform("textColor"), colour.x, colour.y, colour.z);
    glActiveTexture(GL_TEXTURE0);
    glBindVertexArray(vao_.get());
    glBindBuffer(GL_ARRAY_BUFFER, vbo_.get());

    for (const char code : text) {
        const Character* glyph = find(code);
        if (glyph == nullptr)
            continue;
        const Quad quad = glyphQuad(*glyph, x, y, scale);
        glBindTexture(GL_TEXTURE_2D, glyph->texture);
        glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(Quad), quad.data());
        glDrawArrays(GL_TRIANGLES, 0, quadVertices);
        x += penAdvance(*glyph, scale);
    }

    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_BLEND);
}

float TextRenderer::advanceOf(const std::string& text, float scale) const
{
    float width = 0.0f;
    for (const char code : text)
        if (const Character* glyph = find(code))
            width += penAdvance(*glyph, scale);
    return width;
}

const Character* TextRenderer::find(char code) const
{
    const auto found = characters_.find(code);
    return found != characters_.end() ? &found->second : nullptr;
}

// Whole pixels of the advance (1/64 pixel units, floored), then scaled.
float TextRenderer::penAdvance(const Character& glyph, float scale)
{
    return static_cast<float>(static_cast<int>(glyph.advance) >> 6) * scale;
}
