#include "creatures/creature_shaders.hpp"

ShaderProgram* beetleShader = nullptr;
ShaderProgram* squirrelShader = nullptr;
