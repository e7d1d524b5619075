// Seen through the player's camera at the start of a game, every treasure piece shows, and stays
// visible until its turn to go: the chest is rendered with each piece in a colour of its own and
// the pixels of each colour are counted.

#include "tests/support/gl_environment.hpp"
#include "tests/tools/assets/imported_model.hpp"

#include <GL/glew.h>
#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

constexpr int width = 1024, height = 800;  // the game's viewport
constexpr int minimumPixels = 25;          // a piece this large on screen is plainly there

const char* vertexSource = R"(#version 330 core
layout(location = 0) in vec3 position;
uniform mat4 viewProjection;
void main() { gl_Position = viewProjection * vec4(position, 1.0); }
)";
const char* fragmentSource = R"(#version 330 core
uniform vec3 idColour;
out vec4 colour;
void main() { colour = vec4(idColour, 1.0); }
)";

// The game's player camera at start with the game's projection (its zoom of 45 taken as radians).
glm::mat4 playerViewProjection()
{
    const glm::vec3 eye(706, 1500, -550);
    const float yaw = glm::radians(90.0f), pitch = glm::radians(-50.0f);
    const glm::vec3 front(std::cos(yaw) * std::cos(pitch), std::sin(pitch), std::sin(yaw) * std::cos(pitch));
    const glm::vec3 right = glm::normalize(glm::cross(front, glm::vec3(0, 1, 0)));
    const glm::mat4 view = glm::lookAt(eye, eye + front, glm::cross(right, front));
    const float t = float(std::tan(45.0 * 0.5));
    glm::mat4 projection(0.0f);
    projection[0][0] = 1.0f / (t * 1.28f);
    projection[1][1] = 1.0f / t;
    projection[2][2] = -1.0010005f;
    projection[2][3] = -1.0f;
    projection[3][2] = -20.010006f;
    return projection * view;
}

glm::mat4 chestMatrix(float dropY)
{
    return glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(700.0f, dropY, 680.0f)), glm::vec3(100.0f));
}

GLuint compile(GLenum type, const char* source)
{
    const GLuint s = glCreateShader(type);
    glShaderSource(s, 1, &source, nullptr);
    glCompileShader(s);
    return s;
}

class IdRenderer {
public:
    IdRenderer()
    {
        glGenFramebuffers(1, &fbo_);
        glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
        glGenRenderbuffers(2, buffers_);
        glBindRenderbuffer(GL_RENDERBUFFER, buffers_[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers_[0]);
        glBindRenderbuffer(GL_RENDERBUFFER, buffers_[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers_[1]);
        program_ = glCreateProgram();
        glAttachShader(program_, compile(GL_VERTEX_SHADER, vertexSource));
        glAttachShader(program_, compile(GL_FRAGMENT_SHADER, fragmentSource));
        glLinkProgram(program_);
        glGenVertexArrays(1, &vao_);
        glGenBuffers(1, &vbo_);
    }
    ~IdRenderer()
    {
        glDeleteBuffers(1, &vbo_);
        glDeleteVertexArrays(1, &vao_);
        glDeleteProgram(program_);
        glDeleteRenderbuffers(2, buffers_);
        glDeleteFramebuffers(1, &fbo_);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }
    bool complete() const
    {
        glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
        return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }

    // Draws each object in its id colour (id 1, 2, ... as red levels) and counts pixels per id.
    std::map<int, int> visiblePixels(const std::vector<std::vector<Triangle>>& objects)
    {
        glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
        glViewport(0, 0, width, height);
        glEnable(GL_DEPTH_TEST);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glUseProgram(program_);
        glUniformMatrix4fv(glGetUniformLocation(program_, "viewProjection"), 1, GL_FALSE, glm::value_ptr(playerViewProjection()));
        glBindVertexArray(vao_);
        glBindBuffer(GL_ARRAY_BUFFER, vbo_);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(glm::vec3), nullptr);
        for (std::size_t i = 0; i < objects.size(); ++i) {
            glUniform3f(glGetUniformLocation(program_, "idColour"), float(i + 1) / 255.0f, 0.0f, 0.0f);
            glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(objects[i].size() * sizeof(Triangle)), objects[i].data(), GL_STATIC_DRAW);
            glDrawArrays(GL_TRIANGLES, 0, GLsizei(objects[i].size() * 3));
        }
        std::vector<unsigned char> pixels(size_t(width) * height * 4);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        std::map<int, int> count;
        for (std::size_t p = 0; p < pixels.size(); p += 4)
            if (pixels[p] > 0)
                ++count[pixels[p]];
        return count;
    }

private:
    GLuint fbo_ = 0, buffers_[2] = {0, 0}, program_ = 0, vao_ = 0, vbo_ = 0;
};

TEST(TreasureView, EachPieceShowsFromThePlayersCameraUntilItsTurnToGo)
{
    ASSERT_NE(testWindow(), nullptr);
    IdRenderer renderer;
    ASSERT_TRUE(renderer.complete());
    const ImportedModel chest(ressource("Models/schatztruhe-truhe.obj"));
    ASSERT_TRUE(chest.loaded());
    struct Piece {
        const char* file;
        float drop;
    };
    // In the order the game removes them: necklace first, crown last (drawn 20 units lower).
    const Piece order[] = {{"Models/schatztruhe-necklace.obj", 0.0f}, {"Models/diamant1.obj", 0.0f}, {"Models/coins.obj", 0.0f},
                           {"Models/diamant2.obj", 0.0f}, {"Models/schatztruhe-crown.obj", -20.0f}};
    std::vector<std::vector<Triangle>> pieces;
    for (const Piece& p : order) {
        const ImportedModel piece(ressource(p.file));
        ASSERT_TRUE(piece.loaded()) << p.file;
        pieces.push_back(piece.triangles(chestMatrix(p.drop)));
    }
    for (std::size_t gone = 0; gone < std::size(order); ++gone) {
        std::vector<std::vector<Triangle>> scene{chest.triangles(chestMatrix(0.0f))};
        scene.insert(scene.end(), pieces.begin() + long(gone), pieces.end());
        const std::map<int, int> seen = renderer.visiblePixels(scene);
        EXPECT_GT(seen.count(1) ? seen.at(1) : 0, 2000) << "the chest itself";
        for (std::size_t i = gone; i < std::size(order); ++i) {
            const int id = int(i - gone) + 2;
            EXPECT_GE(seen.count(id) ? seen.at(id) : 0, minimumPixels) << order[i].file << " after " << gone << " losses";
        }
    }
}

} // namespace
