// The high-score file: creation, damage, unwritable places, killed, stopped and concurrent writers.

#include "ui/score_store.hpp"

#include "tests/support/forked_child.hpp"
#include "tests/support/scratch_dir.hpp"
#include "tests/support/temp_file.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <set>
#include <sstream>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
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

    // Names in the table's folder, "scores.bad.<time>" as "scores.bad*" (the time is the test's).
    std::multiset<std::string> leftOnDisk() const
    {
        std::multiset<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
            const std::string name = entry.path().filename().string();
            names.insert(name.rfind("scores.bad.", 0) == 0 ? "scores.bad*" : name);
        }
        return names;
    }

    // What the tables set aside hold, by name ("not a file" for a folder, a pipe...).
    std::map<std::string, std::string> setAside() const
    {
        std::map<std::string, std::string> kept;
        for (const fs::directory_entry& entry : fs::directory_iterator(directory))
            if (entry.path().filename().string().rfind("scores.bad.", 0) == 0)
                kept[entry.path().string()] = entry.is_regular_file() ? readWholeFile(entry.path()) : "not a file";
        return kept;
    }

    // Lets a player who is not root in (a folder made by root under /tmp is closed to others).
    void openToOthers() const
    {
        for (const std::string& folder : {root, root + "/data", directory})
            fs::permissions(folder, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    }

    // In a child process: root becomes nobody, so permissions hold as for any player.
    static bool becomeAPlayer()
    {
        constexpr uid_t nobody = 65534;
        return geteuid() != 0 || (setgroups(0, nullptr) == 0 && setresgid(nobody, nobody, nobody) == 0 &&
                                  setresuid(nobody, nobody, nobody) == 0);
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

TEST_F(ScoreStoreTest, DamagedTableIsReportedOnceKeptAsideAndNeverOverwritten)
{
    fs::create_directories(directory);
    writeText(directory + "/scores", "this is not\na score table\n");
    ScoreStore store(directory, notes);
    const ScoreStore::Result result = store.record({300, "2026-12-08 06:00:00"});
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.table.entries().size(), 1u);
    ASSERT_EQ(setAside().size(), 1u);
    EXPECT_EQ(setAside().begin()->second, "this is not\na score table\n");
    EXPECT_NE(notes.str().find(setAside().begin()->first), std::string::npos) << notes.str();

    writeText(directory + "/scores", "damaged again");
    store.record({400, "2026-12-08 06:00:01"});
    EXPECT_EQ(noteLines(), 1) << notes.str();
    EXPECT_EQ(onDisk().entries().size(), 1u);

    // A table that cannot be read at all (here a folder in its place) is set aside just the same.
    fs::remove(directory + "/scores");
    fs::create_directory(directory + "/scores");
    EXPECT_TRUE(ScoreStore(directory, notes).record({500, "2026-12-08 06:00:02"}).saved);

    // Every damaged table is still there, each under a name of its own.
    std::multiset<std::string> kept;
    for (const auto& [name, content] : setAside())
        kept.insert(content);
    EXPECT_EQ(kept, (std::multiset<std::string>{"this is not\na score table\n", "damaged again", "not a file"}));
    EXPECT_EQ(leftOnDisk(), (std::multiset<std::string>{"scores", "scores.lock", "scores.bad*", "scores.bad*",
                                                        "scores.bad*"}));
    ASSERT_EQ(onDisk().entries().size(), 1u);
    EXPECT_EQ(onDisk().entries()[0].score, 500);
}

// Whatever stands at the table's name, the game gets past game over at once and no table is lost.
TEST_F(ScoreStoreTest, WhateverStandsAtTheTablesNameNothingHangsAndNothingIsLost)
{
    const std::string good = "# mine\n700 2026-12-08 06:00:00\n";
    const struct {
        const char* kind;
        std::function<void(const std::string& scores)> make;
        std::vector<long long> after; // the scores in the table afterwards
        bool setAside;
    } cases[] = {
        {"a folder", [](const std::string& at) { fs::create_directory(at); }, {300}, true},
        {"a named pipe", [](const std::string& at) { ASSERT_EQ(mkfifo(at.c_str(), 0600), 0); }, {300}, true},
        {"a link to /dev/zero",
         [](const std::string& at) { fs::create_symlink("/dev/zero", at); },
         {300},
         true},
        {"a huge file",
         [](const std::string& at) { std::ofstream(at) << std::string(ScoreStore::maxTableBytes + 1, '\n'); },
         {300},
         true},
        {"a link to a table in a synced folder",
         [&](const std::string& at) {
             fs::create_directories(root + "/synced");
             std::ofstream(root + "/synced/scores") << good;
             fs::create_symlink("../../synced/scores", at);
         },
         {700, 300},
         false},
    };
    for (const auto& c : cases) {
        fs::remove_all(root + "/data");
        fs::remove_all(root + "/synced");
        fs::create_directories(directory);
        c.make(directory + "/scores");
        std::ostringstream caseNotes;
        const ScoreStore::Result result =
            ScoreStore(directory, caseNotes).record({300, "2026-12-08 06:00:00"});
        EXPECT_TRUE(result.saved) << c.kind << ": " << caseNotes.str();
        const ScoreTable table = onDisk();
        std::vector<long long> scores;
        for (const ScoreEntry& entry : table.entries())
            scores.push_back(entry.score);
        EXPECT_EQ(scores, c.after) << c.kind;
        EXPECT_EQ(setAside().size(), c.setAside ? 1u : 0u) << c.kind;
        EXPECT_EQ(noteLines(), 0);
        EXPECT_EQ(caseNotes.str().empty(), !c.setAside) << c.kind << ": " << caseNotes.str();
    }
    // The link still leads to the synced folder, where the table and nothing else was written.
    EXPECT_TRUE(fs::is_symlink(directory + "/scores"));
    EXPECT_NE(readWholeFile(root + "/synced/scores").find("300 2026-12-08 06:00:00"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(root + "/synced"), fs::directory_iterator()), 1);
}

TEST_F(ScoreStoreTest, UnwritablePlaceKeepsPlayingWithOneNote)
{
    fs::create_directories(root + "/data");
    writeText(root + "/data/quarvel", "a file where the folder should be");
    ScoreStore store(directory, notes);
    const ScoreStore::Result result = store.record({300, "2026-12-08 06:00:00"});
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.rank, 0); // the panel still shows the score in the table
    store.record({400, "2026-12-08 06:00:01"});
    EXPECT_EQ(noteLines(), 1) << notes.str();
    EXPECT_NE(notes.str().find("not saved"), std::string::npos);

}

// A table that is there but cannot be read is not damage, and a table that cannot be written is not
// half written: either way it stays as it was, the score is shown unsaved and the game goes on.
TEST_F(ScoreStoreTest, ReadOnlyFolderUnreadableTableOrFileSizeLimitLeavesTheTableAsItWas)
{
    const auto player = [] { return becomeAPlayer(); };
    const auto sizeLimit = [] {
        std::signal(SIGXFSZ, SIG_IGN); // as the game does
        const rlimit tiny{16, 16};
        return setrlimit(RLIMIT_FSIZE, &tiny) == 0;
    };
    const fs::perms readAndEnter = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                   fs::perms::others_exec;
    const struct {
        const char* kind;
        fs::perms folder, table;
        std::function<bool()> prepare; // in the child that records
        const char* note;
    } cases[] = {
        {"a read-only folder", readAndEnter, fs::perms::owner_read | fs::perms::owner_write, player,
         "high scores are not saved"},
        {"an unreadable table", fs::perms::all, fs::perms::owner_write, player, "Permission denied"},
        {"a file size limit", fs::perms::all, fs::perms::owner_read | fs::perms::owner_write, sizeLimit,
         "File too large"},
    };
    for (const auto& c : cases) {
        fs::remove_all(directory);
        ScoreStore(directory, notes).record({100, "2026-12-08 06:00:00"});
        const std::string before = readWholeFile(directory + "/scores");
        openToOthers();
        fs::permissions(directory + "/scores.lock", fs::perms::all);
        fs::permissions(directory + "/scores", c.table);
        fs::permissions(directory, c.folder);
        ForkedChild child([&](const ForkedChild::Say& say) {
            if (!c.prepare())
                return say("not prepared");
            std::ostringstream childNotes;
            const ScoreStore::Result result = ScoreStore(directory, childNotes).record({200, "2026-12-08 06:00:01"});
            say(result.saved ? "saved" : "not saved");
            say("entries " + std::to_string(result.table.entries().size()));
            say(childNotes.str());
        });
        const std::string report = child.report();
        EXPECT_TRUE(WIFEXITED(child.wait())) << c.kind;
        fs::permissions(directory, fs::perms::owner_all);
        fs::permissions(directory + "/scores", fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_NE(report.find("not saved\nentries"), std::string::npos) << c.kind << ": " << report;
        EXPECT_NE(report.find(c.note), std::string::npos) << c.kind << ": " << report;
        EXPECT_EQ(readWholeFile(directory + "/scores"), before) << c.kind;
        EXPECT_EQ(leftOnDisk(), (std::multiset<std::string>{"scores", "scores.lock"})) << c.kind;
    }
}

TEST_F(ScoreStoreTest, AGameStoppedWhileHoldingTheTableCostsTheOtherTwoSecondsAndOneNote)
{
    ScoreStore(directory, notes).record({100, "2026-12-08 06:00:00"});
    const std::string before = readWholeFile(directory + "/scores");
    ForkedChild stopped([this](const ForkedChild::Say& say) {
        const int fd = open((directory + "/scores.lock").c_str(), O_RDWR);
        say(flock(fd, LOCK_EX) == 0 ? "holding" : "not holding");
        raise(SIGSTOP); // Ctrl-Z
    });
    ASSERT_NE(stopped.waitFor("holding").find("holding\n"), std::string::npos);

    const auto start = std::chrono::steady_clock::now();
    const ScoreStore::Result result = ScoreStore(directory, notes).record({200, "2026-12-08 06:00:01"});
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.rank, 0) << "the panel still shows the score in the table";
    EXPECT_EQ(result.table.entries().size(), 2u);
    EXPECT_GE(waited, ScoreStore::lockWait);
    EXPECT_LT(waited, std::chrono::seconds(15));
    EXPECT_EQ(notes.str(), "Quarvel: score not saved: the table is in use (another game holds " + directory +
                               "/scores.lock)\n");
    EXPECT_EQ(readWholeFile(directory + "/scores"), before);
}

TEST_F(ScoreStoreTest, WriterKilledBeforeTheReplaceLeavesTheOldTableWhole)
{
    ScoreStore(directory, notes).record({700, "2026-12-08 06:00:00"});
    const std::string before = readWholeFile(directory + "/scores");
    ForkedChild writer([this](const ForkedChild::Say&) {
        ScoreStore store(directory, notes);
        store.beforeReplace = [] { raise(SIGKILL); };
        store.record({900, "2026-12-08 07:00:00"});
    });
    ASSERT_TRUE(WIFSIGNALED(writer.wait()));
    EXPECT_EQ(readWholeFile(directory + "/scores"), before);
    const std::multiset<std::string> killed = leftOnDisk();
    EXPECT_EQ(killed.size(), 3u) << "the table, its lock and the killed writer's new table";
    // The lock died with the writer: the next game records as usual and clears up after it.
    EXPECT_TRUE(ScoreStore(directory, notes).record({800, "2026-12-08 08:00:00"}).saved);
    EXPECT_EQ(onDisk().entries().size(), 2u);
    EXPECT_EQ(leftOnDisk(), (std::multiset<std::string>{"scores", "scores.lock"}));
}

TEST_F(ScoreStoreTest, TwoGamesWritingAtOnceKeepEveryEntry)
{
    for (int round = 0; round < 5; ++round) {
        fs::remove_all(directory);
        const auto writes = [this](int writer) {
            return [this, writer](const ForkedChild::Say&) {
                ScoreStore store(directory, notes);
                for (int i = 0; i < 5; ++i)
                    store.record({writer * 100 + i, "2026-12-08 06:00:00"});
            };
        };
        ForkedChild first(writes(0));
        ForkedChild second(writes(1));
        EXPECT_EQ(first.wait(), 0);
        EXPECT_EQ(second.wait(), 0);
        EXPECT_EQ(onDisk().entries().size(), 10u) << readWholeFile(directory + "/scores");
    }
}

} // namespace
