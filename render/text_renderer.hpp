#pragma once
// Draws text in screen pixels with one FreeType-rendered texture per glyph of the first 128 codes.

#include "render/gl_object.hpp"

#include <glm/glm.hpp>

#include <map>
#include <string>
#include <vector>

class ShaderProgram;

// One loaded glyph.
struct Character {
    GLuint texture = 0;       // coverage bitmap in the red channel; owned by the renderer
    glm::ivec2 size{0};       // bitmap width and rows, pixels
    glm::ivec2 bearing{0};    // bitmap left and top offsets from the pen, pixels
    unsigned advance = 0;     // pen advance, 1/64 pixel
};

class TextRenderer {
public:
    static constexpr unsigned glyphHeight = 48; // pixels at scale 1
    static constexpr float screenWidth = 1024.0f; // text coordinates, whatever the window size
    static constexpr float screenHeight = 800.0f;

    TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;
    TextRenderer(TextRenderer&&) = default;
    TextRenderer& operator=(TextRenderer&&) = default;

    // Renders codes 0..127 of the font. FreeType failures are written to standard output
    // ("ERROR::FREETYPE: ..."); glyphs that fail are left out. Leaves GL_UNPACK_ALIGNMENT at 1.
    void loadFont(const std::string& path);

    // Draws text with its baseline starting at (x, y) pixels of the 1024 x 800 screen (origin bottom
    // left), glyphs scaled by scale, in colour, blended over what is there. Bytes without a glyph
    // (128 and above among them) draw nothing and do not advance.
    void drawText(const ShaderProgram& program, const std::string& text, float x, float y, float scale,
                  glm::vec3 colour);

    // How far drawText moves the pen for text at scale, pixels.
    float advanceOf(const std::string& text, float scale) const;

    const std::map<char, Character>& characters() const { return characters_; }
    const glm::mat4& projection() const { return projection_; }

private:
    void createQuadBuffer();
    const Character* find(char code) const;
    static float penAdvance(const Character& glyph, float scale);

    std::map<char, Character> characters_;
    std::vector<GlTexture> glyphTextures_;
    GlVertexArray vao_;
    GlBuffer vbo_;
    glm::mat4 projection_;
};
