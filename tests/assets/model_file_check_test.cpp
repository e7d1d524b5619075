// Model files that crash or hang the importer library: found in helper processes before the game
// opens its window, and remembered by what the files hold.
// This test program has no GL window of its own, so its helpers fork a process with a single thread,
// as the game's do.

#include "assets/model_file_check.hpp"
#include "platform/atomic_file.hpp"
#include "tests/assets/damaged_models.hpp"
#include "tests/support/deep_folder.hpp"
#include "tests/support/forked_child.hpp"
#include "tests/support/scratch_dir.hpp"
#include "tests/support/temp_file.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using Kind = ModelVerdict::Kind;

// Small limits keep a hanging helper short.
constexpr ImportLimits testLimits{1, 30.0, std::size_t{256} << 20};

class ModelFileCheckTest : public testing::Test {
protected:
    Kind verdictOf(const std::string& file)
    {
        const std::vector<ModelFileCheck::Finding> found = ModelFileCheck(record, testLimits).check({file});
        return found.at(0).verdict.kind;
    }

    ScratchDir dir{true};
    std::string record = dir.file("cache/quarvel/model-check");
};

TEST_F(ModelFileCheckTest, FilesThatCrashOrHangTheImporterAreFoundAndTheOthersImport)
{
    writeText("good.obj", triangle + "f 1//1 2//1 3//1\n");
    writeText("broken.obj", triangle + "f 1 2 9\n");
    writeCrashingObj("crash");
    writeText("self.dae", selfInstancingDae);
    writeEndlessDae("endless.dae");

    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::string> files = ModelFileCheck::modelFilesUnder(".");
    ASSERT_EQ(files, (std::vector<std::string>{"broken.obj", "crash.obj", "endless.dae", "good.obj", "self.dae"}))
        << "material files and textures are not models";
    const std::vector<ModelFileCheck::Finding> found = ModelFileCheck(record, testLimits).check(files);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    ASSERT_EQ(found.size(), files.size());
    EXPECT_EQ(found[0].verdict.kind, Kind::Fails);
    EXPECT_EQ(found[0].verdict.message, "OBJ: vertex index out of range") << "the importer's own words";
    EXPECT_EQ(found[1].verdict.kind, Kind::Crashes);
    EXPECT_NE(found[1].verdict.message.find("\"crash.obj\""), std::string::npos) << found[1].verdict.message;
    // Out of memory (a clean failure) or out of processor time, whichever comes first.
    EXPECT_NE(found[2].verdict.kind, Kind::Imports);
    EXPECT_NE(found[2].verdict.kind, Kind::Crashes) << found[2].verdict.message;
    EXPECT_EQ(found[3].verdict.kind, Kind::Imports);
    EXPECT_EQ(found[4].verdict.kind, Kind::Crashes);
    EXPECT_LT(seconds, 25.0) << "every helper ended within its limits";
}

TEST_F(ModelFileCheckTest, AVerdictHoldsUntilWhatTheFileOrItsMaterialHoldsChanges)
{
    writeCrashingObj("crash");
    writeText("good.obj", triangle + "f 1//1 2//1 3//1\n");
    ASSERT_EQ(verdictOf("crash.obj"), Kind::Crashes);
    ASSERT_EQ(verdictOf("good.obj"), Kind::Imports);
    ASSERT_TRUE(fs::exists(record));

    EXPECT_TRUE(ModelCheckRecord(record).find("good.obj")) << "unchanged: answered from the record";

    // Same size and time, other bytes (bit rot, "cp -p", a same-size rewrite): imported again.
    const fs::file_time_type time = fs::last_write_time("good.obj");
    writeText("good.obj", triangle + "f 1//1 2//1 9//1\n");
    fs::last_write_time("good.obj", time);
    EXPECT_FALSE(ModelCheckRecord(record).find("good.obj"));
    EXPECT_EQ(verdictOf("good.obj"), Kind::Fails);

    // Mending the material file alone is noticed: it was read by the import.
    writeText("crash.mtl", "newmtl skin\nmap_Kd look.png\n");
    EXPECT_EQ(verdictOf("crash.obj"), Kind::Imports);
}

// Whatever stands at the record's name, the check answers at once with bounded memory, and the next
// save leaves a record that remembers (a folder cannot be replaced: then nothing is remembered).
TEST_F(ModelFileCheckTest, WhateverStandsAtTheRecordsNameTheCheckGoesOn)
{
    writeText("good.obj", triangle + "f 1//1 2//1 3//1\n");
    const std::string elsewhere = dir.file("elsewhere");
    const struct {
        const char* kind;
        std::function<void()> make;
        bool remembers;
    } cases[] = {
        {"a folder", [&] { fs::create_directories(record + "/inside"); }, false},
        {"a named pipe", [&] { ASSERT_EQ(mkfifo(record.c_str(), 0600), 0); }, true},
        {"a link to /dev/zero", [&] { fs::create_symlink("/dev/zero", record); }, true},
        {"a huge file without line breaks",
         [&] { writeText(record, std::string(std::size_t{16} << 20, 'x')); }, true},
        {"a link at the temporary name",
         [&] { fs::create_symlink(elsewhere, AtomicFile::temporaryName(record, getpid())); }, true},
    };
    for (const auto& c : cases) {
        fs::remove_all(dir.file("cache"));
        fs::create_directories(fs::path(record).parent_path());
        writeText(elsewhere, "not the record's");
        c.make();
        EXPECT_EQ(verdictOf("good.obj"), Kind::Imports) << c.kind;
        EXPECT_EQ(ModelCheckRecord(record).find("good.obj").has_value(), c.remembers) << c.kind;
        EXPECT_EQ(readWholeFile(elsewhere), "not the record's") << c.kind;
    }
}

TEST_F(ModelFileCheckTest, DamagedLinesOfTheRecordAreDroppedWhateverTheirCounts)
{
    writeText("good.obj", triangle + "f 1//1 2//1 3//1\n");
    ASSERT_EQ(verdictOf("good.obj"), Kind::Imports);
    const std::string other = (fs::current_path() / "other.obj").string();
    writeText(other, triangle);
    std::ofstream(record, std::ios::app)
        // 4 + 3 x count wraps around to 6 fields
        << "imports\t\t" << other << "\t6148914691236517206\t3\t5\n"
        << "imports\t\t" << other << "\t18446744073709551615\t3\tab\t" << other << "\n"
        << "imports\t\t" << other << "\t-1\t3\tab\t" << other << "\n"
        << "imports\t\t" << other << "\t2\t3\tab\t" << other << "\n"
        << "imports\t\t" << other << "\n"
        << "imports\t\t" << other << "\t1\t-7\tab\t" << other << "\n";
    const ModelCheckRecord damaged(record);
    EXPECT_FALSE(damaged.find(other));
    EXPECT_TRUE(damaged.find("good.obj")) << "the good lines stay";
}

// Running out of memory under the helper's limit (the game has none), or a kill from outside such as
// the out-of-memory killer's, says nothing lasting about the file: it is checked again next time.
TEST_F(ModelFileCheckTest, FailuresThatSayMoreAboutTheMachineThanTheFileAreNotRemembered)
{
    writeEndlessDae("endless.dae");
    writeCrashingObj("crash");
    const ImportLimits patient{60, 60.0, std::size_t{128} << 20};

#if !defined(__SANITIZE_ADDRESS__)
    const std::vector<ModelFileCheck::Finding> shortOfMemory =
        ModelFileCheck(record, patient).check({"endless.dae"});
    EXPECT_NE(shortOfMemory.at(0).verdict.kind, Kind::Imports);
    EXPECT_FALSE(ModelCheckRecord(record).find("endless.dae")) << shortOfMemory.at(0).verdict.message;
#endif

    const std::string children =
        "/proc/" + std::to_string(getpid()) + "/task/" + std::to_string(getpid()) + "/children";
    ForkedChild outOfMemoryKiller([&children](const ForkedChild::Say& say) {
        for (const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
             std::chrono::steady_clock::now() < end; usleep(1000)) {
            std::ifstream list(children);
            for (pid_t child = 0; list >> child;)
                if (child != getpid()) { // the first helper, as soon as it is there
                    kill(child, SIGKILL);
                    say("killed");
                    return;
                }
        }
    });
    const std::string otherRecord = dir.file("other-cache/model-check");
    const std::vector<ModelFileCheck::Finding> killed =
        ModelFileCheck(otherRecord, patient).check({"endless.dae"});
    ASSERT_NE(outOfMemoryKiller.report().find("killed"), std::string::npos);
    EXPECT_EQ(killed.at(0).verdict.kind, Kind::Crashes);
    EXPECT_NE(killed.at(0).verdict.message.find("killed from outside"), std::string::npos)
        << killed.at(0).verdict.message;
    EXPECT_FALSE(ModelCheckRecord(otherRecord).find("endless.dae"));

    EXPECT_EQ(verdictOf("crash.obj"), Kind::Crashes);
    EXPECT_TRUE(ModelCheckRecord(record).find("crash.obj")) << "a real crash is remembered";
}

// Started deep down, every absolute name is too long to open: the files are reached from the
// working directory and their verdicts kept.
TEST_F(ModelFileCheckTest, AWorkingDirectoryLongerThanPathMaxKeepsItsVerdicts)
{
    const DeepFolder deep;
    writeText("good.obj", triangle + "f 1//1 2//1 3//1\n");
    writeCrashingObj("crash");
    EXPECT_EQ(verdictOf("good.obj"), Kind::Imports);
    EXPECT_EQ(verdictOf("crash.obj"), Kind::Crashes);
    const ModelCheckRecord kept(record);
    EXPECT_TRUE(kept.find("good.obj"));
    EXPECT_TRUE(kept.find("crash.obj"));
}

} // namespace

// No GL window here: the checks fork this process, which must have a single thread when they do.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
