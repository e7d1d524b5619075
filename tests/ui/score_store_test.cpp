// The high-score file: creation, damage, unwritable places, killed and concurrent writers.

#include "ui/score_store.hpp"

#include "tests/support/temp_file.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ScoreStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quarvel-scores-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        directory = root + "/data/quarvel";
    }
    void TearDown() override
    {
        fs::permissions(root, fs::perms::owner_all);
        fs::remove_all(root);
    }

    ScoreTable onDisk() const
    {
        const std::optional<ScoreTable> table = ScoreTable::parse(readWholeFile(directory + "/scores"));
        EXPECT_TRUE(table);
        return table.value_or(ScoreTable{});
    }

    int noteLines() const
    {
        const std::string text = notes.str();
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }

    void write(const std::string& path, const std::string& text) const { std::ofstream(path) << text; }

    // Runs the function in a child process and returns its wait status.
    static int inChild(const std::function<void()>& work)
    {
        const pid_t child = fork();
        if (child == 0) {
            work();
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return status;
    }

    std::string root;
    std::string directory;
    std::ostringstream notes;
};

TEST_F(ScoreStoreTest, FirstScoreCreatesTheFolderAndLaterOnesMerge)
{
    ScoreStore store(directory, notes);
    const ScoreStore::Result first = store.record({700, "2026-12-08 06:00:00"});
    EXPECT_TRUE(first.saved);
    EXPECT_EQ(first.rank, 0);
    ScoreStore other(directory, notes); // another run of the game
    const ScoreStore::Result second = other.record({900, "2026-12-08 07:00:00"});
    EXPECT_EQ(second.rank, 0);
    ASSERT_EQ(onDisk().entries().size(), 2u);
    EXPECT_EQ(onDisk().entries()[1].score, 700);
    EXPECT_EQ(notes.str(), "");
}

TEST_F(ScoreStoreTest, DamagedTableIsReportedOnceSetAsideAndStartedAfresh)
{
    fs::create_directories(directory);
    write(directory + "/scores", "this is not\na score table\n");
    ScoreStore store(directory, notes);
    const ScoreStore::Result result = store.record({300, "2026-12-08 06:00:00"});
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.table.entries().size(), 1u);
    EXPECT_EQ(readWholeFile(directory + "/scores.bad"), "this is not\na score table\n");
    EXPECT_NE(notes.str().find("scores.bad"), std::string::npos) << notes.str();

    write(directory + "/scores", "damaged again");
    store.record({400, "2026-12-08 06:00:01"});
    EXPECT_EQ(noteLines(), 1) << notes.str();
    EXPECT_EQ(onDisk().entries().size(), 1u);

    // A table that cannot be read at all (here a folder in its place) is set aside just the same.
    fs::remove(directory + "/scores.bad");
    fs::remove(directory + "/scores");
    fs::create_directory(directory + "/scores");
    EXPECT_TRUE(ScoreStore(directory, notes).record({500, "2026-12-08 06:00:02"}).saved);
    EXPECT_TRUE(fs::is_directory(directory + "/scores.bad"));
}

TEST_F(ScoreStoreTest, UnwritablePlaceKeepsPlayingWithOneNote)
{
    fs::create_directories(root + "/data");
    write(root + "/data/quarvel", "a file where the folder should be");
    ScoreStore store(directory, notes);
    const ScoreStore::Result result = store.record({300, "2026-12-08 06:00:00"});
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.rank, 0); // the panel still shows the score in the table
    store.record({400, "2026-12-08 06:00:01"});
    EXPECT_EQ(noteLines(), 1) << notes.str();
    EXPECT_NE(notes.str().find("not saved"), std::string::npos);

}

TEST_F(ScoreStoreTest, ReadOnlyFolderLeavesTheTableAsItWas)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    ScoreStore(directory, notes).record({100, "2026-12-08 06:00:00"});
    const std::string before = readWholeFile(directory + "/scores");
    fs::permissions(directory, fs::perms::owner_read | fs::perms::owner_exec);
    std::ostringstream readOnlyNotes;
    const ScoreStore::Result readOnly = ScoreStore(directory, readOnlyNotes).record({200, "2026-12-08 06:00:01"});
    fs::permissions(directory, fs::perms::owner_all);
    EXPECT_FALSE(readOnly.saved);
    EXPECT_EQ(readOnly.table.entries().size(), 2u);
    EXPECT_EQ(readWholeFile(directory + "/scores"), before);
    EXPECT_NE(readOnlyNotes.str().find("not saved"), std::string::npos);
}

TEST_F(ScoreStoreTest, WriterKilledBeforeTheReplaceLeavesTheOldTableWhole)
{
    ScoreStore(directory, notes).record({700, "2026-12-08 06:00:00"});
    const std::string before = readWholeFile(directory + "/scores");
    const int status = inChild([this] {
        ScoreStore store(directory, notes);
        store.beforeReplace = [] { raise(SIGKILL); };
        store.record({900, "2026-12-08 07:00:00"});
    });
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(readWholeFile(directory + "/scores"), before);
    // The lock died with the writer: the next game records as usual.
    EXPECT_TRUE(ScoreStore(directory, notes).record({800, "2026-12-08 08:00:00"}).saved);
    EXPECT_EQ(onDisk().entries().size(), 2u);
}

TEST_F(ScoreStoreTest, TwoGamesWritingAtOnceKeepEveryEntry)
{
    for (int round = 0; round < 5; ++round) {
        fs::remove_all(directory);
        std::vector<pid_t> writers;
        for (int writer = 0; writer < 2; ++writer) {
            const pid_t child = fork();
            if (child == 0) {
                ScoreStore store(directory, notes);
                for (int i = 0; i < 5; ++i)
                    store.record({writer * 100 + i, "2026-12-08 06:00:00"});
                _exit(0);
            }
            writers.push_back(child);
        }
        for (const pid_t child : writers) {
            int status = 0;
            waitpid(child, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        EXPECT_EQ(onDisk().entries().size(), 10u) << readWholeFile(directory + "/scores");
    }
}

} // namespace
