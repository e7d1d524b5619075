// Test entry: GoogleTest with the shared GL window environment.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

void installGlEnvironment();

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Death tests re-run the binary instead of forking a process that shares the GL connection.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // Games that end in a test keep their scores here, never in the tester's own table, and read no
    // settings but those a test writes.
    char dataHome[] = "/tmp/quarvel-test-data-XXXXXX";
    if (mkdtemp(dataHome) != nullptr)
        setenv("XDG_DATA_HOME", dataHome, 1);
    char configHome[] = "/tmp/quarvel-test-config-XXXXXX";
    if (mkdtemp(configHome) != nullptr)
        setenv("XDG_CONFIG_HOME", configHome, 1);
    installGlEnvironment();
    const int status = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(dataHome, ignored);
    std::filesystem::remove_all(configHome, ignored);
    return status;
}
