// A processing run's journal and its undo: every picture back where it was,
// whatever ended the run, and nothing touched that is not the run's.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "processing/JournalFormat.h"
#include "processing/RunJournal.h"
#include "processing/RunUndo.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedPrompter.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::FaultyFileSystem;
using test::FsCall;
using test::ScriptedPrompter;

const uint64_t kNoon = test::fileTimeAt(2020, 5, 1, 12, 0, 0);

// Every file and folder below a folder, by relative path: a file by its
// bytes, a folder as "<folder>".
std::map<std::string, std::string> tree(const std::string& root) {
    std::map<std::string, std::string> entries;
    std::error_code error;
    for (const auto& item : fs::recursive_directory_iterator(root, error)) {
        const std::string relative = fs::relative(item.path(), root).string();
        entries[relative] = item.is_directory() ? "<folder>" : test::readFile(item.path().string());
    }
    return entries;
}

// Every name in a folder, sorted, the journals' folder included.
std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& item : fs::directory_iterator(folder, error))
        names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The target's entries that are not the journals' folder.
std::map<std::string, std::string> withoutJournals(std::map<std::string, std::string> entries) {
    for (auto it = entries.begin(); it != entries.end();) {
        it = it->first.rfind(kJournalFolderName, 0) == 0 ? entries.erase(it) : std::next(it);
    }
    return entries;
}

// Rome (a folder with a sub-folder) of three pictures, one in a sub-folder
// of the source, and Paris of two, straight into its folder.
struct TwoAlbums {
    TwoAlbums() {
        Album& rome = bench.addAlbum("Rome", "Italy");
        rome.createSubDirectory = 1;
        bench.addPicture("IMG_1.JPG", kNoon, 1, rome.id);
        bench.addPicture("day2/IMG_2.JPG", kNoon, 2, rome.id);
        bench.addPicture("IMG_3.JPG", kNoon, 3, rome.id);
        Album& paris = bench.addAlbum("Paris", "Paris");
        paris.createSubDirectory = 0;
        for (Album& album : bench.albums) album.addDate = album.addTime = 0;
        bench.addPicture("IMG_4.JPG", kNoon, 4, paris.id);
        bench.addPicture("IMG_5.JPG", kNoon, 5, paris.id);
        bench.countAlbums();
        sourceBefore = tree(bench.source);
        targetBefore = tree(bench.target);
    }

    // One run with its journal; returns the journal's path.
    std::string run(FileSystem& fileSystem, Prompter& prompter, int32_t moveMode,
                    const StopRequest* stop = nullptr,
                    std::function<void(int, JournalPhase)> hook = {}) {
        ProcessSettings settings;
        settings.targetDirectory = bench.target;
        settings.moveMode = moveMode;
        JournalSetup setup{bench.target, "", moveMode, {}};
        for (const Album& album : bench.albums) setup.albums.emplace_back(album.id, album.name);
        RunJournal journal(fileSystem, setup);
        journal.onAction = std::move(hook);
        ProcessServices services{fileSystem, prompter, bench.upper, bench.lower, nullptr, stop};
        services.journal = &journal;
        report = processAlbums(bench.albums, bench.pictures, settings, services);
        journal.finish({});
        return journal.path();
    }

    // The source as it was, byte for byte, and the target too but for the journal.
    void expectAsBefore() const {
        EXPECT_EQ(tree(bench.source), sourceBefore);
        EXPECT_EQ(withoutJournals(tree(bench.target)), targetBefore);
    }

    // Undoes the target's latest run, which must leave nothing, and expects
    // both folders as they were before it.
    void undoLatestAndExpectAsBefore() const {
        const std::string journal = latestJournal(realFileSystem(), bench.target);
        ASSERT_FALSE(journal.empty());
        const UndoResult result = executeUndo(realFileSystem(), planUndo(realFileSystem(), journal));
        EXPECT_TRUE(result.left.empty()) << describeUndoStep(result.left.front());
        expectAsBefore();
    }

    test::ProcessBench bench;
    ProcessReport report;
    std::map<std::string, std::string> sourceBefore;
    std::map<std::string, std::string> targetBefore;
};

TEST(RunUndoTest, bringsEveryPictureBackAfterACopyAndAfterAMove) {
    for (const int32_t moveMode : {0, 1}) {
        SCOPED_TRACE(moveMode == 1 ? "move" : "copy");
        TwoAlbums run;
        ScriptedPrompter prompter;
        const std::string journal = run.run(realFileSystem(), prompter, moveMode);
        ASSERT_EQ(run.report.filesTransferred, 5);
        ASSERT_FALSE(journal.empty());
        if (moveMode == 1) {
            EXPECT_NE(tree(run.bench.source), run.sourceBefore);
        }

        const UndoPlan plan = planUndo(realFileSystem(), journal);
        const UndoResult planned = countPlan(plan);
        const UndoResult result = executeUndo(realFileSystem(), plan);

        EXPECT_EQ(result.movedBack, moveMode == 1 ? 5 : 0);
        EXPECT_EQ(result.copiesRemoved, moveMode == 1 ? 0 : 5);
        EXPECT_EQ(result.foldersRemoved, 3);  // Italy, Italy/Rome, Paris
        EXPECT_TRUE(result.left.empty());
        EXPECT_EQ(undoCountsText(planned), undoCountsText(result));
        run.expectAsBefore();
        // Nothing of the run is left in the target but its journal.
        EXPECT_EQ(namesIn(run.bench.target), std::vector<std::string>{kJournalFolderName});
        EXPECT_EQ(namesIn(journalFolder(run.bench.target)),
                  std::vector<std::string>{fs::path(journal).filename().string()});
    }
}

TEST(RunUndoTest, aSecondUndoDoesNothingAndSaysSo) {
    TwoAlbums run;
    ScriptedPrompter prompter;
    const std::string journal = run.run(realFileSystem(), prompter, 1);
    executeUndo(realFileSystem(), planUndo(realFileSystem(), journal));
    // A new file at a source path would be moved over by a second undo that
    // acted; it must stay as it is.
    run.bench.temp.writeFile("target/Paris/Paris-4.jpg", "another");

    const UndoPlan again = planUndo(realFileSystem(), journal);
    EXPECT_TRUE(again.alreadyUndone);
    EXPECT_TRUE(again.steps.empty());
    const UndoResult result = executeUndo(realFileSystem(), again);
    EXPECT_EQ(result.movedBack + result.copiesRemoved + result.foldersRemoved, 0);
    EXPECT_EQ(test::readFile(run.bench.target + test::nativePath("/Paris/Paris-4.jpg")), "another");
    EXPECT_EQ(tree(run.bench.source), run.sourceBefore);
}

TEST(RunUndoTest, undoesARunStoppedAtEachPoint) {
    for (const int32_t moveMode : {0, 1}) {
        for (int at = 0; at < 5; ++at) {
            SCOPED_TRACE((moveMode == 1 ? "move, stopped at " : "copy, stopped at ") +
                         std::to_string(at));
            TwoAlbums run;
            FaultyFileSystem fileSystem;
            StopRequest stop;
            int transfers = 0;
            fileSystem.setTransferHook([&](FsCall, const std::string&, const std::string&) {
                if (transfers++ == at) stop.request();
                return std::optional<ErrorCode>();
            });
            ScriptedPrompter prompter;
            const std::string journal = run.run(fileSystem, prompter, moveMode, &stop);
            EXPECT_EQ(run.report.filesTransferred, at + 1);

            const UndoResult result =
                executeUndo(realFileSystem(), planUndo(realFileSystem(), journal));
            EXPECT_TRUE(result.left.empty());
            run.expectAsBefore();
        }
    }
}

#ifndef _WIN32  // the killed run is a child made with fork()
// The process is ended (as by a crash or a kill) at a chosen action, before
// it started or after it was done but not yet recorded; the undo finds on
// the disk what was done and takes back exactly that.
TEST(RunUndoTest, undoesARunKilledAtAnyAction) {
    for (const int32_t moveMode : {0, 1}) {
        // 8 actions: 3 folders and 5 transfers.
        for (int action = 1; action <= 8; ++action) {
            for (const JournalPhase phase : {JournalPhase::Announced, JournalPhase::Performed}) {
                SCOPED_TRACE(std::string(moveMode == 1 ? "move" : "copy") + ", killed at action " +
                             std::to_string(action) +
                             (phase == JournalPhase::Announced ? " before it" : " after it"));
                TwoAlbums run;
                const pid_t child = ::fork();
                ASSERT_GE(child, 0);
                if (child == 0) {
                    ScriptedPrompter prompter;
                    prompter.allowUnusedAnswers();
                    run.run(realFileSystem(), prompter, moveMode, nullptr,
                            [&](int number, JournalPhase at) {
                                if (number == action && at == phase) ::_exit(0);
                            });
                    ::_exit(3);  // never reached the action
                }
                int status = 0;
                ::waitpid(child, &status, 0);
                ASSERT_TRUE(WIFEXITED(status));
                ASSERT_EQ(WEXITSTATUS(status), 0);

                run.undoLatestAndExpectAsBefore();
            }
        }
    }
}

// Killed in the middle of a copy: the unfinished copy under its temporary
// name goes too, and the picture is whole at its source.
TEST(RunUndoTest, removesTheUnfinishedCopyOfAKilledRun) {
    for (const int32_t moveMode : {0, 1}) {
        TwoAlbums run;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            FaultyFileSystem fileSystem;
            int transfers = 0;
            fileSystem.setTransferHook([&](FsCall, const std::string&, const std::string& target) {
                if (transfers++ == 2) {
                    const std::string folder = fs::path(target).parent_path().string();
                    std::ofstream(folder + test::nativePath("/.lumora-") +
                                  std::to_string(::getpid()) + "-7.part")
                        << "half a pict";
                    ::_exit(0);
                }
                return std::optional<ErrorCode>();
            });
            ScriptedPrompter prompter;
            prompter.allowUnusedAnswers();
            run.run(fileSystem, prompter, moveMode);
            ::_exit(3);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

        const std::string journal = latestJournal(realFileSystem(), run.bench.target);
        const UndoResult result =
            executeUndo(realFileSystem(), planUndo(realFileSystem(), journal));
        EXPECT_TRUE(result.left.empty());
        run.expectAsBefore();
    }
}

#endif

TEST(RunUndoTest, leavesAPictureEditedAfterTheRunAndSaysWhy) {
    TwoAlbums run;
    ScriptedPrompter prompter;
    const std::string journal = run.run(realFileSystem(), prompter, 0);
    const std::string edited = run.bench.target + test::nativePath("/Paris/Paris-5.jpg");
    std::ofstream(edited, std::ios::app) << "retouched";

    const UndoResult result = executeUndo(realFileSystem(), planUndo(realFileSystem(), journal));

    ASSERT_EQ(result.left.size(), 2u);
    EXPECT_EQ(describeUndoStep(result.left[0]), "leave: " + edited + ": changed since the run");
    EXPECT_EQ(describeUndoStep(result.left[1]),
              "leave: " + run.bench.target +
                  test::nativePath("/Paris: the folder holds 1 name the run did not put there"));
    EXPECT_EQ(result.copiesRemoved, 4);
    EXPECT_NE(test::readFile(edited).find("retouched"), std::string::npos);
    EXPECT_EQ(tree(run.bench.source), run.sourceBefore);
}

TEST(RunUndoTest, neverMovesOntoANewFileAtASourcePath) {
    TwoAlbums run;
    ScriptedPrompter prompter;
    const std::string journal = run.run(realFileSystem(), prompter, 1);
    const std::string taken = run.bench.pictures[3].path;
    run.bench.temp.writeFile("source/IMG_4.JPG", "a new picture");

    const UndoPlan plan = planUndo(realFileSystem(), journal);
    const UndoResult result = executeUndo(realFileSystem(), plan);

    EXPECT_EQ(result.movedBack, 4);
    ASSERT_EQ(result.left.size(), 2u);
    const std::string moved = run.bench.target + test::nativePath("/Paris/Paris-4.jpg");
    EXPECT_EQ(describeUndoStep(result.left[0]),
              "leave: " + moved + ": a file now stands at " + taken);
    EXPECT_EQ(test::readFile(taken), "a new picture");
    EXPECT_EQ(test::readFile(moved), run.bench.contents[3]);
}

// A Yes to "Overwrite?" sets the old file aside in the journal's folder;
// the undo puts it back, and forgetting the journal removes it for good.
TEST(RunUndoTest, restoresAFileAReplaceSetAsideAndForgetsIt) {
    for (const int32_t moveMode : {0, 1}) {
        TwoAlbums run;
        const std::string old = run.bench.temp.writeFile("target/Paris/Paris-4.jpg", "old one");
        run.targetBefore = tree(run.bench.target);
        ScriptedPrompter prompter;
        prompter.answer(kAnswerYes);  // "Directory already exists( Paris)! Continue?"
        prompter.answer(kAnswerYes);  // ... already exists! Overwrite?
        const std::string journal = run.run(realFileSystem(), prompter, moveMode);
        ASSERT_EQ(test::readFile(old), run.bench.contents[3]);

        const UndoResult result =
            executeUndo(realFileSystem(), planUndo(realFileSystem(), journal));
        EXPECT_EQ(result.restored, 1);
        EXPECT_TRUE(result.left.empty());
        run.expectAsBefore();
        EXPECT_EQ(test::readFile(old), "old one");

        std::string problem;
        EXPECT_TRUE(forgetJournal(realFileSystem(), journal, problem)) << problem;
        EXPECT_EQ(namesIn(run.bench.target), std::vector<std::string>{"Paris"});
    }
}

// Before the old file leaves its name, the record of where it goes is on
// the disk; a journal that cannot be flushed stops the replace instead.
TEST(RunUndoTest, theSetAsideIsRecordedOnTheDiskBeforeTheFileIsMoved) {
    TwoAlbums run;
    const std::string old = run.bench.temp.writeFile("target/Paris/Paris-4.jpg", "old one");
    FaultyFileSystem fileSystem;
    ScriptedPrompter prompter;
    prompter.answer(kAnswerYes).answer(kAnswerYes);
    const std::string journal = run.run(fileSystem, prompter, 0);
    const auto& calls = fileSystem.calls();
    const auto aside = std::find_if(calls.begin(), calls.end(), [&](const auto& call) {
        return call.first == FsCall::MoveFile && call.second == old;
    });
    ASSERT_NE(aside, calls.end());
    const auto flush = std::find_if(calls.begin(), aside, [&](const auto& call) {
        return call.first == FsCall::Flush && call.second == journal;
    });
    EXPECT_NE(flush, aside) << "the journal was not flushed before the set-aside";
}

TEST(RunUndoTest, forgettingARunNotUndoneRemovesWhatItSetAside) {
    TwoAlbums run;
    run.bench.temp.writeFile("target/Paris/Paris-4.jpg", "old one");
    ScriptedPrompter prompter;
    prompter.answer(kAnswerYes).answer(kAnswerYes);
    const std::string journal = run.run(realFileSystem(), prompter, 0);
    EXPECT_EQ(namesIn(journalFolder(run.bench.target)).size(), 2u);  // the journal, the set-aside

    std::string problem;
    ASSERT_TRUE(forgetJournal(realFileSystem(), journal, problem)) << problem;
    EXPECT_FALSE(test::fileExists(run.bench.target + test::nativePath("/") + kJournalFolderName));
    EXPECT_EQ(test::readFile(run.bench.target + test::nativePath("/Paris/Paris-4.jpg")),
              run.bench.contents[3]);
}

// A move finds a whole copy of a picture already in place (an earlier run's)
// and only removes the source: the undo copies it back from there, and the
// copy stays, as it was there before the run.
TEST(RunUndoTest, copiesBackASourceRemovedBesideAWholeCopy) {
    TwoAlbums run;
    run.bench.temp.writeFile("target/Paris/Paris-4.jpg", run.bench.contents[3]);
    run.targetBefore = tree(run.bench.target);
    ScriptedPrompter prompter;
    prompter.answer(kAnswerYes);  // "Directory already exists( Paris)! Continue?"
    const std::string journal = run.run(realFileSystem(), prompter, 1);
    ASSERT_EQ(run.report.arrived.size(), 1u);
    ASSERT_FALSE(test::fileExists(run.bench.pictures[3].path));

    const UndoResult result = executeUndo(realFileSystem(), planUndo(realFileSystem(), journal));
    EXPECT_EQ(result.restored, 1);
    EXPECT_EQ(result.movedBack, 4);
    EXPECT_TRUE(result.left.empty());
    run.expectAsBefore();
}

// The card's paths of the pair of IMG_1 (the picture, its raw and its
// sidecar), and where the run's journal says each went.
struct Pair {
    explicit Pair(TwoAlbums& run) {
        for (const char* name : {"IMG_1.CR2", "IMG_1.xmp"})
            sources.push_back(run.bench.temp.writeFile(std::string("source/") + name, name));
        sources.push_back(run.bench.pictures[0].path);
        run.sourceBefore = tree(run.bench.source);
    }

    // Whether a path is one of the pair's, at the source or at a target.
    bool has(const std::string& path, const RunJournalContents& journal) const {
        for (const std::string& source : sources) {
            if (path == source) return true;
            for (const JournalAction& action : journal.actions)
                if (action.source == source && action.target == path) return true;
        }
        return false;
    }

    std::vector<std::string> sources;
};

// A companion that cannot follow takes its picture and the companions that
// moved back to the card: those steps are in the journal, so the undo leaves
// the pair at home, reports nothing of it, and never moves it to the target.
TEST(RunUndoTest, leavesAPairTheRunMovedBackAtItsSource) {
    for (const bool copiedInstead : {false, true}) {
        SCOPED_TRACE(copiedInstead ? "the picture copied instead" : "the picture moved");
        TwoAlbums run;
        Pair pair(run);
        const std::string picture = run.bench.pictures[0].path;
        const std::string sidecar = run.bench.source + test::nativePath("/IMG_1.xmp");
        FaultyFileSystem fileSystem;
        fileSystem.failPath(FsCall::MoveFile, sidecar, kErrorSharingViolation);
        fileSystem.failPath(FsCall::CopyFile, sidecar, kErrorSharingViolation);
        ScriptedPrompter prompter;
        if (copiedInstead) {
            // The picture stays on the card and a copy of it arrives: the
            // move back removes that copy.
            fileSystem.failPath(FsCall::MoveFile, picture, kErrorSharingViolation);
            prompter.answer(kAnswerIgnore).answer(kAnswerOk);
        }
        // The sidecar: Ignore, "Copy instead of move?" Ok, Ignore.
        prompter.answer(kAnswerIgnore).answer(kAnswerOk).answer(kAnswerIgnore);
        const std::string journal = run.run(fileSystem, prompter, 1);
        ASSERT_EQ(run.report.filesTransferred, 4);
        ASSERT_EQ(run.report.untransferred.size(), 1u);
        ASSERT_EQ(run.report.untransferred[0].outcome, FileOutcome::PairKept);
        ASSERT_TRUE(run.report.splitPairs.empty());
        for (const std::string& source : pair.sources)
            ASSERT_TRUE(test::fileExists(source)) << source;

        const UndoPlan plan = planUndo(realFileSystem(), journal);
        ASSERT_TRUE(plan.refusal.empty()) << plan.refusal;
        int movedBack = 0;
        for (const JournalAction& action : plan.journal.actions)
            if (action.kind == JournalActionKind::MoveBack &&
                action.state == JournalActionState::Done)
                ++movedBack;
        EXPECT_EQ(movedBack, 2);  // the picture (or its copy) and the raw
        for (const UndoStep& step : plan.steps) {
            EXPECT_NE(step.kind, UndoStepKind::Leave) << describeUndoStep(step);
            EXPECT_FALSE(pair.has(step.path, plan.journal)) << describeUndoStep(step);
            EXPECT_FALSE(pair.has(step.to, plan.journal)) << describeUndoStep(step);
        }
        FaultyFileSystem undoing;
        const UndoResult result = executeUndo(undoing, plan);
        EXPECT_EQ(result.movedBack, 4);
        EXPECT_TRUE(result.left.empty());
        for (const auto& [call, path] : undoing.calls()) {
            if (call == FsCall::MoveFile || call == FsCall::CopyFile ||
                call == FsCall::RemoveFile) {
                EXPECT_FALSE(pair.has(path, plan.journal)) << path;
            }
        }
        run.expectAsBefore();
        EXPECT_EQ(namesIn(run.bench.target), std::vector<std::string>{kJournalFolderName});
    }
}

#ifndef _WIN32  // the killed run is a child made with fork()
// Killed at any action of such a run, before it or after it and before it
// was recorded: the undo finds on the disk whether the pair went back.
TEST(RunUndoTest, undoesARunWithAPairMovedBackKilledAtAnyAction) {
    for (int action = 1;; ++action) {
        bool reached = true;
        for (const JournalPhase phase : {JournalPhase::Announced, JournalPhase::Performed}) {
            SCOPED_TRACE("killed at action " + std::to_string(action) +
                         (phase == JournalPhase::Announced ? " before it" : " after it"));
            TwoAlbums run;
            Pair pair(run);
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                FaultyFileSystem fileSystem;
                const std::string sidecar = run.bench.source + test::nativePath("/IMG_1.xmp");
                fileSystem.failPath(FsCall::MoveFile, sidecar, kErrorSharingViolation);
                fileSystem.failPath(FsCall::CopyFile, sidecar, kErrorSharingViolation);
                ScriptedPrompter prompter;
                prompter.allowUnusedAnswers();
                prompter.answer(kAnswerIgnore).answer(kAnswerOk).answer(kAnswerIgnore);
                run.run(fileSystem, prompter, 1, nullptr, [&](int number, JournalPhase at) {
                    if (number == action && at == phase) ::_exit(0);
                });
                ::_exit(3);  // never reached the action
            }
            int status = 0;
            ::waitpid(child, &status, 0);
            ASSERT_TRUE(WIFEXITED(status));
            if (WEXITSTATUS(status) == 3) {
                // A failed action is never performed; past the last, none is announced.
                reached = phase == JournalPhase::Performed;
                break;
            }
            ASSERT_EQ(WEXITSTATUS(status), 0);

            run.undoLatestAndExpectAsBefore();
        }
        if (!reached) {
            EXPECT_GT(action, 12);  // 3 folders, 7 transfers, 2 moves back
            break;
        }
    }
}

#endif

// A companion an earlier, stopped run already placed whole: the move only
// removes its source, and the undo copies it back from there.
TEST(RunUndoTest, copiesBackACompanionSourceRemovedBesideAWholeCopy) {
    TwoAlbums run;
    run.bench.temp.writeFile("source/IMG_4.CR2", "raw four");
    run.bench.temp.writeFile("target/Paris/Paris-4.CR2", "raw four");
    run.sourceBefore = tree(run.bench.source);
    run.targetBefore = tree(run.bench.target);
    ScriptedPrompter prompter;
    prompter.answer(kAnswerYes);  // "Directory already exists( Paris)! Continue?"
    const std::string journal = run.run(realFileSystem(), prompter, 1);
    ASSERT_FALSE(test::fileExists(run.bench.source + test::nativePath("/IMG_4.CR2")));

    const UndoResult result = executeUndo(realFileSystem(), planUndo(realFileSystem(), journal));
    EXPECT_EQ(result.restored, 1);
    EXPECT_EQ(result.movedBack, 5);
    EXPECT_TRUE(result.left.empty());
    run.expectAsBefore();
}

// The companions a move took along go back with their pictures, and are
// counted apart from them.
TEST(RunUndoTest, movesCompanionsBackAndCountsThemApart) {
    TwoAlbums run;
    Pair pair(run);
    ScriptedPrompter prompter;
    const std::string journal = run.run(realFileSystem(), prompter, 1);
    ASSERT_EQ(run.report.filesTransferred, 5);
    for (const std::string& source : pair.sources) ASSERT_FALSE(test::fileExists(source)) << source;

    const UndoPlan plan = planUndo(realFileSystem(), journal);
    EXPECT_EQ(undoCountsText(countPlan(plan)),
              "5 pictures moved back, 2 companion files moved back, 0 copies removed, "
              "3 folders removed");
    const UndoResult result = executeUndo(realFileSystem(), plan);
    EXPECT_EQ(result.movedBack, 5);
    EXPECT_EQ(result.companionsMovedBack, 2);
    EXPECT_TRUE(result.left.empty());
    run.expectAsBefore();
}

#ifndef _WIN32  // /dev/shm and /tmp
TEST(RunUndoTest, movesBackAcrossTwoFileSystems) {
    struct stat shm {
    }, tmp{};
    if (::stat("/dev/shm", &shm) != 0 || ::stat("/tmp", &tmp) != 0 || shm.st_dev == tmp.st_dev)
        GTEST_SKIP() << "/dev/shm and /tmp are one file system here";
    TwoAlbums run;
    char pattern[] = "/dev/shm/lumora-undo-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string other = pattern;
    run.bench.target = other;
    run.targetBefore = tree(other);

    ScriptedPrompter prompter;
    const std::string journal = run.run(realFileSystem(), prompter, 1);
    EXPECT_EQ(run.report.filesTransferred, 5);
    const UndoResult result = executeUndo(realFileSystem(), planUndo(realFileSystem(), journal));
    EXPECT_EQ(result.movedBack, 5);
    EXPECT_TRUE(result.left.empty());
    run.expectAsBefore();
    std::error_code error;
    fs::remove_all(other, error);
}

#endif

TEST(RunUndoTest, aPreviewWritesNoJournal) {
    TwoAlbums run;
    ScriptedPrompter prompter;
    ProcessSettings settings;
    settings.targetDirectory = run.bench.target;
    settings.planOnly = true;
    RunJournal journal(realFileSystem(), JournalSetup{run.bench.target, "", 0, {}});
    ProcessServices services{realFileSystem(), prompter, run.bench.upper, run.bench.lower};
    services.journal = &journal;
    processAlbums(run.bench.albums, run.bench.pictures, settings, services);
    EXPECT_TRUE(journal.path().empty());
    EXPECT_TRUE(namesIn(run.bench.target).empty());
}

TEST(JournalFormatTest, keepsEveryFieldAndPassesOverATornLastRecord) {
    const std::vector<std::string> fields{"copy", "1", "a\tb\\c\nd", "", "ü.jpg"};
    const std::string line = encodeRecord(fields);
    ASSERT_EQ(line.back(), '\n');
    EXPECT_EQ(decodeRecord(line.substr(0, line.size() - 1)), fields);
    // Cut anywhere, or one byte changed, the record is no record.
    for (size_t cut = 0; cut + 1 < line.size(); ++cut)
        EXPECT_FALSE(decodeRecord(line.substr(0, cut))) << cut;
    std::string garbled = line.substr(0, line.size() - 1);
    garbled[3] = 'x';
    EXPECT_FALSE(decodeRecord(garbled));

    TwoAlbums run;
    ScriptedPrompter prompter;
    const std::string journal = run.run(realFileSystem(), prompter, 0);
    const auto size = fs::file_size(journal);
    fs::resize_file(journal, size - 3);
    RunJournalContents contents;
    std::string problem;
    ASSERT_TRUE(readRunJournal(realFileSystem(), journal, contents, problem)) << problem;
    EXPECT_EQ(contents.unreadRecords, 1);
    EXPECT_FALSE(contents.ended);
    EXPECT_EQ(contents.actions.size(), 8u);
    EXPECT_EQ(contents.albums.size(), 2u);
}

}  // namespace
}  // namespace lumora
