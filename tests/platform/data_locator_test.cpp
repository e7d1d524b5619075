// Where the game looks for its data: the working directory first, then the installed folder, then
// the folder beside the executable; the first that holds it wins, and none is reported once.

#include "platform/data_locator.hpp"
#include "tests/support/deep_folder.hpp"
#include "tests/support/scratch_dir.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// work/ (the working directory), installed/ and moved/bin/quarvel with moved/share/quarvel/.
class DataPlaces : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/quarvel-places-XXXXXX";
        root = mkdtemp(name);
        for (const fs::path& folder : {work(), installed(), moved() / "bin", besideExecutable()})
            fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path work() const { return root / "work"; }
    fs::path installed() const { return root / "installed"; }
    fs::path moved() const { return root / "moved"; }
    fs::path besideExecutable() const { return moved() / "share" / "quarvel"; }
    static void giveData(const fs::path& folder) { fs::create_directories(folder / "QUARVEL" / "Shader"); }
    DataLocator locator() const { return DataLocator(work(), moved() / "bin" / "quarvel", installed()); }

    fs::path root;
};

TEST_F(DataPlaces, LooksInTheWorkingDirectoryTheInstalledFolderAndBesideTheExecutableInThatOrder)
{
    const std::vector<fs::path> expected{work(), installed(), besideExecutable()};
    EXPECT_EQ(locator().places(), expected);
    EXPECT_FALSE(locator().find().has_value());

    giveData(besideExecutable());
    EXPECT_EQ(locator().find(), besideExecutable());
    giveData(installed());
    EXPECT_EQ(locator().find(), installed());
    giveData(work());
    EXPECT_EQ(locator().find(), work());
}

// A plain install has the game in bin/, Debian's layout in games/: either way the data sits in
// share/quarvel under the same prefix, as in the package unpacked with dpkg-deb -x.
TEST_F(DataPlaces, TheGameInBinOrInGamesFindsTheDataUnderItsPrefix)
{
    giveData(besideExecutable());
    for (const char* folder : {"bin", "games"}) {
        const DataLocator fromThere(work(), moved() / folder / "quarvel", installed());
        EXPECT_EQ(fromThere.places().back(), besideExecutable()) << folder;
        EXPECT_EQ(fromThere.find(), besideExecutable()) << folder;
    }
}

TEST_F(DataPlaces, AFolderWithoutTheDataTreeDoesNotCount)
{
    fs::create_directories(work() / "Shader");
    std::ofstream(work() / "digital-7.ttf") << "font";
    giveData(installed());
    EXPECT_EQ(locator().find(), installed());
}

TEST_F(DataPlaces, ADataTreeWithoutItsShaderFolderDoesNotCount)
{
    giveData(installed());
    // Folders up to the last slash; a name after it is a file (where the shader folder should be).
    for (const char* made : {"QUARVEL/", "QUARVEL/Ressources/Models/", "QUARVEL/Shader"}) {
        fs::remove_all(work() / "QUARVEL");
        fs::create_directories((work() / made).parent_path());
        std::ofstream(work() / made) << "not a folder";
        EXPECT_EQ(locator().find(), installed()) << made;
    }
}

// Deeper than PATH_MAX: the absolute name cannot be followed, relative names still work.
TEST_F(DataPlaces, AWorkingDirectoryLongerThanPathMaxIsFoundAndStaysTheWorkingDirectory)
{
    const fs::path before = fs::current_path();
    fs::current_path(work());
    const std::string step(200, 'd');
    for (int depth = 0; depth < 25; ++depth) {
        fs::create_directory(step);
        fs::current_path(step);
    }
    const fs::path deep = fs::current_path();
    ASSERT_GT(deep.string().size(), std::size_t(PATH_MAX));
    fs::create_directories("QUARVEL/Shader");

    const DataLocator here = DataLocator::forThisProcess();
    std::ostringstream errors;
    EXPECT_EQ(here.find(), deep);
    EXPECT_TRUE(here.enter(errors)) << errors.str();
    EXPECT_EQ(errors.str(), "");
    EXPECT_TRUE(fs::is_directory("QUARVEL/Shader"));
    fs::current_path(before);
    // The tree is too deep for an absolute remove; rm walks it from folder to folder.
    EXPECT_EQ(std::system(("rm -rf " + work().string() + "/" + step).c_str()), 0);
}

TEST_F(DataPlaces, EnteringMovesIntoTheDataSoRelativeNamesWork)
{
    const fs::path before = fs::current_path();
    giveData(besideExecutable());
    std::ostringstream errors;
    EXPECT_TRUE(locator().enter(errors));
    EXPECT_TRUE(fs::exists("QUARVEL/Shader"));
    EXPECT_EQ(fs::current_path(), besideExecutable());
    EXPECT_EQ(errors.str(), "");
    fs::current_path(before);
}

TEST_F(DataPlaces, NoDataIsOneLineNamingEveryPlaceAndTheDirectoryStays)
{
    const fs::path before = fs::current_path();
    std::ostringstream errors;
    EXPECT_FALSE(locator().enter(errors));
    EXPECT_EQ(fs::current_path(), before);
    const std::string message = errors.str();
    EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
    for (const fs::path& place : {work(), installed(), besideExecutable()})
        EXPECT_NE(message.find(place.string()), std::string::npos) << message;
}

TEST_F(DataPlaces, APlaceNamedTwiceIsLookedInOnce)
{
    const DataLocator same(installed(), moved() / "bin" / "quarvel", installed() / ".");
    EXPECT_EQ(same.places().size(), 2u);
}

// Every absolute name under such a folder is too long to open: the data is still found right there.
TEST(DataInALongPath, AWorkingDirectoryLongerThanPathMaxHoldsItsDataWithoutAWord)
{
    const ScratchDir scratch(true);
    const DeepFolder deep;
    fs::create_directories("QUARVEL/Shader");
    const DataLocator here = DataLocator::forThisProcess();
    EXPECT_TRUE(here.find() == here.places().front());
    std::ostringstream errors;
    EXPECT_TRUE(here.enter(errors));
    EXPECT_EQ(errors.str(), "");
    EXPECT_TRUE(fs::exists("QUARVEL/Shader")) << "still where the data is";
}

} // namespace
