#include "render/render_state.hpp"

bool linearFiltering = true;
GLuint shadowDepthTexture = 0;
