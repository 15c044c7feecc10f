// libFuzzer target for the session file reader. A file the reader accepts
// must write back to the very same bytes; anything else it must refuse with a
// reason, without crashing, hanging or allocating beyond the input's size.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "session/SessionDecoder.h"
#include "session/SessionEncoder.h"

namespace {

using lumora::Album;
using lumora::SessionData;

SessionData richSession() {
    SessionData data;
    data.values.dateFormat = 4;
    data.values.timeFormat = 2;
    data.values.excludeDuplicates = 1;
    data.values.sourceText = "/photos/2005";
    data.values.targetText = "Not Selected. Please select one first.";
    data.values.duplicatesFound = 1;
    data.values.picturesAtScan = 3;
    data.values.freedBytes = 2048.0f;
    Album album;
    album.id = 1;
    album.name = "Harbour";
    album.directoryName = "/";
    album.filter.advancedEnabled = 1;
    album.filter.apertureMax = 2.8f;
    album.filter.apertureMin = 5.6f;
    album.startTime = album.startKey = 127541412610000000ull;
    album.endTime = album.endKey = 127544052300000000ull;
    Album second = album;
    second.id = 2;
    second.name.clear();
    second.filter.cameraModel = "All";
    data.albums = {album, second};
    data.pictureCount = 2;
    data.totalSize = 0.75;
    data.pictures.resize(3);
    data.pictures[0].albumId = 1;
    data.pictures[1].hasCustomName = 1;
    std::strcpy(data.pictures[1].customName, "boat");
    data.pictures[2].isDuplicate = data.pictures[2].isRemoved = 1;
    data.pictures[2].signature[3] = 0.25;
    return data;
}

void writeSeed(const std::string& folder, const char* name, const SessionData& data) {
    const std::vector<uint8_t> bytes = lumora::encodeSession(data);
    const std::string path = folder + "/" + name;
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

}  // namespace

// With LUMORA_FUZZ_SEEDS set to a folder, valid session files are written
// there first, so that the run starts from files the reader accepts.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* folder = std::getenv("LUMORA_FUZZ_SEEDS")) {
        writeSeed(folder, "seed-empty.lsn", SessionData{});
        writeSeed(folder, "seed-albums.lsn", richSession());
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SessionData session;
    std::string problem;
    if (!lumora::decodeSession(data, size, session, problem)) {
        if (problem.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    const std::vector<uint8_t> again = lumora::encodeSession(session);
    if (again.size() != size || (size > 0 && std::memcmp(again.data(), data, size) != 0)) {
        std::abort();
    }
    return 0;
}
