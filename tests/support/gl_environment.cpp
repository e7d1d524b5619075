#include "tests/support/gl_environment.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <iostream>

namespace {

GLFWwindow* window = nullptr;

// The shared virtual display now and then refuses a connection while the machine is busy (seen under
// xvfb-run with two test processes at a time); a short wait and another try gets through.
bool initGlfw()
{
    constexpr int attempts = 20;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        if (glfwInit()) {
            if (attempt > 1)
                std::cerr << "GL test environment: display reached at attempt " << attempt << '\n';
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

class GlEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        glfwSetErrorCallback([](int code, const char* description) {
            std::cerr << "GLFW error " << code << ": " << description << '\n';
        });
        if (!initGlfw()) {
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
