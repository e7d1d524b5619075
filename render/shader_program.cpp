// Placeholder until the shader loader lands.
#include "render/shader_program.hpp"

ShaderProgram::ShaderProgram(const std::string&, const std::string&) : label("hello") {}
ShaderProgram::~ShaderProgram() = default;
GLint ShaderProgram::uniform(const char* name) const { return glGetUniformLocation(id, name); }
