// organize with companion files: the preview's lines against what the run
// writes, --no-companions, and a move that keeps a pair at the card.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "cli/Commands.h"
#include "tests/processing/CliRun.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/PictureFiles.h"

namespace lumora {
namespace {

using test::CliRun;
using test::linesOf;
using test::readFile;
using test::runCli;
using Lines = std::vector<std::string>;

// The lines of a preview that write a file: target -> source.
std::map<std::string, std::string> writtenTargets(const std::string& out) {
    std::map<std::string, std::string> targets;
    for (const std::string& line : linesOf(out)) {
        const size_t tab = line.find('\t');
        const std::string action = line.substr(0, tab);
        if (action != "copy" && action != "move" && action != "replace") continue;
        const size_t second = line.find('\t', tab + 1);
        targets[line.substr(second + 1)] = line.substr(tab + 1, second - tab - 1);
    }
    return targets;
}

Lines linesStartingWith(const std::string& out, const std::string& start) {
    Lines found;
    for (const std::string& line : linesOf(out)) {
        if (line.rfind(start, 0) == 0) found.push_back(line);
    }
    return found;
}

std::set<std::string> filesBelow(const std::string& folder) {
    std::set<std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        // The runs' journals are not the run's pictures.
        if (item.path().string().find(test::nativePath("/.lumora/")) != std::string::npos) continue;
        if (item.is_regular_file()) files.insert(item.path().string());
    }
    return files;
}

class CompanionCli : public ::testing::Test {
  protected:
    CompanionCli() {
        source = temp.makeDir("card");
        temp.writeFile("card/100CANON/IMG_0001.JPG", test::exifPicture("2020:05:06 07:08:09"));
        temp.writeFile("card/100CANON/IMG_0001.CR2", std::string("raw one"));
        temp.writeFile("card/100CANON/IMG_0001.JPG.xmp", std::string("sidecar one"));
        temp.writeFile("card/101CANON/IMG_0001.JPG", test::exifPicture("2020:05:06 08:08:09"));
        temp.writeFile("card/101CANON/IMG_0001.cr2", std::string("raw two"));
        temp.writeFile("card/101CANON/IMG_0001.MOV", std::string("clip two"));
        temp.writeFile("card/101CANON/IMG_0002.JPG", test::exifPicture("2020:05:06 09:08:09"));
        temp.writeFile("card/notes.txt", std::string("no picture"));
        for (const std::string& path : filesBelow(source)) before[path] = readFile(path);
    }

    test::TzGuard zone{"UTC0"};
    test::TempDir temp;
    std::string source;
    std::map<std::string, std::string> before;  // every file of the card with its bytes
};

TEST_F(CompanionCli, thePreviewListsEveryCompanionLineTheRunThenWrites) {
    for (const bool move : {false, true}) {
        SCOPED_TRACE(move ? "move" : "copy");
        const std::string target = temp.makeDir(move ? "moved" : "copied");
        Lines options = {source, target};
        if (move) options.insert(options.begin(), "--move");
        Lines previewOptions = options;
        previewOptions.insert(previewOptions.begin(), "--dry-run");

        const CliRun preview = runCli(cli::organizeCommand, previewOptions);
        ASSERT_EQ(preview.code, 0) << preview.err;
        const std::map<std::string, std::string> planned = writtenTargets(preview.out);
        EXPECT_EQ(planned.size(), 7u);
        const std::string folder = target + test::nativePath("/2020-05-06/");
        EXPECT_EQ(planned.at(folder + "2020-05-06-0 [2020-05-06] [07 08 09].jpg.xmp"),
                  source + test::nativePath("/100CANON/IMG_0001.JPG.xmp"));
        EXPECT_EQ(planned.at(folder + "2020-05-06-1 [2020-05-06] [08 08 09].MOV"),
                  source + test::nativePath("/101CANON/IMG_0001.MOV"));
        const Lines dryRun = linesStartingWith(preview.out, "Dry run:");
        ASSERT_EQ(dryRun.size(), 1u);
        EXPECT_EQ(dryRun[0], std::string("Dry run: 3 pictures and 4 companion files would be ") +
                                 (move ? "moved" : "copied") + " and 1 folders made under " +
                                 target + "; nothing was written.");
        if (move) {
            EXPECT_EQ(linesStartingWith(preview.out, "1 file would be left"),
                      Lines{"1 file would be left in " + source + ": 1 not named .jpg"});
        }

        const CliRun run = runCli(cli::organizeCommand, options);
        ASSERT_EQ(run.code, 0) << run.err;
        std::set<std::string> expected;
        for (const auto& [path, from] : planned) {
            expected.insert(path);
            EXPECT_EQ(readFile(path), before.at(from)) << path;
            EXPECT_EQ(std::filesystem::exists(from), !move) << from;
        }
        EXPECT_EQ(filesBelow(target), expected);
        EXPECT_EQ(linesStartingWith(run.out, "1 albums"), Lines{"1 albums created succesfuly!"});
        EXPECT_EQ(linesStartingWith(run.out, "4 companion"),
                  Lines{std::string("4 companion files ") + (move ? "moved" : "copied") +
                        " with their pictures."});
        if (move) {
            EXPECT_EQ(linesStartingWith(run.out, "1 file was left"),
                      Lines{"1 file was left in " + source + ": 1 not named .jpg"});
        }
    }
}

TEST_F(CompanionCli, noCompanionsLeavesThemOnTheCardAndSaysNothingOfThem) {
    const std::string target = temp.makeDir("out");
    const CliRun preview =
        runCli(cli::organizeCommand, {"--dry-run", "--no-companions", source, target});
    EXPECT_EQ(writtenTargets(preview.out).size(), 3u);
    EXPECT_EQ(linesStartingWith(preview.out, "Dry run:"),
              Lines{"Dry run: 3 pictures would be copied and 1 folders made under " + target +
                    "; nothing was written."});

    const CliRun run = runCli(cli::organizeCommand, {"--move", "--no-companions", source, target});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(filesBelow(target).size(), 3u);
    EXPECT_TRUE(linesStartingWith(run.out, "4 companion").empty());
    EXPECT_EQ(readFile(source + test::nativePath("/100CANON/IMG_0001.CR2")), "raw one");
    EXPECT_EQ(linesStartingWith(run.out, "5 files were left"),
              Lines{"5 files were left in " + source + ": 5 not named .jpg"});
}

// A file of an earlier run stands where a companion would go, and --no keeps
// it: the move keeps that picture and its companions on the card, as the
// preview says it will.
TEST_F(CompanionCli, aMoveKeepsAPairOnTheCardWhenItsCompanionCannotFollow) {
    const std::string target = temp.makeDir("out");
    const std::string older = temp.writeFile(
        "out/2020-05-06/2020-05-06-1 [2020-05-06] [08 08 09].MOV", std::string("earlier clip"));

    const CliRun preview =
        runCli(cli::organizeCommand, {"--dry-run", "--move", "--no", source, target});
    const CliRun run = runCli(cli::organizeCommand, {"--move", "--no", source, target});

    EXPECT_EQ(run.code, 1);
    Lines kept = linesStartingWith(run.out, "untransferred");
    Lines previewed = linesStartingWith(preview.out, "untransferred");
    std::sort(kept.begin(), kept.end());
    std::sort(previewed.begin(), previewed.end());
    EXPECT_EQ(kept, previewed);
    const std::string folder = target + test::nativePath("/2020-05-06/");
    const std::string name = "2020-05-06-1 [2020-05-06] [08 08 09]";
    EXPECT_EQ(kept,
              (Lines{"untransferred\tpair kept at the source\t" + source +
                         test::nativePath("/101CANON/IMG_0001.JPG\t") + folder + name + ".jpg",
                     "untransferred\tpair kept at the source\t" + source +
                         test::nativePath("/101CANON/IMG_0001.cr2\t") + folder + name + ".cr2",
                     "untransferred\tskipped\t" + source +
                         test::nativePath("/101CANON/IMG_0001.MOV\t") + folder + name + ".MOV"}));
    EXPECT_EQ(readFile(older), "earlier clip");
    EXPECT_EQ(readFile(source + test::nativePath("/101CANON/IMG_0001.JPG")),
              before.at(source + test::nativePath("/101CANON/IMG_0001.JPG")));
    EXPECT_EQ(readFile(source + test::nativePath("/101CANON/IMG_0001.cr2")), "raw two");
    EXPECT_FALSE(std::filesystem::exists(folder + name + ".jpg"));
    EXPECT_FALSE(std::filesystem::exists(folder + name + ".cr2"));
    EXPECT_NE(run.err.find("1 of 3 pictures were not transferred (1 pair kept at the source)"),
              std::string::npos)
        << run.err;
}

}  // namespace
}  // namespace lumora
