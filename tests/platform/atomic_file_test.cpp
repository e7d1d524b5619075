// Replacing a file safely: what is left on disk whatever stands at the file's name and whoever died
// halfway (a file size limit is tried with the score table); and a lock that gives up in time.

#include "platform/atomic_file.hpp"
#include "platform/file_lock.hpp"
#include "tests/support/forked_child.hpp"
#include "tests/support/scratch_dir.hpp"
#include "tests/support/temp_file.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::set<std::string> namesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

mode_t modeOf(const std::string& path)
{
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// A process id that no process has now: a child that has ended.
pid_t deadProcessId()
{
    ForkedChild child([](const ForkedChild::Say&) {});
    child.wait();
    return child.pid();
}

// Pipes, folders and links at the names of the tables the game keeps are tested with those tables.
TEST(AtomicFile, LinksAreReplacedOrFollowedToARegularFileAndAFailureLeavesNothingBehind)
{
    const struct {
        const char* kind;
        std::function<void(const ScratchDir&)> make; // what stands at "file" before the write
        bool followLinks;
        bool ok;
        const char* fileAfter;   // the content at "file" afterwards
        const char* targetAfter; // the content of "target" afterwards
        bool fileIsLink;
    } cases[] = {
        {"a link, replaced", [](const ScratchDir& d) { fs::create_symlink("target", d.file("file")); }, false,
         true, "new", "target", false},
        {"a link to a link, followed",
         [](const ScratchDir& d) {
             fs::create_symlink("target", d.file("middle"));
             fs::create_symlink(d.file("middle"), d.file("file"));
         },
         true, true, "new", "new", true},
        {"a link to a device, followed",
         [](const ScratchDir& d) { fs::create_symlink("/dev/null", d.file("file")); }, true, false, "",
         "target", true},
        {"a link loop, followed", [](const ScratchDir& d) { fs::create_symlink("file", d.file("file")); },
         true, false, nullptr, "target", true},
        {"a folder", [](const ScratchDir& d) { fs::create_directories(d.file("file/inside")); }, false, false,
         nullptr, "target", false},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        writeText(dir.file("target"), "target");
        c.make(dir);
        AtomicFile::Options options;
        options.followLinks = c.followLinks;
        const AtomicFile::Result result = AtomicFile::write(dir.file("file"), "new", options);
        EXPECT_EQ(result.ok, c.ok) << c.kind << ": " << result.error;
        if (c.fileAfter != nullptr) {
            EXPECT_EQ(readWholeFile(dir.file("file")), c.fileAfter) << c.kind;
        }
        EXPECT_EQ(readWholeFile(dir.file("target")), c.targetAfter) << c.kind;
        EXPECT_EQ(fs::is_symlink(dir.file("file")), c.fileIsLink) << c.kind;
        for (const std::string& name : namesIn(dir.path()))
            EXPECT_EQ(name.find(".new"), std::string::npos) << c.kind << ": " << name << " left behind";
    }
}

TEST(AtomicFile, TheFileKeepsItsModeAndANewOneFollowsTheUmask)
{
    const struct {
        mode_t umask;
        std::optional<mode_t> before; // nothing: no file yet
        mode_t after;
    } cases[] = {{022, std::nullopt, 0644}, {027, std::nullopt, 0640}, {077, std::nullopt, 0600},
                 {022, 0600, 0600},         {077, 0664, 0664},         {022, 0640, 0640}};
    for (const auto& c : cases) {
        ScratchDir dir;
        const std::string file = dir.file("file");
        if (c.before) {
            writeText(file, "old");
            chmod(file.c_str(), *c.before);
        }
        const mode_t saved = umask(c.umask);
        const AtomicFile::Result result = AtomicFile::write(file, "new");
        umask(saved);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(modeOf(file), c.after)
            << std::oct << "umask " << c.umask << ", before " << c.before.value_or(0);
    }
}

TEST(AtomicFile, TemporaryFilesOfWritersThatDiedAreRemovedAndNoLinkIsWrittenThrough)
{
    ScratchDir dir;
    const std::string dead = AtomicFile::temporaryName("file", deadProcessId());
    const std::string living = AtomicFile::temporaryName("file", getppid()); // our parent is alive
    const std::string ours = AtomicFile::temporaryName("file", getpid());
    for (const std::string& name :
         {dead, living, std::string("file.backup"), AtomicFile::temporaryName("other", 1)})
        writeText(dir.file(name), "left over");
    writeText(dir.file("victim"), "victim");
    fs::create_symlink("victim", dir.file(ours)); // a link put where this process writes

    ASSERT_TRUE(AtomicFile::write(dir.file("file"), "new").ok);
    EXPECT_EQ(readWholeFile(dir.file("victim")), "victim");
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"file", living, "file.backup",
                                                          AtomicFile::temporaryName("other", 1), "victim"}));
}

TEST(AtomicFile, SettingAsideAndCopiesNeverReplaceAnything)
{
    ScratchDir dir;
    const std::string stem = dir.file("file.bad");
    writeText(stem, "first");
    writeText(dir.file("file"), "second");
    const AtomicFile::Result moved = AtomicFile::setAside(dir.file("file"), stem);
    ASSERT_TRUE(moved.ok) << moved.error;
    EXPECT_EQ(moved.path, stem + ".2");
    const AtomicFile::Result copied = AtomicFile::keepCopy("third", stem);
    ASSERT_TRUE(copied.ok) << copied.error;
    EXPECT_EQ(copied.path, stem + ".3");
    EXPECT_EQ(readWholeFile(stem), "first");
    EXPECT_EQ(readWholeFile(stem + ".2"), "second");
    EXPECT_EQ(readWholeFile(stem + ".3"), "third");
    EXPECT_FALSE(fs::exists(dir.file("file")));
    EXPECT_FALSE(AtomicFile::setAside(dir.file("missing"), stem).ok);
}

TEST(FileLock, SomethingElseAtTheLocksNameFailsAtOnce)
{
    ScratchDir dir;
    fs::create_directory(dir.file("folder"));
    mkfifo(dir.file("pipe").c_str(), 0600);
    for (const char* name : {"folder", "pipe", "missing-folder/lock"}) {
        const FileLock lock(dir.file(name), 10s);
        EXPECT_EQ(lock.state(), FileLock::State::Failed) << name;
        EXPECT_FALSE(lock.error().empty()) << name;
    }
}

} // namespace
