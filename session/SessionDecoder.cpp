#include "session/SessionDecoder.h"

#include "albums/DateTimeText.h"
#include "filters/CriterionText.h"
#include "session/AlbumFields.h"
#include "session/ByteReader.h"
#include "session/ClockBlock.h"

namespace lumora {
namespace {

struct FieldReader {
    ByteReader& in;
    void operator()(int32_t& value) const { in.int32(value, "an album"); }
    void operator()(uint64_t& value) const { in.uint64(value, "an album"); }
    void operator()(float& value) const { in.float32(value, "an album"); }
    void operator()(std::string& value) const { in.string(value, "a text of an album"); }
};

bool readValues(ByteReader& in, SessionData& data) {
    SessionValues& v = data.values;
    in.bytes(data.header, sizeof data.header, "the header");
    in.int32(v.dateFormat, "the date format");
    in.int32(v.timeFormat, "the time format");
    in.int32(v.excludeDuplicates, "the duplicate switch");
    in.int32(data.reserved, "the reserved value");
    in.require(
        v.dateFormat >= 1 && v.dateFormat <= kDateFormatCount,
        formatText("the date format %d is not one of 1 to %d", v.dateFormat, kDateFormatCount));
    in.require(
        v.timeFormat >= 1 && v.timeFormat <= kTimeFormatCount,
        formatText("the time format %d is not one of 1 to %d", v.timeFormat, kTimeFormatCount));
    in.string(v.sourceText, "the source directory");
    in.string(v.targetText, "the target directory");
    return in.ok();
}

// The program gives a new album the last album's id plus 1 and keeps the
// list in creation order, so the ids it writes rise from 1 and leave room for
// one more. Any other id would clash with a picture's "no album" or "pending"
// mark, make two albums one, or give a later album an id already taken or
// one past the largest.
bool checkAlbumIds(ByteReader& in, const AlbumList& albums) {
    int32_t previous = 0;
    for (size_t i = 0; i < albums.size(); ++i) {
        const int32_t id = albums[i].id;
        const size_t number = i + 1;
        if (!in.require(id > 0,
                        formatText("album %zu has the id %d: album ids start at 1", number, id)) ||
            !in.require(id > previous,
                        formatText("album %zu has the id %d, not above the id %d of the album "
                                   "before it",
                                   number, id, previous)) ||
            !in.require(id < INT32_MAX,
                        formatText("album %zu has the id %d, after which no album id is left",
                                   number, id))) {
            return false;
        }
        previous = id;
    }
    return true;
}

bool readAlbums(ByteReader& in, AlbumList& albums) {
    int32_t count = 0;
    if (!in.int32(count, "the album count")) return false;
    const size_t fits = in.remaining() / kMinimumAlbumBytes;
    if (!in.require(count >= 0 && static_cast<size_t>(count) <= fits,
                    formatText("the album count %d is impossible: at most %zu albums fit in the "
                               "%zu bytes left",
                               count, fits, in.remaining()))) {
        return false;
    }
    albums.assign(static_cast<size_t>(count), Album{});
    for (Album& album : albums) {
        visitAlbumFields(album, FieldReader{in});
        if (!in.ok()) return false;
    }
    return checkAlbumIds(in, albums);
}

void readRecord(ByteReader& in, PictureRecord& record) {
    const char* what = "a picture record";
    in.int32(record.isDuplicate, what);
    in.int32(record.isRemoved, what);
    in.int32(record.albumId, what);
    in.int32(record.isNegative, what);
    uint8_t flags[4] = {};
    in.bytes(flags, sizeof flags, what);
    record.hasCustomName = flags[0];
    record.dateSubstituted = flags[1];
    record.IsExif = flags[2];
    record.spare = flags[3];
    for (double& value : record.signature) in.float64(value, what);
    in.int32(record.pictureId, what);
    in.bytes(record.customName, sizeof record.customName, what);
}

bool readPictures(ByteReader& in, SessionData& data) {
    SessionValues& v = data.values;
    in.int32(v.duplicatesFound, "the duplicate count");
    in.int32(v.picturesAtScan, "the scanned picture count");
    in.float32(v.freedBytes, "the freed bytes");
    in.int32(data.pictureCount, "the picture count");
    in.float64(data.totalSize, "the total size");
    if (!in.ok()) return false;

    // The records of the scan's pictures may be followed by the camera
    // clock block; anything else after them leaves the record area as it
    // always was judged.
    size_t area = in.remaining();
    bool clockBlock = false;
    if (v.picturesAtScan >= 0 &&
        static_cast<size_t>(v.picturesAtScan) <= area / kPictureRecordBytes) {
        const size_t recordBytes = static_cast<size_t>(v.picturesAtScan) * kPictureRecordBytes;
        clockBlock = area > recordBytes &&
                     in.bytesAheadAre(recordBytes, kClockBlockMagic, sizeof kClockBlockMagic);
        if (clockBlock) area = recordBytes;
    }
    const size_t records = area / kPictureRecordBytes;
    in.require(area % kPictureRecordBytes == 0,
               formatText("the picture records take %zu bytes, not a whole number of %zu-byte "
                          "records",
                          area, kPictureRecordBytes));
    in.require(data.pictureCount >= 0 && static_cast<size_t>(data.pictureCount) <= records,
               formatText("the picture count %d is impossible with %zu picture records",
                          data.pictureCount, records));
    // Every picture the scan found is either in the picture list or among the
    // removed pictures, and both are stored.
    in.require(v.picturesAtScan >= 0 && static_cast<size_t>(v.picturesAtScan) == records,
               formatText("the file holds %zu picture records for the %d pictures of its scan",
                          records, v.picturesAtScan));
    if (!in.ok()) return false;
    data.pictures.assign(records, PictureRecord{});
    for (PictureRecord& record : data.pictures) readRecord(in, record);
    if (clockBlock && in.ok()) readClockBlock(in, data.clocks);
    return in.ok();
}

}  // namespace

bool decodeSession(const uint8_t* bytes, size_t size, SessionData& data, std::string& problem) {
    ByteReader in(bytes, size);
    SessionData read;
    if (!readValues(in, read) || !readAlbums(in, read.albums) || !readPictures(in, read)) {
        problem = in.problem();
        return false;
    }
    data = std::move(read);
    problem.clear();
    return true;
}

}  // namespace lumora
