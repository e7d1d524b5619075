#include "render/texture_loader.hpp"

#include "platform/regular_file.hpp"
#include "render/render_state.hpp"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
// Only the decoders of the formats the game ships: the others are never reached by a damaged file.
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb_image.h>
#pragma GCC diagnostic pop

#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

namespace {

constexpr int rgbChannels = 3;

struct PixelsDeleter {
    void operator()(unsigned char* pixels) const { stbi_image_free(pixels); }
};
using Pixels = std::unique_ptr<unsigned char, PixelsDeleter>;

struct Image {
    Pixels pixels;
    int width = 0;
    int height = 0;
};

void refuse(const std::string& fileName, const std::string& why)
{
    std::cerr << "Texture " << fileName << ": " << why << std::endl;
}

// PNG and JPEG are the formats the game ships; anything else is refused before decoding.
bool hasShippedSignature(std::FILE* file)
{
    constexpr unsigned char png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    constexpr unsigned char jpeg[] = {0xff, 0xd8, 0xff};
    unsigned char head[sizeof png] = {};
    const std::size_t got = std::fread(head, 1, sizeof head, file);
    std::rewind(file);
    return (got >= sizeof png && std::memcmp(head, png, sizeof png) == 0) ||
           (got >= sizeof jpeg && std::memcmp(head, jpeg, sizeof jpeg) == 0);
}

// The largest width or height the driver takes for a 2D texture.
int maxTextureSize()
{
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return size;
}

// Decodes only a regular file of a shipped format whose size (read from its header first) the driver
// can hold; every refusal is one line on standard error.
Image decodeRgb(const std::string& fileName)
{
    Image image;
    RegularFile file(fileName);
    if (!file.isOpen()) {
        refuse(fileName, file.error());
        return image;
    }
    if (!hasShippedSignature(file.stream())) {
        refuse(fileName, "not a PNG or JPEG image");
        return image;
    }
    int width = 0;
    int height = 0;
    int channelsInFile = 0;
    if (!stbi_info_from_file(file.stream(), &width, &height, &channelsInFile)) {
        refuse(fileName, stbi_failure_reason());
        return image;
    }
    if (const int limit = maxTextureSize(); width > limit || height > limit) {
        refuse(fileName, std::to_string(width) + " x " + std::to_string(height) +
                             " texels, more than the driver's limit of " + std::to_string(limit));
        return image;
    }
    stbi_set_flip_vertically_on_load(0);
    image.pixels.reset(
        stbi_load_from_file(file.stream(), &image.width, &image.height, &channelsInFile, rgbChannels));
    if (!image.pixels)
        refuse(fileName, stbi_failure_reason());
    return image;
}

// RGB rows are rarely a multiple of 4 bytes long: upload with 1-byte row alignment whatever the
// current setting is, and leave the setting as it was.
void uploadRgb(const unsigned char* pixels, int width, int height)
{
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
}

} // namespace

GLuint textureFromFile(const char* path, const std::string& directory)
{
    const std::string fileName = directory + '/' + path;

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, linearFiltering ? GL_LINEAR : GL_NEAREST);

    const Image image = decodeRgb(fileName);
    if (image.pixels) {
        uploadRgb(image.pixels.get(), image.width, image.height);
    } else {
        // A complete 1x1 texture instead of an undefined size: the model still draws, untextured.
        constexpr unsigned char white[rgbChannels] = {255, 255, 255};
        uploadRgb(white, 1, 1);
    }
    glGenerateMipmap(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}
