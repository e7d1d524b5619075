#include "render/mesh_static_program.hpp"

#include <array>
#include <string>

namespace {

constexpr std::size_t largestUniform = 16; // components of a mat4

bool holdsIntegers(GLenum type)
{
    switch (type) {
    case GL_FLOAT:
    case GL_FLOAT_VEC2:
    case GL_FLOAT_VEC3:
    case GL_FLOAT_VEC4:
    case GL_FLOAT_MAT2:
    case GL_FLOAT_MAT3:
    case GL_FLOAT_MAT4:
        return false;
    default:
        return true; // ints, bools and samplers
    }
}

void writeFloats(GLenum type, GLint location, const GLfloat* v)
{
    switch (type) {
    case GL_FLOAT: glUniform1fv(location, 1, v); break;
    case GL_FLOAT_VEC2: glUniform2fv(location, 1, v); break;
    case GL_FLOAT_VEC3: glUniform3fv(location, 1, v); break;
    case GL_FLOAT_VEC4: glUniform4fv(location, 1, v); break;
    case GL_FLOAT_MAT2: glUniformMatrix2fv(location, 1, GL_FALSE, v); break;
    case GL_FLOAT_MAT3: glUniformMatrix3fv(location, 1, GL_FALSE, v); break;
    default: glUniformMatrix4fv(location, 1, GL_FALSE, v); break;
    }
}

void writeIntegers(GLenum type, GLint location, const GLint* v)
{
    switch (type) {
    case GL_INT_VEC2:
    case GL_BOOL_VEC2: glUniform2iv(location, 1, v); break;
    case GL_INT_VEC3:
    case GL_BOOL_VEC3: glUniform3iv(location, 1, v); break;
    case GL_INT_VEC4:
    case GL_BOOL_VEC4: glUniform4iv(location, 1, v); break;
    default: glUniform1iv(location, 1, v); break;
    }
}

// "name[0]" of an array names its first element; the others are "name[i]".
std::string elementName(const std::string& reported, GLint index)
{
    const std::string base = reported.substr(0, reported.find('['));
    return index == 0 && base == reported ? base : base + "[" + std::to_string(index) + "]";
}

} // namespace

StaticMeshProgram::StaticMeshProgram(ShaderProgram& scene, const std::string& vertexPath,
                                     const std::string& fragmentPath, std::ostream& reports)
    : scene_(scene), program_(vertexPath, fragmentPath, reports)
{
    findSharedUniforms();
    scene_.withoutBones = this;
}

StaticMeshProgram::~StaticMeshProgram()
{
    if (scene_.withoutBones == this)
        scene_.withoutBones = nullptr;
}

void StaticMeshProgram::findSharedUniforms()
{
    GLint count = 0;
    glGetProgramiv(program_.id, GL_ACTIVE_UNIFORMS, &count);
    std::array<char, 256> name{};
    for (GLint i = 0; i < count; ++i) {
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program_.id, static_cast<GLuint>(i), static_cast<GLsizei>(name.size()), nullptr,
                           &size, &type, name.data());
        for (GLint element = 0; element < size; ++element) {
            const std::string elementOf = elementName(name.data(), element);
            const GLint sceneLocation = glGetUniformLocation(scene_.id, elementOf.c_str());
            const GLint ownLocation = glGetUniformLocation(program_.id, elementOf.c_str());
            if (sceneLocation == -1 || ownLocation == -1)
                continue;
            shared_.push_back({sceneLocation, ownLocation, type});
        }
    }
}

void StaticMeshProgram::takeOver() const
{
    glUseProgram(program_.id);
    std::array<GLfloat, largestUniform> floats{};
    std::array<GLint, largestUniform> integers{};
    for (const SharedUniform& u : shared_) {
        if (holdsIntegers(u.type)) {
            glGetUniformiv(scene_.id, u.sceneLocation, integers.data());
            writeIntegers(u.type, u.ownLocation, integers.data());
        } else {
            glGetUniformfv(scene_.id, u.sceneLocation, floats.data());
            writeFloats(u.type, u.ownLocation, floats.data());
        }
    }
}
