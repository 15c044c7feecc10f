// Session files of the version that shifted a picture's time by the zone's
// bias: loaded now, every record must land on the picture it was written
// for, or the file must be refused; never a record on another picture.
#include "session/EarlierSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "albums/DateTimeText.h"
#include "albums/PictureSort.h"
#include "app/SessionCommands.h"
#include "platform/FileSystem.h"
#include "session/SessionDecoder.h"
#include "session/SessionEncoder.h"
#include "session/SessionFile.h"
#include "tests/session/LegacySessions.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

class RecordingPrompter : public Prompter {
  public:
    int ask(const std::string& text, const std::string&, Buttons, Icon) override {
        texts.push_back(text);
        return kAnswerOk;
    }
    std::vector<std::string> texts;
};

constexpr const char* kParis = "CET-1CEST,M3.5.0,M10.5.0/3";
constexpr const char* kTokyo = "JST-9";

std::string baseName(const std::string& path) {
    return path.substr(lastPathSeparator(path) + 1);
}

// The fixture as it was written, with its source text pointing at a folder
// that holds the same pictures again.
std::string fixtureOver(const test::LegacyFixture& fixture, const test::TempDir& source,
                        const test::TempDir& files) {
    std::vector<uint8_t> bytes;
    ErrorCode error = kErrorSuccess;
    const std::string stored = std::string(LUMORA_SESSION_FIXTURES) + "/" + fixture.file;
    EXPECT_TRUE(readWholeFile(realFileSystem(), stored, bytes, error)) << stored;
    SessionData data;
    std::string problem;
    EXPECT_TRUE(decodeSession(bytes.data(), bytes.size(), data, problem)) << problem;
    EXPECT_EQ(std::string(data.header, 3), "1.0");
    data.values.sourceText = source.path();
    return files.writeFile(fixture.file, encodeSession(data));
}

// Every picture carries the record written for it.
void expectEveryRecordOnItsPicture(const Workspace& work) {
    const std::vector<test::LegacyPicture>& specs = test::legacyPictures();
    size_t seen = 0;
    for (const PictureList* list : {&work.catalog.pictures(), &work.removedPictures}) {
        for (const PictureEntry& entry : *list) {
            const std::string name = baseName(entry.path);
            const auto spec = std::find_if(specs.begin(), specs.end(),
                                           [&](const auto& s) { return name == s.name; });
            ASSERT_NE(spec, specs.end()) << name;
            const size_t index = static_cast<size_t>(spec - specs.begin());
            ++seen;
            EXPECT_EQ(entry.exif->signature[0], test::legacyMarker(index)) << name;
            EXPECT_EQ(entry.albumId, spec->albumId) << name;
            EXPECT_EQ(entry.isNegative, spec->isNegative) << name;
            EXPECT_EQ(entry.isRemoved, spec->isRemoved) << name;
            EXPECT_EQ(list == &work.removedPictures, spec->isRemoved != 0) << name;
            EXPECT_EQ(entry.exif->hasCustomName, spec->customName != nullptr) << name;
            EXPECT_STREQ(entry.exif->customName, spec->customName ? spec->customName : "") << name;
        }
    }
    EXPECT_EQ(seen, specs.size());
}

void expectEveryAlbumHoldsItsPictures(const Workspace& work) {
    for (const Album& album : work.albums) {
        ASSERT_NE(album.startKey, 0u);
        ASSERT_NE(album.endKey, 0u);
        EXPECT_EQ(album.startTime, album.startKey);
        EXPECT_EQ(album.endTime, album.endKey);
        const uint64_t low = std::min(album.startKey, album.endKey);
        const uint64_t high = std::max(album.startKey, album.endKey);
        for (const PictureEntry& entry : work.catalog.pictures()) {
            if (entry.albumId != album.id) continue;
            EXPECT_GE(entry.dateTime, low) << album.name << " " << entry.path;
            EXPECT_LE(entry.dateTime, high) << album.name << " " << entry.path;
        }
    }
}

std::string rangeText(const Album& album) {
    return dateTimeText(album.startTime, 1, 1) + " - " + dateTimeText(album.endTime, 1, 1);
}

struct Load {
    SessionResult result;
    std::vector<std::string> texts;
};

Load loadIn(const char* zone, const test::LegacyFixture& fixture, Workspace& work) {
    test::TempDir source;
    test::TempDir files;
    test::writeLegacyPictures(source);
    const std::string path = fixtureOver(fixture, source, files);
    test::TzGuard guard(zone);
    RecordingPrompter prompter;
    const SessionResult result = loadSessionCommand(
        work, [path] { return std::optional<std::string>(path); }, prompter, nullProgress());
    return {result, prompter.texts};
}

TEST(EarlierSession, loadedInItsOwnZoneEveryRecordIsOnItsPictureAndRangesShowTheirPictures) {
    for (const test::LegacyFixture& fixture : test::legacyFixtures()) {
        SCOPED_TRACE(fixture.file);
        // Whatever the season now: the clock no longer takes part.
        FixedClock clock(fixture.now + 180 * 86400);
        Workspace work(realFileSystem(), clock);
        const Load load = loadIn(fixture.zone, fixture, work);
        ASSERT_EQ(load.result, SessionResult::Done);
        EXPECT_TRUE(load.texts.empty());
        expectEveryRecordOnItsPicture(work);
        expectEveryAlbumHoldsItsPictures(work);
        ASSERT_EQ(work.albums.size(), 5u);
        EXPECT_EQ(rangeText(work.albums[0]), "[2024-03-14] [00 30 00] - [2024-03-14] [01 30 00]");
        EXPECT_EQ(rangeText(work.albums[1]), "[2024-03-14] [10 00 00] - [2024-03-14] [10 00 59]");
        EXPECT_EQ(rangeText(work.albums[2]), "[2024-03-14] [10 01 00] - [2024-03-14] [23 59 59]");
        // Saved from a film sorted by date descending (start after end), or,
        // in Tokyo, where both pictures had the same value, a single second.
        const std::string nextDay = rangeText(work.albums[3]);
        EXPECT_TRUE(nextDay == "[2024-03-15] [05 00 00] - [2024-03-15] [00 00 00]" ||
                    nextDay == "[2024-03-15] [00 00 00] - [2024-03-15] [05 00 00]")
            << nextDay;
        EXPECT_EQ(rangeText(work.albums[4]), "[2024-01-01] [00 00 00] - [2024-12-31] [23 59 59]");
    }
}

TEST(EarlierSession, loadedInAnotherZoneEveryRecordIsOnItsPictureOrTheFileIsRefused) {
    int refused = 0;
    for (const test::LegacyFixture& fixture : test::legacyFixtures()) {
        for (const char* zone : {kParis, kTokyo, "UTC0", "EST5EDT,M3.2.0,M11.1.0",
                                 "AEST-10AEDT,M10.1.0,M4.1.0/3", "NZST-12NZDT,M9.5.0,M4.1.0/3"}) {
            SCOPED_TRACE(std::string(fixture.file) + " in " + zone);
            FixedClock clock(fixture.now);
            Workspace work(realFileSystem(), clock);
            const Load load = loadIn(zone, fixture, work);
            if (load.result == SessionResult::Done) {
                EXPECT_TRUE(load.texts.empty());
                expectEveryRecordOnItsPicture(work);
                expectEveryAlbumHoldsItsPictures(work);
                continue;
            }
            ++refused;
            EXPECT_EQ(load.result, SessionResult::SourceModified);
            EXPECT_EQ(load.texts, std::vector<std::string>{kEarlierSessionUnmatchedText});
            EXPECT_TRUE(work.albums.empty());
            EXPECT_TRUE(work.catalog.pictures().empty());
            EXPECT_TRUE(work.removedPictures.empty());
        }
    }
    // Paris files cannot be matched in Tokyo, nor Tokyo files in Paris.
    EXPECT_GE(refused, 4);
}

TEST(EarlierSession, aFileThatCannotBeMatchedIsRefusedWithNothingChanged) {
    const test::LegacyFixture& paris = test::legacyFixtures()[0];
    test::TempDir source;
    test::TempDir files;
    test::writeLegacyPictures(source);
    SessionData data;
    std::vector<uint8_t> bytes;
    ErrorCode error = kErrorSuccess;
    std::string problem;
    ASSERT_TRUE(readWholeFile(realFileSystem(), fixtureOver(paris, source, files), bytes, error));
    ASSERT_TRUE(decodeSession(bytes.data(), bytes.size(), data, problem));

    test::TzGuard tokyo(kTokyo);
    Workspace work;
    RecordingPrompter prompter;
    work.scan(source.path(), prompter, nullProgress());
    PictureList& pictures = work.pictures();
    sortPictures(pictures, kSortByDate, false);
    std::vector<std::string> order;
    for (const PictureEntry& entry : pictures) order.push_back(entry.path);
    AlbumList albums = data.albums;
    EXPECT_FALSE(adaptEarlierSession(data, albums, pictures));
    EXPECT_EQ(albums, data.albums);
    std::vector<std::string> after;
    for (const PictureEntry& entry : pictures) after.push_back(entry.path);
    EXPECT_EQ(after, order);
}

TEST(EarlierSession, aFileOfThisVersionIsLeftAsItIs) {
    SessionData data;
    AlbumList albums(1);
    albums[0].startTime = albums[0].startKey = 5;
    albums[0].endTime = albums[0].endKey = 7;
    PictureList pictures(1);
    pictures[0].dateTime = 100;  // outside the range: nothing is widened
    data.pictures.resize(1);
    const AlbumList before = albums;
    EXPECT_TRUE(adaptEarlierSession(data, albums, pictures));
    EXPECT_EQ(albums, before);
    EXPECT_EQ(pictures[0].dateTime, 100u);
}

}  // namespace
}  // namespace lumora
