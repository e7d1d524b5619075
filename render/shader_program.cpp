#include "render/shader_program.hpp"

#include "platform/console_pause.hpp"
#include "platform/console_traces.hpp"
#include "platform/regular_file.hpp"

#include <iostream>
#include <optional>
#include <vector>

namespace {

constexpr int fatalStatus = -1;

std::string shaderInfoLog(GLuint shader)
{
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length <= 0)
        return {};
    std::vector<char> log(static_cast<std::size_t>(length), '\0');
    glGetShaderInfoLog(shader, length, nullptr, log.data());
    return std::string(log.data());
}

} // namespace

ShaderProgram::ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath)
    : label("hello")
{
    id = glCreateProgram();
    if (id == 0)
        std::cerr << "Failed to create shader program" << std::endl;

    compileShaderFile(vertexPath, GL_VERTEX_SHADER, vertexShader);
    compileShaderFile(fragmentPath, GL_FRAGMENT_SHADER, fragmentShader);

    glAttachShader(id, vertexShader);
    glAttachShader(id, fragmentShader);
    glLinkProgram(id);
    reportLinkFailure(vertexPath, fragmentPath);
}

ShaderProgram::~ShaderProgram()
{
    glDeleteProgram(id);
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
}

GLint ShaderProgram::uniform(const char* name) const
{
    const std::string_view key(name);
    if (const auto found = uniformCache_.find(key); found != uniformCache_.end())
        return found->second;
    const GLint location = glGetUniformLocation(id, name);
    uniformCache_.emplace(std::string(key), location);
    return location;
}

void ShaderProgram::compileShaderFile(const std::string& path, GLenum stage, GLuint& out)
{
    // A folder or a pipe under a shader's name cannot be read: the same end as a missing file.
    const std::optional<std::string> read = RegularFile(path).readAll();
    if (!read) {
        failureOutput() << "Failed to open shader file: " << path << std::endl;
        pauseAndExit(fatalStatus);
    }
    const std::string& source = *read;

    out = glCreateShader(stage);
    if (out == 0) {
        failureOutput() << "Failed to create shader" << std::endl;
        pauseAndExit(fatalStatus);
    }
    const char* text = source.c_str();
    glShaderSource(out, 1, &text, nullptr);
    glCompileShader(out);

    GLint compiled = GL_FALSE;
    glGetShaderiv(out, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_FALSE && glIsShader(out)) {
        std::cout << "Your shader is fine" << std::endl;
        return;
    }
    const std::string log = shaderInfoLog(out);
    failureOutput() << "Failed to compile shader" << std::endl << log << std::endl;
    pauseAndExit(fatalStatus);
}

// The game goes on with a program that failed to link; this only tells the developer why.
void ShaderProgram::reportLinkFailure(const std::string& vertexPath, const std::string& fragmentPath) const
{
    GLint linked = GL_FALSE;
    glGetProgramiv(id, GL_LINK_STATUS, &linked);
    if (linked != GL_FALSE)
        return;
    GLint length = 0;
    glGetProgramiv(id, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    glGetProgramInfoLog(id, static_cast<GLsizei>(log.size()), nullptr, log.data());
    std::cerr << "Shader program " << vertexPath << " + " << fragmentPath << " failed to link:\n"
              << log.data() << std::endl;
}
