#include "app/SessionCommands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "albums/PictureSort.h"
#include "session/SessionFile.h"
#include "session/SessionLoad.h"
#include "tests/session/SessionWork.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

using test::ScriptedPrompter;

constexpr const char* kZeroDateWarning =
    "Warning! Lumora found 1 pictures that have date and time set to zero! Date and time was "
    "modified for those pictures in order to run Lumora. New date and time was taken from file "
    "information. Be aware that date and time may not be the same as real time when those "
    "pictures was shot.";

class RecordingSink : public ProgressSink {
  public:
    void setStatus(const std::string& text) override { statuses.push_back(text); }
    std::vector<std::string> statuses;
};

class SessionCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeSourcePictures(source);
        ScriptedPrompter prompter;
        prompter.expect(kZeroDateWarning, "", Buttons::Ok, kAnswerOk);
        test::buildWork(work, source.path(), prompter);
        sessionPath = files.file("work.lsn");
    }

    // Saves the work and returns the state it was left in.
    std::vector<std::string> save() {
        ScriptedPrompter prompter;
        EXPECT_EQ(saveSessionCommand(work, sessionPath, prompter), SessionResult::Done);
        return test::snapshot(work);
    }

    std::vector<uint8_t> savedBytes() {
        std::vector<uint8_t> bytes;
        ErrorCode error = kErrorSuccess;
        EXPECT_TRUE(readWholeFile(realFileSystem(), sessionPath, bytes, error));
        return bytes;
    }

    test::TzGuard zone{"UTC0"};
    FixedClock clock{1700000000};
    test::TempDir source;
    test::TempDir files;
    Workspace work{realFileSystem(), clock};
    std::string sessionPath;
};

TEST_F(SessionCommands, saveLeavesThePicturesInDateOrder) {
    save();
    const PictureList& pictures = work.pictures();
    ASSERT_EQ(pictures.size(), 9u);
    for (size_t i = 1; i < pictures.size(); ++i) {
        EXPECT_LE(pictures[i - 1].dateTime, pictures[i].dateTime) << i;
    }
    EXPECT_EQ(pictures[1].path, source.file("B.jpg"));
    EXPECT_EQ(pictures[2].path, source.file("a.jpg"));
    ASSERT_EQ(work.removedPictures.size(), 1u);
    EXPECT_EQ(work.removedPictures[0].path, source.file("h.jpg"));
}

TEST_F(SessionCommands, aRoundTripGivesBackTheWholeWork) {
    const std::vector<std::string> saved = save();
    const AlbumList savedAlbums = work.albums;

    Workspace loaded{realFileSystem(), clock};
    ScriptedPrompter prompter;
    prompter.expect(kZeroDateWarning, "", Buttons::Ok, kAnswerOk);
    RecordingSink sink;
    EXPECT_EQ(loadSessionCommand(loaded, test::fileNamed(sessionPath), prompter, sink),
              SessionResult::Done);
    EXPECT_EQ(test::snapshot(loaded), saved);
    EXPECT_EQ(loaded.albums, savedAlbums);
    EXPECT_EQ(loaded.filmBuilt, 0);
    EXPECT_EQ(sink.statuses,
              (std::vector<std::string>{"Scaning source directory. Please Wait...",
                                        "Found 10 .JPG pictures that have exif information.",
                                        "9 unique .JPG Files with exif information. Duplicates 1. "
                                        "Removed 1"}));

    // Saving what was loaded gives the same file again.
    const std::vector<uint8_t> first = savedBytes();
    ScriptedPrompter quiet;
    EXPECT_EQ(saveSessionCommand(loaded, sessionPath, quiet), SessionResult::Done);
    EXPECT_EQ(savedBytes(), first);
}

TEST_F(SessionCommands, loadingOverAlbumsAsksFirst) {
    const std::vector<std::string> saved = save();
    {
        ScriptedPrompter prompter;
        prompter.expect("Filters will be lost. Continue to load session?", "Warning",
                        Buttons::OkCancel, kAnswerCancel);
        bool asked = false;
        const ChooseFile chooser = [&] {
            asked = true;
            return std::optional<std::string>(sessionPath);
        };
        EXPECT_EQ(loadSessionCommand(work, chooser, prompter, nullProgress()),
                  SessionResult::Cancelled);
        EXPECT_FALSE(asked);
        EXPECT_EQ(test::snapshot(work), saved);
    }
    ScriptedPrompter prompter;
    prompter.expect("Filters will be lost. Continue to load session?", "Warning", Buttons::OkCancel,
                    kAnswerOk);
    prompter.expect(kZeroDateWarning, "", Buttons::Ok, kAnswerOk);
    EXPECT_EQ(loadSessionCommand(work, test::fileNamed(sessionPath), prompter, nullProgress()),
              SessionResult::Done);
    EXPECT_EQ(test::snapshot(work), saved);
}

TEST_F(SessionCommands, aChangedSourceIsNamedAndLeavesTheWorkAsItWas) {
    save();
    const std::vector<std::string> before = test::snapshot(work);
    const std::vector<uint8_t> fBytes = test::exifPicture("2005:06:01 12:00:00");
    struct Change {
        const char* name;
        std::function<void()> make;
        std::string told;
    };
    const std::string modified = "Source directory was modified. Session could not be loaded!\n";
    const Change changes[] = {
        {"added",
         [&] { source.writeFile("Sub/new.jpg", test::exifPicture("2006:01:01 10:00:00")); },
         source.path() + " holds 11 pictures, the session 10 pictures: 1 picture was added."},
        {"missing",
         [&] {
             ASSERT_EQ(realFileSystem().removeFile(source.file("Sub/new.jpg")), kErrorSuccess);
             ASSERT_EQ(realFileSystem().removeFile(source.file("f.jpg")), kErrorSuccess);
             ASSERT_EQ(realFileSystem().removeFile(source.file("B.jpg")), kErrorSuccess);
         },
         source.path() + " holds 8 pictures, the session 10 pictures: 2 pictures are missing."},
        {"resized",
         [&] {
             source.writeFile("B.jpg", test::exifPicture("2005:03:01 10:00:00"));
             std::vector<uint8_t> bigger = fBytes;
             bigger.resize(bigger.size() + 100, 0);  // bytes after the picture's end
             source.writeFile("f.jpg", bigger);
         },
         ""},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        change.make();
        ScriptedPrompter prompter;
        prompter.expect("Filters will be lost. Continue to load session?", "Warning",
                        Buttons::OkCancel, kAnswerOk);
        prompter.expect(kZeroDateWarning, "", Buttons::Ok, kAnswerOk);
        prompter.answer(kAnswerOk);
        RecordingSink status;
        EXPECT_EQ(loadSessionCommand(work, test::fileNamed(sessionPath), prompter, status),
                  SessionResult::SourceModified);
        // The status line shows the work's own status again.
        ASSERT_FALSE(status.statuses.empty());
        EXPECT_EQ(status.statuses.back(), work.statusText);
        ASSERT_EQ(prompter.questions().size(), 3u);
        const std::string told = prompter.questions().back().text;
        EXPECT_EQ(prompter.questions().back().caption, "Warning");
        if (!change.told.empty()) {
            EXPECT_EQ(told, modified + change.told);
        } else {
            EXPECT_EQ(told.rfind(modified + source.path() +
                                     " holds 10 pictures, the session 10 pictures: a picture was "
                                     "resized or replaced (",
                                 0),
                      0u)
                << told;
        }
        EXPECT_EQ(test::snapshot(work), before);
    }
}

TEST_F(SessionCommands, aPictureReplacedByOneOfTheSameSizeIsNotNoticed) {
    save();
    // early.jpg, the first in date order, now holds a picture taken last.
    const std::vector<uint8_t> later = test::exifPicture("2007:07:07 07:07:07");
    ASSERT_EQ(later.size(), test::exifPicture("2005:03:01 09:00:00").size());
    source.writeFile("early.jpg", later);

    Workspace loaded{realFileSystem(), clock};
    ScriptedPrompter prompter;
    prompter.expect(kZeroDateWarning, "", Buttons::Ok, kAnswerOk);
    EXPECT_EQ(loadSessionCommand(loaded, test::fileNamed(sessionPath), prompter, nullProgress()),
              SessionResult::Done);
    // Every stored state moved one place down the date order: B.jpg, now
    // first, carries what early.jpg had, and so on.
    const PictureList& pictures = loaded.pictures();
    ASSERT_EQ(pictures.size(), 9u);
    EXPECT_EQ(pictures[0].path, source.file("B.jpg"));
    EXPECT_EQ(pictures[0].albumId, 1);
    EXPECT_EQ(pictures[0].isNegative, 0);
    EXPECT_STREQ(pictures[0].exif->customName, "");
    EXPECT_EQ(pictures[1].path, source.file("a.jpg"));
    EXPECT_STREQ(pictures[1].exif->customName, "burst B.jpg");
    EXPECT_EQ(pictures[1].isNegative, 1);
}

TEST_F(SessionCommands, everyTruncatedFileIsRefusedAndTheWorkStaysAsItWas) {
    save();
    const std::vector<uint8_t> bytes = savedBytes();
    // Without albums nothing is asked and nothing may change.
    work.albums.clear();
    const std::vector<std::string> before = test::snapshot(work);
    const std::string cut = files.file("cut.lsn");
    for (size_t size = 0; size < bytes.size(); ++size) {
        files.writeFile("cut.lsn", std::vector<uint8_t>(bytes.begin(), bytes.begin() + size));
        ScriptedPrompter prompter;
        prompter.expect("File could not be loaded!", "", Buttons::Ok, kAnswerOk);
        ASSERT_EQ(loadSessionCommand(work, test::fileNamed(cut), prompter, nullProgress()),
                  SessionResult::Failed)
            << "size " << size;
        ASSERT_EQ(work.statusText, before[2].substr(7)) << "size " << size;
        ASSERT_EQ(work.pictures().size(), 9u) << "size " << size;
    }
    // A rescan or anything applied would have left its trace.
    EXPECT_EQ(test::snapshot(work), before);
}

TEST_F(SessionCommands, aRefusedFileOrACancelledDialogAfterTheQuestionLeavesTheWorkAsItWas) {
    save();
    std::vector<uint8_t> bytes = savedBytes();
    bytes.resize(bytes.size() - 280);  // one record short, cut at a record boundary
    files.writeFile("short.lsn", bytes);
    const std::vector<std::string> before = test::snapshot(work);
    ASSERT_FALSE(work.albums.empty());

    ScriptedPrompter prompter;
    prompter.expect("Filters will be lost. Continue to load session?", "Warning", Buttons::OkCancel,
                    kAnswerOk);
    prompter.expect("File could not be loaded!", "", Buttons::Ok, kAnswerOk);
    EXPECT_EQ(loadSessionCommand(work, test::fileNamed(files.file("short.lsn")), prompter,
                                 nullProgress()),
              SessionResult::Failed);
    EXPECT_EQ(test::snapshot(work), before);

    prompter.expect("Filters will be lost. Continue to load session?", "Warning", Buttons::OkCancel,
                    kAnswerOk);
    prompter.expect("File not loaded!", "", Buttons::Ok, kAnswerOk);
    EXPECT_EQ(loadSessionCommand(
                  work, [] { return std::optional<std::string>(); }, prompter, nullProgress()),
              SessionResult::Cancelled);
    EXPECT_EQ(test::snapshot(work), before);
}

TEST_F(SessionCommands, corruptedCountsAndLengthsAreRefused) {
    save();
    const std::vector<uint8_t> good = savedBytes();
    work.albums.clear();
    const std::vector<std::string> before = test::snapshot(work);
    const size_t albumCountAt =
        20 + 4 + source.path().size() + 4 + std::string("/albums/out").size();
    const std::pair<size_t, uint32_t> corruptions[] = {
        {20, 0x80000000u},                                    // source length 2^31
        {20, 0x7FFFFFFFu},                                    // source length beyond the file
        {albumCountAt, 0xFFFFFFFFu},                          // album count -1
        {albumCountAt, 0x00010000u},                          // more albums than the file can hold
        {albumCountAt, 2u},                                   // one album fewer than stored
        {albumCountAt + 4 + 60, 0x80000000u},                 // the first camera make
        {good.size() - 9 * 280 - 1 * 280 - 12, 0xFFFFFFFFu},  // picture count -1
        {good.size() - 10 * 280 - 12, 11u},                   // more pictures than records
        {good.size() - 10 * 280 - 20, 1000u},                 // scanned count beyond the file
    };
    for (const auto& [offset, value] : corruptions) {
        SCOPED_TRACE(offset);
        std::vector<uint8_t> bytes = good;
        for (int i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
        files.writeFile("bad.lsn", bytes);
        ScriptedPrompter prompter;
        prompter.expect("File could not be loaded!", "", Buttons::Ok, kAnswerOk);
        EXPECT_EQ(loadSessionCommand(work, test::fileNamed(files.file("bad.lsn")), prompter,
                                     nullProgress()),
                  SessionResult::Failed);
        EXPECT_EQ(test::snapshot(work), before);
    }
}

TEST_F(SessionCommands, aFileWithRepeatedAlbumIdsIsRefusedAsDamaged) {
    ASSERT_GE(work.albums.size(), 2u);
    work.albums[1].id = work.albums[0].id;
    save();
    work.albums.clear();
    const std::vector<std::string> before = test::snapshot(work);
    ScriptedPrompter prompter;
    prompter.expect("File could not be loaded!", "", Buttons::Ok, kAnswerOk);
    EXPECT_EQ(loadSessionCommand(work, test::fileNamed(sessionPath), prompter, nullProgress()),
              SessionResult::Failed);
    EXPECT_EQ(test::snapshot(work), before);
}

TEST_F(SessionCommands, cancelledAndFailedCommandsTellTheUser) {
    {
        ScriptedPrompter prompter;
        prompter.expect("File not saved!", "", Buttons::Ok, kAnswerOk);
        EXPECT_EQ(saveSessionCommand(work, std::nullopt, prompter), SessionResult::Cancelled);
    }
    {
        ScriptedPrompter prompter;
        prompter.expect("File could not be saved!", "", Buttons::Ok, kAnswerOk);
        EXPECT_EQ(saveSessionCommand(work, files.file("missing/work.lsn"), prompter),
                  SessionResult::Failed);
    }
    {
        ScriptedPrompter prompter;
        prompter.expect("Filters will be lost. Continue to load session?", "Warning",
                        Buttons::OkCancel, kAnswerOk);
        prompter.expect("File not loaded!", "", Buttons::Ok, kAnswerOk);
        EXPECT_EQ(loadSessionCommand(
                      work, [] { return std::optional<std::string>(); }, prompter, nullProgress()),
                  SessionResult::Cancelled);
    }
    {
        work.albums.clear();
        ScriptedPrompter silent;
        EXPECT_EQ(loadSessionCommand(
                      work, [] { return std::optional<std::string>(); }, silent, nullProgress()),
                  SessionResult::Cancelled);
        EXPECT_TRUE(silent.questions().empty());
    }
    ScriptedPrompter prompter;
    prompter.expect("File could not be loaded!", "", Buttons::Ok, kAnswerOk);
    EXPECT_EQ(
        loadSessionCommand(work, test::fileNamed(files.file("none.lsn")), prompter, nullProgress()),
        SessionResult::Failed);
}

TEST(SessionSaveFailure, aWriteErrorKeepsTheOldFileAndThePictures) {
    test::TzGuard zone{"UTC0"};
    FixedClock clock{1700000000};
    test::TempDir source;
    test::TempDir files;
    test::writeSourcePictures(source);
    test::FaultyFileSystem fileSystem;
    Workspace work{fileSystem, clock};
    ScriptedPrompter scan;
    scan.expect(kZeroDateWarning, "", Buttons::Ok, kAnswerOk);
    test::buildWork(work, source.path(), scan);
    const std::string path = files.writeFile("work.lsn", std::string("the good session"));

    fileSystem.failAfter(test::FsCall::Write, 0, kErrorHandleDiskFull);
    ScriptedPrompter prompter;
    prompter.expect("File could not be saved!", "", Buttons::Ok, kAnswerOk);
    EXPECT_EQ(saveSessionCommand(work, path, prompter), SessionResult::Failed);
    std::vector<uint8_t> bytes;
    ErrorCode error = kErrorSuccess;
    ASSERT_TRUE(readWholeFile(realFileSystem(), path, bytes, error));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "the good session");
    // The removed duplicate went back out of the picture list all the same.
    EXPECT_EQ(work.pictures().size(), 9u);
    EXPECT_EQ(work.removedPictures.size(), 1u);
}

TEST_F(SessionCommands, aReadOnlySessionFileIsNotReplaced) {
    const std::string path = files.writeFile("kept.lsn", std::string("the good session"));
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const std::vector<std::string> before = test::snapshot(work);
    ScriptedPrompter prompter;
    prompter.expect("File could not be saved!", "", Buttons::Ok, kAnswerOk);
    EXPECT_EQ(saveSessionCommand(work, path, prompter), SessionResult::Failed);
    std::vector<uint8_t> bytes;
    ErrorCode error = kErrorSuccess;
    ASSERT_TRUE(readWholeFile(realFileSystem(), path, bytes, error));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "the good session");
    EXPECT_EQ(test::snapshot(work), before);
}

TEST(LoadedDuplicatesStatus, choosesTheWordingByWhatWasRemoved) {
    EXPECT_EQ(loadedDuplicatesStatusText(10, 2, 10),
              "Found 10 .JPG Files with exif information. Duplicates 2. None removed");
    EXPECT_EQ(loadedDuplicatesStatusText(8, 2, 10),
              "8 unique .JPG Files with exif information. Duplicates 2. Removed 2");
    EXPECT_EQ(loadedDuplicatesStatusText(9, 2, 10),
              "Found 9 .JPG Files with exif information. Duplicates 2. Removed 1");
}

// Saved in Paris in January and loaded there in July: the same ranges and
// details, the same values, and editing an album keeps every picture.
TEST(SessionSeasons, aSessionSavedInWinterLoadsInSummerWithTheSameRangesAndPictures) {
    test::TzGuard zone("CET-1CEST,M3.5.0,M10.5.0/3");
    test::TempDir source;
    test::TempDir files;
    test::writeSourcePictures(source);
    const std::string path = files.file("winter.lsn");
    std::vector<std::string> saved;
    {
        FixedClock january(1705320000);
        Workspace work(realFileSystem(), january);
        ScriptedPrompter prompter;
        prompter.expect(kZeroDateWarning, "", Buttons::Ok, kAnswerOk);
        test::buildWork(work, source.path(), prompter);
        ASSERT_EQ(saveSessionCommand(work, path, prompter), SessionResult::Done);
        saved = test::snapshot(work);
    }
    FixedClock july(1721044800);
    Workspace work(realFileSystem(), july);
    ScriptedPrompter prompter;
    prompter.expect(kZeroDateWarning, "", Buttons::Ok, kAnswerOk);
    ASSERT_EQ(loadSessionCommand(work, test::fileNamed(path), prompter, nullProgress()),
              SessionResult::Done);
    EXPECT_EQ(test::snapshot(work), saved);

    for (size_t index = 0; index < work.albums.size(); ++index) {
        if (work.albums[index].processed != 0) continue;
        const int32_t id = work.albums[index].id;
        std::vector<std::string> members;
        for (const PictureEntry& entry : work.pictures()) {
            if (entry.albumId == id) members.push_back(entry.path);
        }
        ASSERT_TRUE(work.startEditAlbum(static_cast<int>(index), prompter));
        work.selectFilm();
        std::vector<std::string> inFilm;
        for (const PictureEntry& entry : work.film) {
            if (entry.albumId == id) inFilm.push_back(entry.path);
        }
        std::sort(members.begin(), members.end());
        std::sort(inFilm.begin(), inFilm.end());
        EXPECT_EQ(inFilm, members) << work.albums[index].name;
        work.finishAlbumDialog(DialogEnd::Discard, prompter);
    }
}

}  // namespace
}  // namespace lumora
