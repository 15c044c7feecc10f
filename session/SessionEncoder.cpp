#include "session/SessionEncoder.h"

#include "session/AlbumFields.h"
#include "session/ByteWriter.h"
#include "session/ClockBlock.h"

namespace lumora {
namespace {

struct FieldWriter {
    ByteWriter& out;
    void operator()(const int32_t& value) const { out.int32(value); }
    void operator()(const uint64_t& value) const { out.uint64(value); }
    void operator()(const float& value) const { out.float32(value); }
    void operator()(const std::string& value) const { out.string(value); }
};

void writeRecord(ByteWriter& out, const PictureRecord& record) {
    out.int32(record.isDuplicate);
    out.int32(record.isRemoved);
    out.int32(record.albumId);
    out.int32(record.isNegative);
    const uint8_t flags[4] = {record.hasCustomName, record.dateSubstituted, record.IsExif,
                              record.spare};
    out.bytes(flags, sizeof flags);
    for (double value : record.signature) out.float64(value);
    out.int32(record.pictureId);
    out.bytes(record.customName, sizeof record.customName);
}

}  // namespace

std::vector<uint8_t> encodeSession(const SessionData& data) {
    ByteWriter out;
    const SessionValues& v = data.values;
    out.bytes(data.header, sizeof data.header);
    out.int32(v.dateFormat);
    out.int32(v.timeFormat);
    out.int32(v.excludeDuplicates);
    out.int32(data.reserved);
    out.string(v.sourceText);
    out.string(v.targetText);
    out.int32(static_cast<int32_t>(data.albums.size()));
    for (const Album& album : data.albums) visitAlbumFields(album, FieldWriter{out});
    out.int32(v.duplicatesFound);
    out.int32(v.picturesAtScan);
    out.float32(v.freedBytes);
    out.int32(data.pictureCount);
    out.float64(data.totalSize);
    for (const PictureRecord& record : data.pictures) writeRecord(out, record);
    writeClockBlock(out, data.clocks);
    return out.take();
}

}  // namespace lumora
