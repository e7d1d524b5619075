#include "offscreen_renderer.hpp"

#include <GLFW/glfw3.h>
#include <glm/gtc/type_ptr.hpp>

#include <stdexcept>
#include <string>

namespace assetview {
namespace {

constexpr int shadowSize = 4096;  // texels per side of the shadow map
constexpr int samples = 4;        // multisampling of the picture

const char* skinnedVertex = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 uv;
layout(location = 3) in ivec4 boneIds;
layout(location = 4) in vec4 boneWeights;
uniform mat4 model, view, projection, shadowMatrix;
uniform mat4 bones[60];
uniform bool skinned;
uniform vec3 towardLight;
uniform float normalOffset;
out vec3 worldPosition;
out vec3 worldNormal;
out vec2 texCoord;
out vec4 shadowPosition;
void main() {
    mat4 skin = mat4(1.0);
    if (skinned)
        skin = boneWeights.x * bones[boneIds.x] + boneWeights.y * bones[boneIds.y] +
               boneWeights.z * bones[boneIds.z] + boneWeights.w * bones[boneIds.w];
    mat4 placed = model * skin;
    vec4 world = placed * vec4(position, 1.0);
    worldPosition = world.xyz;
    worldNormal = transpose(inverse(mat3(placed))) * normal;
    texCoord = uv;
    // Like the game's shader: look up the shadow a little out along the normal, more where the
    // surface turns from the light, so coarse curved faces do not shadow their neighbours.
    vec3 n = normalize(worldNormal);
    float facing = max(dot(n, towardLight), 0.0);
    shadowPosition = shadowMatrix * vec4(world.xyz + n * normalOffset * (1.0 - facing), 1.0);
    gl_Position = projection * view * world;
}
)";

const char* litFragment = R"(#version 330 core
in vec3 worldPosition;
in vec3 worldNormal;
in vec2 texCoord;
in vec4 shadowPosition;
uniform sampler2D diffuse;
uniform sampler2DShadow shadowMap;
uniform vec3 towardLight, viewPosition;
out vec4 colour;
void main() {
    vec3 base = texture(diffuse, texCoord).rgb;
    vec3 n = normalize(worldNormal);
    vec3 v = normalize(viewPosition - worldPosition);
    if (dot(n, v) < 0.0) n = -n;
    vec3 p = shadowPosition.xyz / shadowPosition.w * 0.5 + 0.5;
    float lit = 0.0;
    for (int x = -1; x <= 1; ++x)
        for (int y = -1; y <= 1; ++y)
            lit += texture(shadowMap, vec3(p.xy + vec2(x, y) / 4096.0, p.z - 0.0015));
    lit /= 9.0;
    float diffuseLight = max(dot(n, towardLight), 0.0) * lit;
    vec3 ambient = mix(vec3(0.28, 0.25, 0.22), vec3(0.42, 0.46, 0.55), n.y * 0.5 + 0.5);
    float specular = pow(max(dot(n, normalize(towardLight + v)), 0.0), 40.0) * 0.35 * lit;
    vec3 c = base * (ambient + diffuseLight * vec3(1.0, 0.95, 0.86)) + vec3(specular);
    colour = vec4(pow(c, vec3(0.95)), 1.0);
}
)";

const char* depthFragment = R"(#version 330 core
void main() {}
)";

const char* lineVertex = R"(#version 330 core
layout(location = 0) in vec3 position;
uniform mat4 view, projection;
void main() { gl_Position = projection * view * vec4(position, 1.0); gl_Position.z -= 0.0005 * gl_Position.w; }
)";

const char* lineFragment = R"(#version 330 core
uniform vec3 lineColour;
out vec4 colour;
void main() { colour = vec4(lineColour, 1.0); }
)";

GLuint compile(GLenum type, const char* source)
{
    const GLuint s = glCreateShader(type);
    glShaderSource(s, 1, &source, nullptr);
    glCompileShader(s);
    GLint ok = 0;
    glGetShaderiv(s, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[2048];
        glGetShaderInfoLog(s, sizeof log, nullptr, log);
        throw std::runtime_error(std::string("viewer shader: ") + log);
    }
    return s;
}

GLuint link(const char* vertex, const char* fragment)
{
    const GLuint p = glCreateProgram();
    const GLuint vs = compile(GL_VERTEX_SHADER, vertex), fs = compile(GL_FRAGMENT_SHADER, fragment);
    glAttachShader(p, vs);
    glAttachShader(p, fs);
    glLinkProgram(p);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(p, GL_LINK_STATUS, &ok);
    if (!ok)
        throw std::runtime_error("viewer program does not link");
    return p;
}

void setMatrix(GLuint program, const char* name, const glm::mat4& m)
{
    glUniformMatrix4fv(glGetUniformLocation(program, name), 1, GL_FALSE, glm::value_ptr(m));
}

} // namespace

OffscreenRenderer::OffscreenRenderer(int width, int height) : width_(width), height_(height)
{
    if (!glfwInit())
        throw std::runtime_error("GLFW does not start (is there a display? use xvfb-run)");
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    window_ = glfwCreateWindow(64, 64, "quarvel_assetview", nullptr, nullptr);
    if (!window_)
        throw std::runtime_error("no OpenGL 3.3 window");
    glfwMakeContextCurrent(window_);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
        throw std::runtime_error("GLEW does not start");

    glGenFramebuffers(1, &msFbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, msFbo_);
    glGenRenderbuffers(1, &msColour_);
    glBindRenderbuffer(GL_RENDERBUFFER, msColour_);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, msColour_);
    glGenRenderbuffers(1, &msDepth_);
    glBindRenderbuffer(GL_RENDERBUFFER, msDepth_);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH_COMPONENT24, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, msDepth_);

    glGenFramebuffers(1, &outFbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, outFbo_);
    glGenRenderbuffers(1, &outColour_);
    glBindRenderbuffer(GL_RENDERBUFFER, outColour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, outColour_);

    glGenTextures(1, &shadowDepth_);
    glBindTexture(GL_TEXTURE_2D, shadowDepth_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, shadowSize, shadowSize, 0, GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
    const float white[4] = {1, 1, 1, 1};
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, white);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
    glGenFramebuffers(1, &shadowFbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, shadowFbo_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, shadowDepth_, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);

    litProgram_ = link(skinnedVertex, litFragment);
    depthProgram_ = link(skinnedVertex, depthFragment);
    lineProgram_ = link(lineVertex, lineFragment);
    glGenVertexArrays(1, &lineVao_);
    glGenBuffers(1, &lineVbo_);
    glEnable(GL_DEPTH_TEST);
}

OffscreenRenderer::~OffscreenRenderer()
{
    glfwDestroyWindow(window_);
    glfwTerminate();
}

void OffscreenRenderer::render(const ViewCamera& camera, const SunLight& light, glm::vec3 sky,
                               const std::function<void(GLuint)>& drawScene)
{
    glBindFramebuffer(GL_FRAMEBUFFER, shadowFbo_);
    glViewport(0, 0, shadowSize, shadowSize);
    glClear(GL_DEPTH_BUFFER_BIT);
    glUseProgram(depthProgram_);
    setMatrix(depthProgram_, "view", light.shadowView);
    setMatrix(depthProgram_, "projection", light.shadowProjection);
    setMatrix(depthProgram_, "shadowMatrix", glm::mat4(1.0f));
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(2.0f, 4.0f);
    drawScene(depthProgram_);
    glDisable(GL_POLYGON_OFFSET_FILL);

    glBindFramebuffer(GL_FRAMEBUFFER, msFbo_);
    glViewport(0, 0, width_, height_);
    glClearColor(sky.r, sky.g, sky.b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glUseProgram(litProgram_);
    setMatrix(litProgram_, "view", camera.view);
    setMatrix(litProgram_, "projection", camera.projection);
    setMatrix(litProgram_, "shadowMatrix", light.shadowProjection * light.shadowView);
    glUniform3fv(glGetUniformLocation(litProgram_, "towardLight"), 1, glm::value_ptr(glm::normalize(light.towardLight)));
    constexpr float offsetShare = 0.015f;  // of the shadow map's half width
    glUniform1f(glGetUniformLocation(litProgram_, "normalOffset"), offsetShare / light.shadowProjection[0][0]);
    glUniform3fv(glGetUniformLocation(litProgram_, "viewPosition"), 1, glm::value_ptr(camera.position));
    glUniform1i(glGetUniformLocation(litProgram_, "diffuse"), 0);
    glUniform1i(glGetUniformLocation(litProgram_, "shadowMap"), 1);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, shadowDepth_);
    glActiveTexture(GL_TEXTURE0);
    drawScene(litProgram_);
}

void OffscreenRenderer::drawLines(const ViewCamera& camera, const std::vector<glm::vec3>& segments, glm::vec3 colour)
{
    glBindFramebuffer(GL_FRAMEBUFFER, msFbo_);
    glUseProgram(lineProgram_);
    setMatrix(lineProgram_, "view", camera.view);
    setMatrix(lineProgram_, "projection", camera.projection);
    glUniform3fv(glGetUniformLocation(lineProgram_, "lineColour"), 1, glm::value_ptr(colour));
    glBindVertexArray(lineVao_);
    glBindBuffer(GL_ARRAY_BUFFER, lineVbo_);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(segments.size() * sizeof(glm::vec3)), segments.data(), GL_STREAM_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(glm::vec3), nullptr);
    glDrawArrays(GL_LINES, 0, GLsizei(segments.size()));
    glBindVertexArray(0);
}

void OffscreenRenderer::resolve()
{
    glBindFramebuffer(GL_READ_FRAMEBUFFER, msFbo_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, outFbo_);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

assetgen::Image OffscreenRenderer::read()
{
    resolve();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, outFbo_);
    std::vector<unsigned char> rgba(size_t(width_) * size_t(height_) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    assetgen::Image image(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const unsigned char* p = &rgba[(size_t(height_ - 1 - y) * size_t(width_) + size_t(x)) * 4];
            image.set(x, y, glm::vec3(p[0], p[1], p[2]) / 255.0f);
        }
    return image;
}

} // namespace assetview
