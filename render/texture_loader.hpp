#pragma once
// Turns an image file named by a model's material into a mipmapped GL texture.

#include <GL/glew.h>

#include <string>

// Loads directory + "/" + path, a PNG or JPEG image (grey, grey-alpha, RGB, RGBA, 16-bit PNG), as 8-bit
// RGB with a full mipmap chain; repeat wrapping, trilinear minification, and linear or nearest
// magnification as `linearFiltering` says right now. Never fails: a file that is missing, not a
// regular file, of another format, larger than GL_MAX_TEXTURE_SIZE or undecodable still gives a valid
// texture (one white texel), reported in one line on standard error. The caller owns the returned name.
GLuint textureFromFile(const char* path, const std::string& directory);
