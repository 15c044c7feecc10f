#include "session/SessionMarks.h"

#include "session/SessionEncoder.h"
#include "session/SessionFile.h"
#include "session/SessionLoad.h"

namespace lumora {
namespace {

bool named(const AlbumNames& albums, const Album& album) {
    for (const auto& [id, name] : albums) {
        if (id == album.id && name == album.name) return true;
    }
    return false;
}

bool readSession(FileSystem& fileSystem, const std::string& path, SessionData& data,
                 std::string& problem) {
    ErrorCode error = kErrorSuccess;
    std::string why;
    if (readSessionFile(fileSystem, path, data, error, why)) return true;
    problem = path + ": " + (why.empty() ? "cannot be read" : why);
    return false;
}

}  // namespace

bool processedInSession(FileSystem& fileSystem, const std::string& path, const AlbumNames& albums,
                        std::vector<int32_t>& marked, std::string& problem) {
    marked.clear();
    SessionData data;
    if (!readSession(fileSystem, path, data, problem)) return false;
    for (const Album& album : data.albums) {
        if (album.processed && named(albums, album)) marked.push_back(album.id);
    }
    return true;
}

bool clearProcessedMarks(FileSystem& fileSystem, const std::string& path, const AlbumNames& albums,
                         int& cleared, std::string& problem) {
    cleared = 0;
    SessionData data;
    if (!readSession(fileSystem, path, data, problem)) return false;
    for (Album& album : data.albums) {
        if (album.processed && named(albums, album)) {
            album.processed = 0;
            ++cleared;
        }
    }
    if (cleared == 0) return true;
    ReplacingFileWriter writer(fileSystem, path);
    if (!writer.open() || !writer.commit(encodeSession(data))) {
        problem = path + ": cannot be written (error " + std::to_string(writer.error()) + ")";
        cleared = 0;
        return false;
    }
    return true;
}

}  // namespace lumora
