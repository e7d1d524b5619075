#pragma once
// The hidden 3.3 core window that every GL test of a test process shares.

struct GLFWwindow;

// The window whose context is current during the tests (created before the first test).
GLFWwindow* testWindow();
