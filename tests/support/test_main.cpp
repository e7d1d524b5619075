// Test entry for GL tests: GoogleTest with the shared GL window environment.

#include <gtest/gtest.h>

void installGlEnvironment();

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Death tests re-run the binary instead of forking a process that shares the GL connection.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    installGlEnvironment();
    return RUN_ALL_TESTS();
}
