#include "tests/support/gl_environment.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

namespace {

GLFWwindow* window = nullptr;

class GlEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (!glfwInit()) {
            std::cerr << "GL test environment: glfwInit failed (is DISPLAY set?)\n";
            std::abort();
        }
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        window = glfwCreateWindow(1024, 800, "quarvel tests", nullptr, nullptr);
        if (window == nullptr) {
            std::cerr << "GL test environment: no 3.3 core window\n";
            std::abort();
        }
        glfwMakeContextCurrent(window);
        glewExperimental = GL_TRUE;
        if (glewInit() != GLEW_OK) {
            std::cerr << "GL test environment: glewInit failed\n";
            std::abort();
        }
        glGetError(); // GLEW's probing can leave an error behind
    }

    void TearDown() override
    {
        glfwDestroyWindow(window);
        window = nullptr;
        glfwTerminate();
    }
};

} // namespace

GLFWwindow* testWindow()
{
    return window;
}

void installGlEnvironment()
{
    ::testing::AddGlobalTestEnvironment(new GlEnvironment); // gtest takes ownership
}
