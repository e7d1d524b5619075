#pragma once
// Turns an image file named by a model's material into a mipmapped GL texture.

#include <GL/glew.h>

#include <string>

// Loads directory + "/" + path as 8-bit RGB (any source format: grey, grey-alpha, RGBA, 16-bit) with
// a full mipmap chain; repeat wrapping, trilinear minification, and linear or nearest magnification
// as `linearFiltering` says right now. Never fails: a file that cannot be read or decoded still gives
// a valid texture (one white texel), reported on standard error. The caller owns the returned name.
GLuint textureFromFile(const char* path, const std::string& directory);
