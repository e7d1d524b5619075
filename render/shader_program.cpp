#include "render/shader_program.hpp"

#include "platform/console_pause.hpp"
#include "platform/console_traces.hpp"
#include "platform/regular_file.hpp"

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

// One stage from its source text into out. The failures are the caller's to report: a missing shader
// object leaves out at 0, a compile error returns the compiler's log.
enum class Compiled { Fine, NoShader, Failed };

Compiled compileSource(const char* source, GLenum stage, GLuint& out, std::string& log)
{
    out = glCreateShader(stage);
    if (out == 0)
        return Compiled::NoShader;
    glShaderSource(out, 1, &source, nullptr);
    glCompileShader(out);
    GLint compiled = GL_FALSE;
    glGetShaderiv(out, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_FALSE && glIsShader(out))
        return Compiled::Fine;
    log = shaderInfoLog(out);
    return Compiled::Failed;
}

// Where a failure goes: with the reports, unless those are the traces and --quiet silenced them.
std::ostream& failures(std::ostream& reports)
{
    return &reports == &std::cout ? failureOutput() : reports;
}

// Says how a stage went; false for a failure, after its message.
bool reportStage(Compiled result, const std::string& log, std::ostream& reports)
{
    switch (result) {
    case Compiled::Fine:
        reports << "Your shader is fine" << std::endl;
        return true;
    case Compiled::NoShader:
        failures(reports) << "Failed to create shader" << std::endl;
        return false;
    case Compiled::Failed:
        failures(reports) << "Failed to compile shader" << std::endl << log << std::endl;
        return false;
    }
    return false;
}

// A data file that cannot be read or compiled ends the start: the game cannot run without it.
void compileFile(const std::string& path, GLenum stage, GLuint& out, std::ostream& reports)
{
    // A folder or a pipe under a shader's name cannot be read: the same end as a missing file.
    const std::optional<std::string> source = RegularFile(path).readAll();
    if (!source) {
        failures(reports) << "Failed to open shader file: " << path << std::endl;
        pauseAndExit(fatalStatus);
    }
    std::string log;
    if (!reportStage(compileSource(source->c_str(), stage, out, log), log, reports))
        pauseAndExit(fatalStatus);
}

} // namespace

ShaderProgram::ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath,
                             std::ostream& reports)
    : label("hello")
{
    createProgram();
    compileFile(vertexPath, GL_VERTEX_SHADER, vertexShader, reports);
    compileFile(fragmentPath, GL_FRAGMENT_SHADER, fragmentShader, reports);
    attachAndLink(vertexPath + " + " + fragmentPath);
}

ShaderProgram::ShaderProgram(const BuiltIn& sources, std::ostream& reports) : label(sources.name)
{
    createProgram();
    std::string log;
    const bool compiled =
        reportStage(compileSource(sources.vertex, GL_VERTEX_SHADER, vertexShader, log), log, reports) &&
        reportStage(compileSource(sources.fragment, GL_FRAGMENT_SHADER, fragmentShader, log), log, reports);
    if (!compiled || !attachAndLink(sources.name)) {
        glDeleteProgram(id);
        id = 0;
    }
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
    compileFile(path, stage, out, std::cout);
}

void ShaderProgram::createProgram()
{
    id = glCreateProgram();
    if (id == 0)
        std::cerr << "Failed to create shader program" << std::endl;
}

// The shaders stay attached and alive with the program. False when the link failed.
bool ShaderProgram::attachAndLink(const std::string& name)
{
    glAttachShader(id, vertexShader);
    glAttachShader(id, fragmentShader);
    glLinkProgram(id);
    return !reportLinkFailure(name);
}

// A program from the data files goes on after a failed link; this only tells the developer why. True
// when the link failed.
bool ShaderProgram::reportLinkFailure(const std::string& name) const
{
    GLint linked = GL_FALSE;
    glGetProgramiv(id, GL_LINK_STATUS, &linked);
    if (linked != GL_FALSE)
        return false;
    GLint length = 0;
    glGetProgramiv(id, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    glGetProgramInfoLog(id, static_cast<GLsizei>(log.size()), nullptr, log.data());
    std::cerr << "Shader program " << name << " failed to link:\n" << log.data() << std::endl;
    return true;
}
