// lumora-cli organize on a terminal and under signals: Ctrl+C and SIGTERM end
// the run after the picture in hand (exit 130); an answer can stand for all.
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "cli/Commands.h"
#include "tests/processing/CliRun.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/PictureFiles.h"

namespace lumora {
namespace {

using test::FaultyFileSystem;
using test::FsCall;

// Every file below folder, with the bytes each holds.
std::vector<std::pair<std::string, std::string>> filesBelow(const std::string& folder) {
    std::vector<std::pair<std::string, std::string>> files;
    if (!std::filesystem::exists(folder)) return files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        // The run's journal, and what its replaces set aside, are no pictures.
        if (entry.path().string().find("/.lumora/") != std::string::npos) continue;
        if (entry.is_regular_file())
            files.emplace_back(entry.path().filename().string(), test::readFile(entry.path()));
    }
    return files;
}

class ProcessCliStop : public ::testing::Test {
  protected:
    ProcessCliStop() {
        source = temp.makeDir("src");
        target = temp.file("out");
        for (const char* date :
             {"2019:11:03 10:20:30", "2019:11:03 19:05:01", "2019:11:20 08:00:00"}) {
            const std::vector<uint8_t> bytes = test::exifPicture(date);
            pictures.emplace_back(bytes.begin(), bytes.end());
        }
        temp.writeFile("src/a/IMG_1.JPG", pictures[0]);
        temp.writeFile("src/a/IMG_2.JPG", pictures[1]);
        temp.writeFile("src/b/IMG_3.JPG", pictures[2]);
    }

    // Runs organize; while the picture at `at` is transferred a helper
    // thread sends the signal, to this thread or to the whole process.
    test::CliRun organizeSignalled(int at, int signal, bool toProcess, bool move) {
        FaultyFileSystem fs;
        int transfers = 0;
        const pthread_t runner = pthread_self();
        fs.setTransferHook([&](FsCall, const std::string&, const std::string&) {
            if (transfers++ == at) {
                std::thread([&] {
                    if (toProcess) {
                        kill(getpid(), signal);
                    } else {
                        pthread_kill(runner, signal);
                    }
                }).join();
            }
            return std::optional<ErrorCode>();
        });
        cli::Arguments args = {source, target, "--no"};
        if (move) args.push_back("--move");
        test::CliRun run = test::runCli(cli::organizeCommand, args, fs);
        transfersMade = transfers;
        return run;
    }

    test::TzGuard zone{"UTC0"};
    test::TempDir temp;
    std::string source;
    std::string target;
    std::vector<std::string> pictures;
    int transfersMade = 0;
};

TEST_F(ProcessCliStop, aSignalEndsTheRunAfterThePictureInHand) {
    struct Case {
        int at;
        int signal;
        bool toProcess;
        bool move;
    };
    for (const Case& c : {Case{0, SIGINT, false, false}, Case{1, SIGTERM, true, false},
                          Case{0, SIGTERM, false, true}, Case{1, SIGINT, true, true}}) {
        SCOPED_TRACE(std::to_string(c.at) + " " + std::to_string(c.signal) +
                     (c.move ? " move" : " copy"));
        std::filesystem::remove_all(target);
        const test::CliRun run = organizeSignalled(c.at, c.signal, c.toProcess, c.move);

        EXPECT_EQ(run.code, cli::kExitInterrupted) << run.err;
        EXPECT_EQ(transfersMade, c.at + 1);
        const std::vector<std::string> lines = test::linesOf(run.out);
        ASSERT_FALSE(lines.empty());
        // At 1 the first day's album is complete.
        EXPECT_EQ(lines[0], std::string("Stopped: ") + (c.at == 1 ? "1" : "0") +
                                " of 2 albums processed, " + std::to_string(c.at + 1) +
                                (c.at == 0 ? " picture" : " pictures") + " transferred.");
        int notReached = 0;
        for (const std::string& line : lines)
            notReached += line.rfind("untransferred\tnot reached\t", 0) == 0;
        EXPECT_EQ(notReached, 2 - c.at);

        // Each transferred picture is whole at its target, no temporary file
        // is left, and every other one is still at its source.
        const auto arrived = filesBelow(target);
        EXPECT_EQ(arrived.size(), static_cast<size_t>(c.at + 1));
        for (size_t i = 0; i < arrived.size(); ++i) {
            EXPECT_EQ(arrived[i].first.find(".part"), std::string::npos) << arrived[i].first;
            EXPECT_TRUE(arrived[i].second == pictures[0] || arrived[i].second == pictures[1]);
        }
        const size_t atSource = filesBelow(source).size();
        EXPECT_EQ(atSource, c.move ? 3u - (c.at + 1) : 3u);

        // The handlers are gone with the run: a later run is not stopped.
        std::filesystem::remove_all(target);
        EXPECT_EQ(test::runCli(cli::organizeCommand, {source, target, "--no"}).code,
                  cli::kExitSuccess);
        // Put back what the move took.
        if (c.move) {
            std::filesystem::remove_all(source);
            temp.writeFile("src/a/IMG_1.JPG", pictures[0]);
            temp.writeFile("src/a/IMG_2.JPG", pictures[1]);
            temp.writeFile("src/b/IMG_3.JPG", pictures[2]);
        }
    }
}

// On a terminal, an answer in upper case stands for every later conflict of
// its kind: a re-run into a filled target asks once about folders and once
// about files.
TEST_F(ProcessCliStop, anUpperCaseAnswerStandsForEveryLaterConflictOfItsKind) {
    ASSERT_EQ(test::runCli(cli::organizeCommand, {source, target, "--no"}).code, cli::kExitSuccess);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(target)) {
        if (entry.is_regular_file())
            temp.writeFile(entry.path().string().substr(temp.path().size() + 1),
                           std::string("other bytes"));
    }
    const test::CliRun run =
        test::runCli(cli::organizeCommand, {source, target}, realFileSystem(), true, "Y\nY\n");
    EXPECT_EQ(run.code, cli::kExitSuccess) << run.err;
    size_t asked = 0;
    for (size_t at = run.err.find("for all conflicts"); at != std::string::npos;
         at = run.err.find("for all conflicts", at + 1))
        ++asked;
    EXPECT_EQ(asked, 2u) << run.err;
    const auto files = filesBelow(target);
    ASSERT_EQ(files.size(), 3u);
    for (const auto& file : files) EXPECT_NE(file.second, "other bytes") << file.first;
}

}  // namespace
}  // namespace lumora
