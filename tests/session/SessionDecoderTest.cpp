#include "session/SessionDecoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "session/SessionEncoder.h"

namespace lumora {
namespace {

SessionData sampleData() {
    SessionData data;
    data.values.dateFormat = 10;
    data.values.timeFormat = 2;
    data.values.excludeDuplicates = 1;
    data.values.sourceText = "src";
    data.values.targetText = "Not Selected. Please select one first.";
    data.values.duplicatesFound = 1;
    data.values.picturesAtScan = 3;
    data.values.freedBytes = 1234.0f;
    Album first;
    first.id = 1;
    first.name = "One";
    first.filter.cameraMake = "NIKON";
    first.filter.cameraModel = "All";
    first.filter.apertureMax = 2.8f;
    first.startTime = first.startKey = 130000000000000000ull;
    first.endTime = first.endKey = 130000000100000000ull;
    Album second;
    second.id = 4;
    second.directoryName = "/";
    data.albums = {first, second};
    data.pictureCount = 2;
    data.totalSize = 2.75;
    data.pictures.resize(3);
    data.pictures[0].albumId = 1;
    data.pictures[0].signature[7] = 0.125;
    std::strcpy(data.pictures[1].customName, "boat");
    data.pictures[1].hasCustomName = 1;
    data.pictures[2].isDuplicate = data.pictures[2].isRemoved = 1;
    data.pictures[2].spare = 9;
    return data;
}

void putInt32(std::vector<uint8_t>& bytes, size_t at, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<uint8_t>(bits >> (8 * i));
}

// Where the sample's values lie in its file.
struct Offsets {
    size_t size, sourceLength, targetLength, albumCount, firstCameraMake, pictureCount,
        picturesAtScan;
};

Offsets offsetsOf(const SessionData& data, size_t size) {
    Offsets o{};
    o.size = size;
    o.sourceLength = 20;
    o.targetLength = o.sourceLength + 4 + data.values.sourceText.size();
    o.albumCount = o.targetLength + 4 + data.values.targetText.size();
    o.firstCameraMake = o.albumCount + 4 + 15 * 4;
    o.pictureCount = size - data.pictures.size() * kPictureRecordBytes - 8 - 4;
    o.picturesAtScan = o.pictureCount - 8;
    return o;
}

TEST(SessionDecoder, givesBackWhatWasEncoded) {
    const SessionData data = sampleData();
    const std::vector<uint8_t> bytes = encodeSession(data);
    SessionData read;
    std::string problem = "unchanged";
    ASSERT_TRUE(decodeSession(bytes.data(), bytes.size(), read, problem)) << problem;
    EXPECT_EQ(read, data);
    EXPECT_EQ(problem, "");
}

TEST(SessionDecoder, leavesTheHeaderBytesUnjudged) {
    SessionData data = sampleData();
    std::memcpy(data.header, "XY\x01\xFF", 4);
    data.reserved = 77;
    const std::vector<uint8_t> bytes = encodeSession(data);
    SessionData read;
    std::string problem;
    ASSERT_TRUE(decodeSession(bytes.data(), bytes.size(), read, problem)) << problem;
    EXPECT_EQ(read, data);
}

TEST(SessionDecoder, refusesEveryTruncationAndLeavesTheDataAlone) {
    const std::vector<uint8_t> bytes = encodeSession(sampleData());
    SessionData before;
    before.values.sourceText = "kept";
    before.albums.resize(1);
    for (size_t size = 0; size < bytes.size(); ++size) {
        SessionData data = before;
        std::string problem;
        EXPECT_FALSE(decodeSession(bytes.data(), size, data, problem)) << "size " << size;
        EXPECT_FALSE(problem.empty()) << "size " << size;
        EXPECT_EQ(data, before) << "size " << size;
    }
}

TEST(SessionDecoder, refusesCorruptedValuesWithTheReason) {
    const SessionData data = sampleData();
    const std::vector<uint8_t> good = encodeSession(data);
    const Offsets at = offsetsOf(data, good.size());
    const size_t records = data.pictures.size();
    struct Case {
        const char* name;
        size_t offset;
        int32_t value;
        std::string problem;
    };
    const Case cases[] = {
        {"date format 0", 4, 0, "the date format 0 is not one of 1 to 10"},
        {"date format 11", 4, 11, "the date format 11 is not one of 1 to 10"},
        {"time format 3", 8, 3, "the time format 3 is not one of 1 to 2"},
        {"source length 2^31", at.sourceLength, INT32_MIN,
         "the source directory at byte 20 has the impossible length -2147483648 (" +
             std::to_string(good.size() - 24) + " bytes left)"},
        {"source length 2^31-1", at.sourceLength, INT32_MAX, ""},
        {"target length -1", at.targetLength, -1, ""},
        {"album count -1", at.albumCount, -1, ""},
        {"album count 2^31-1", at.albumCount, INT32_MAX, ""},
        {"album count beyond the file", at.albumCount, 1000,
         "the album count 1000 is impossible: at most " +
             std::to_string((good.size() - at.albumCount - 4) / 224) + " albums fit in the " +
             std::to_string(good.size() - at.albumCount - 4) + " bytes left"},
        {"album count one too many", at.albumCount, 3, ""},
        {"camera make length 2^31", at.firstCameraMake, INT32_MIN, ""},
        {"picture count -1", at.pictureCount, -1,
         "the picture count -1 is impossible with 3 picture records"},
        {"picture count beyond the records", at.pictureCount, static_cast<int32_t>(records + 1),
         ""},
        {"scan count below the records", at.picturesAtScan, 2,
         "the file holds 3 picture records for the 2 pictures of its scan"},
        {"scan count -5", at.picturesAtScan, -5, ""},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        putInt32(bytes, c.offset, c.value);
        SessionData read;
        std::string problem;
        EXPECT_FALSE(decodeSession(bytes.data(), bytes.size(), read, problem)) << c.name;
        EXPECT_FALSE(problem.empty()) << c.name;
        if (!c.problem.empty()) {
            EXPECT_EQ(problem, c.problem) << c.name;
        }
        EXPECT_EQ(read, SessionData{}) << c.name;
    }
}

// The sample's albums have the ids 1 and 4.
TEST(SessionDecoder, refusesAlbumIdsTheProgramCannotHaveGiven) {
    struct Case {
        int32_t first, second;
        std::string problem;
    };
    const Case cases[] = {
        {0, 4, "album 1 has the id 0: album ids start at 1"},
        {1, -1, "album 2 has the id -1: album ids start at 1"},
        {INT32_MIN, 4, "album 1 has the id -2147483648: album ids start at 1"},
        {4, 4, "album 2 has the id 4, not above the id 4 of the album before it"},
        {5, 4, "album 2 has the id 4, not above the id 5 of the album before it"},
        {1, INT32_MAX, "album 2 has the id 2147483647, after which no album id is left"},
        {INT32_MAX, 4, "album 1 has the id 2147483647, after which no album id is left"},
    };
    for (const Case& c : cases) {
        SessionData data = sampleData();
        data.albums[0].id = c.first;
        data.albums[1].id = c.second;
        const std::vector<uint8_t> bytes = encodeSession(data);
        SessionData read;
        std::string problem;
        EXPECT_FALSE(decodeSession(bytes.data(), bytes.size(), read, problem)) << c.problem;
        EXPECT_EQ(problem, c.problem);
        EXPECT_EQ(read, SessionData{}) << c.problem;
    }
    // The largest ids that still leave room for the next album.
    SessionData data = sampleData();
    data.albums[0].id = INT32_MAX - 2;
    data.albums[1].id = INT32_MAX - 1;
    const std::vector<uint8_t> bytes = encodeSession(data);
    SessionData read;
    std::string problem;
    EXPECT_TRUE(decodeSession(bytes.data(), bytes.size(), read, problem)) << problem;
}

TEST(SessionDecoder, refusesARecordAreaThatIsNotWholeRecords) {
    const SessionData data = sampleData();
    for (const size_t extra : {size_t{1}, size_t{279}, kPictureRecordBytes}) {
        std::vector<uint8_t> bytes = encodeSession(data);
        bytes.resize(bytes.size() + extra, 0);
        SessionData read;
        std::string problem;
        EXPECT_FALSE(decodeSession(bytes.data(), bytes.size(), read, problem)) << extra;
        if (extra == 1) {
            EXPECT_EQ(problem,
                      "the picture records take 841 bytes, not a whole number of "
                      "280-byte records");
        }
    }
}

TEST(SessionDecoder, reportsWhereTheFileEnds) {
    const std::vector<uint8_t> bytes = encodeSession(sampleData());
    SessionData read;
    std::string problem;
    EXPECT_FALSE(decodeSession(bytes.data(), 10, read, problem));
    EXPECT_EQ(problem, "the file ends in the time format at byte 8 (4 bytes needed, 2 left)");
    EXPECT_FALSE(decodeSession(nullptr, 0, read, problem));
    EXPECT_EQ(problem, "the file ends in the header at byte 0 (4 bytes needed, 0 left)");
}

TEST(SessionDecoder, acceptsASessionWithoutAlbumsOrPictures) {
    SessionData data;
    data.values.sourceText = "";
    const std::vector<uint8_t> bytes = encodeSession(data);
    EXPECT_EQ(bytes.size(), 4u + 16 + 8 + 4 + 12 + 4 + 8);
    SessionData read;
    std::string problem;
    ASSERT_TRUE(decodeSession(bytes.data(), bytes.size(), read, problem)) << problem;
    EXPECT_EQ(read, data);
}

}  // namespace
}  // namespace lumora
