#include "render/texture_loader.hpp"

#include "render/render_state.hpp"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb_image.h>
#pragma GCC diagnostic pop

#include <cstdio>
#include <iostream>
#include <memory>

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

Image decodeRgb(const std::string& fileName)
{
    Image image;
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr) {
        std::cerr << "Texture " << fileName << ": can't fopen" << std::endl;
        return image;
    }
    stbi_set_flip_vertically_on_load(0);
    int channelsInFile = 0;
    image.pixels.reset(stbi_load_from_file(file, &image.width, &image.height, &channelsInFile, rgbChannels));
    std::fclose(file);
    if (!image.pixels)
        std::cerr << "Texture " << fileName << ": " << stbi_failure_reason() << std::endl;
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
