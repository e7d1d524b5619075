// Test entry for unit tests: GoogleTest without any window, so they run without a display.

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // No threads are started here: tests that fork (the model file checks) need a single-threaded process.
    return RUN_ALL_TESTS();
}
