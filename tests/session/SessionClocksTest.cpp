// Camera clock corrections in the session file: a block after the picture
// records, written only when a correction is set.
#include <gtest/gtest.h>

#include <vector>

#include "app/CameraClockChange.h"
#include "app/SessionCommands.h"
#include "platform/FileSystem.h"
#include "session/ClockBlock.h"
#include "session/SessionDecoder.h"
#include "session/SessionFile.h"
#include "tests/session/SessionWork.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

using test::ScriptedPrompter;

std::vector<uint8_t> picture(const char* when, const char* make, const char* model, uint32_t seed) {
    test::PictureSpec spec;
    spec.dateTimeOriginal = when;
    spec.make = make;
    spec.model = model;
    spec.seed = seed;
    return test::exifPicture(spec);
}

class SessionClocks : public ::testing::Test {
  protected:
    void SetUp() override {
        // The Canon's clock is an hour and a half behind: corrected, its
        // pictures come between the Nikon's.
        source.writeFile("n1.jpg", picture("2024:07:14 10:00:00", "NIKON", "E995", 1));
        source.writeFile("n2.jpg", picture("2024:07:14 11:00:00", "NIKON", "E995", 2));
        source.writeFile("c1.jpg", picture("2024:07:14 09:00:00", "Canon", "EOS 5D", 3));
        source.writeFile("c2.jpg", picture("2024:07:14 09:10:00", "Canon", "EOS 5D", 4));
        ScriptedPrompter prompter;
        work.setSource(source.path(), prompter, nullProgress());
        work.selectTarget(files.makeDir("out"), prompter);
        work.assignPictureIds();
        Album& album = appendNewAlbum(work.albums);
        album.name = "Day";
        album.unsaved = 0;
        album.startKey = album.startTime = work.pictures().front().dateTime;
        album.endKey = album.endTime = work.pictures().back().dateTime;
        for (PictureEntry& entry : work.pictures()) entry.albumId = album.id;
        album.pictureCount = 4;
        sessionPath = files.file("work.lsn");
    }

    std::vector<uint8_t> saveBytes(Workspace& workspace) {
        ScriptedPrompter quiet;
        EXPECT_EQ(saveSessionCommand(workspace, sessionPath, quiet), SessionResult::Done);
        std::vector<uint8_t> bytes;
        ErrorCode error = kErrorSuccess;
        EXPECT_TRUE(readWholeFile(realFileSystem(), sessionPath, bytes, error));
        return bytes;
    }

    void correctTheCanon() {
        CameraClocks clocks;
        setClockSeconds(clocks, CameraId{"Canon", "EOS 5D"}, 90 * 60);
        ScriptedPrompter prompter;
        ASSERT_TRUE(changeCameraClocks(work, clocks, prompter));
    }

    std::vector<std::string> order(Workspace& workspace) {
        std::vector<std::string> names;
        for (const PictureEntry& entry : workspace.pictures()) {
            names.push_back(entry.path.substr(lastPathSeparator(entry.path) + 1));
        }
        return names;
    }

    test::TzGuard zone{"UTC0"};
    test::TempDir source;
    test::TempDir files;
    Workspace work;
    std::string sessionPath;
};

// The records keep the order of the times the cameras wrote, so the file
// is the one written without corrections with the block after it.
TEST_F(SessionClocks, aCorrectionOnlyAppendsItsBlock) {
    const std::vector<uint8_t> without = saveBytes(work);
    correctTheCanon();
    EXPECT_EQ(order(work), (std::vector<std::string>{"n1.jpg", "c1.jpg", "c2.jpg", "n2.jpg"}));
    const std::vector<uint8_t> with = saveBytes(work);
    ASSERT_GT(with.size(), without.size());
    EXPECT_TRUE(std::equal(without.begin(), without.end(), with.begin()));
    EXPECT_EQ(std::vector<uint8_t>(with.begin() + static_cast<long>(without.size()),
                                   with.begin() + static_cast<long>(without.size()) + 4),
              std::vector<uint8_t>({'L', 'C', 'L', 'K'}));
    // Saving leaves the list in the order of the corrected times.
    EXPECT_EQ(order(work), (std::vector<std::string>{"n1.jpg", "c1.jpg", "c2.jpg", "n2.jpg"}));

    // Taking the correction away gives the file without any block again.
    ScriptedPrompter prompter;
    ASSERT_TRUE(changeCameraClocks(work, CameraClocks{}, prompter));
    EXPECT_EQ(saveBytes(work), without);
}

TEST_F(SessionClocks, aRoundTripKeepsTheCorrections) {
    correctTheCanon();
    const std::vector<std::string> saved = test::snapshot(work);
    const std::vector<uint8_t> bytes = saveBytes(work);

    Workspace loaded;
    ScriptedPrompter prompter;
    ASSERT_EQ(loadSessionCommand(loaded, test::fileNamed(sessionPath), prompter, nullProgress()),
              SessionResult::Done);
    EXPECT_EQ(loaded.clocks, work.clocks);
    EXPECT_EQ(order(loaded), order(work));
    EXPECT_EQ(test::snapshot(loaded), saved);
    for (size_t i = 0; i < loaded.pictures().size(); ++i) {
        EXPECT_EQ(loaded.pictures()[i].dateTime, work.pictures()[i].dateTime) << i;
        EXPECT_EQ(loaded.pictures()[i].clockOffset, work.pictures()[i].clockOffset) << i;
    }
    EXPECT_EQ(saveBytes(loaded), bytes);
}

TEST_F(SessionClocks, aDamagedBlockIsRefused) {
    const std::vector<uint8_t> without = saveBytes(work);
    correctTheCanon();
    const std::vector<uint8_t> with = saveBytes(work);
    SessionData data;
    std::string problem;
    ASSERT_TRUE(decodeSession(with.data(), with.size(), data, problem)) << problem;
    EXPECT_EQ(data.clocks, work.clocks);

    // Cut anywhere inside the block.
    for (size_t size = without.size() + 1; size < with.size(); ++size) {
        EXPECT_FALSE(decodeSession(with.data(), size, data, problem)) << size;
        EXPECT_FALSE(problem.empty()) << size;
    }
    const auto refused = [&](std::vector<uint8_t> bytes) {
        SessionData read;
        std::string why;
        const bool ok = decodeSession(bytes.data(), bytes.size(), read, why);
        return !ok && !why.empty();
    };
    const size_t block = without.size();
    std::vector<uint8_t> bytes = with;
    bytes.push_back(0);  // a byte after the block
    EXPECT_TRUE(refused(bytes));
    bytes = with;
    bytes[block + 4] = 2;  // a version this program does not know
    EXPECT_TRUE(refused(bytes));
    bytes = with;
    bytes[block + 8] += 1;  // a length that does not match
    EXPECT_TRUE(refused(bytes));
    bytes = with;
    bytes[block + 12] = 0;  // no camera
    EXPECT_TRUE(refused(bytes));
    bytes = with;
    for (size_t i = 0; i < 8; ++i) bytes[bytes.size() - 8 + i] = 0;  // a correction of nothing
    EXPECT_TRUE(refused(bytes));
    // Bytes after the records that are not the block are refused as before.
    bytes = without;
    for (char c : std::string("JUNK and more")) bytes.push_back(static_cast<uint8_t>(c));
    EXPECT_TRUE(refused(bytes));
}

}  // namespace
}  // namespace lumora
