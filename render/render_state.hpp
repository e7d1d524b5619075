#pragma once
// Process-wide render switches shared by the texture, shadow-map and text code.

#include <GL/glew.h>

// Magnification filter for textures created from now on: linear when true, nearest otherwise (key F4).
extern bool linearFiltering;

// Depth texture of the shadow map, bound on unit 1 by every mesh draw; 0 until the frame loop publishes it.
extern GLuint shadowDepthTexture;
