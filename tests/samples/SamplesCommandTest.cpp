#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli/Commands.h"

namespace lumora::cli {
namespace {

namespace fs = std::filesystem;

fs::path freshFolder(const std::string& name) {
    const fs::path folder = fs::path(::testing::TempDir()) / ("lumora-samples-cli-" + name);
    fs::remove_all(folder);
    return folder;
}

size_t filesUnder(const fs::path& folder) {
    size_t files = 0;
    for (const auto& item : fs::recursive_directory_iterator(folder))
        files += item.is_regular_file();
    return files;
}

TEST(SamplesCommand, badArgumentsAreUsageErrors) {
    const std::string dir = freshFolder("usage").string();
    const Arguments cases[] = {
        {},
        {"--count"},
        {"--count", "-3", dir},
        {"--count", "12x", dir},
        {"--size", "640", dir},
        {"--size", "0x480", dir},
        {"--seed", "4294967296", dir},
        {"--colour", dir},
        {dir, "second"},
    };
    for (const Arguments& args : cases) {
        EXPECT_EQ(runSamples(args), kExitUsage) << (args.empty() ? "" : args[0]);
    }
    EXPECT_FALSE(fs::exists(dir));
}

TEST(SamplesCommand, writesTheAskedSet) {
    const fs::path dir = freshFolder("set");
    EXPECT_EQ(runSamples({"--count", "12", "--size", "64x48", "--seed", "9", "--flat",
                          "--no-thumbnails", "--distinct", dir.string()}),
              kExitSuccess);
    EXPECT_EQ(filesUnder(dir), 12u);
    fs::remove_all(dir);
}

TEST(SamplesCommand, folderThatCannotBeMadeFails) {
    const fs::path dir = freshFolder("blocked");
    fs::create_directories(dir);
    std::ofstream(dir / "file") << "x";
    EXPECT_EQ(runSamples({"--count", "2", (dir / "file" / "inside").string()}), kExitFailure);
    fs::remove_all(dir);
}


// Written into a folder that already holds pictures, the set must not take
// the name of one of them.
TEST(SamplesCommand, neverReplacesAFile) {
    const fs::path dir = freshFolder("taken");
    ASSERT_EQ(runSamples({"--count", "3", "--flat", dir.string()}), kExitSuccess);
    const fs::path mine = dir / fs::directory_iterator(dir)->path().filename();
    fs::remove(mine);
    std::ofstream(mine) << "my own picture";
    const size_t before = filesUnder(dir);

    EXPECT_EQ(runSamples({"--count", "3", "--flat", dir.string()}), kExitFailure);
    std::string text;
    {
        // Closed before the folder goes: Windows removes no file that is open.
        std::ifstream in(mine);
        std::getline(in, text);
    }
    EXPECT_EQ(text, "my own picture");
    EXPECT_EQ(filesUnder(dir), before);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace lumora::cli
