#include "tests/processing/ProcessFixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "albums/Megabytes.h"
#include "catalog/DirectoryWalk.h"

namespace lumora::test {

uint64_t fileTimeAt(int year, int month, int day, int hour, int minute, int second) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    return unixToFileTime(utcFieldsToUnix(fields));
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

std::vector<std::string> listNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
        if (item.path().filename() == kJournalFolderName) continue;
        names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

ProcessBench::ProcessBench() {
    source = temp.makeDir("source");
    target = temp.makeDir("target");
    // Tests hold the references addAlbum and addPicture hand out.
    albums.reserve(64);
    pictures.reserve(256);
}

PictureEntry& ProcessBench::addPicture(const std::string& relative, uint64_t dateTime,
                                       int32_t pictureId, int32_t albumId) {
    std::string bytes = "picture " + relative + " ";
    bytes.append(200 + 37 * pictures.size(), static_cast<char>('a' + pictures.size() % 26));
    PictureEntry entry;
    entry.path = temp.writeFile("source/" + relative, bytes);
    entry.dateTime = dateTime;
    entry.fileSize = bytes.size();
    entry.exif = std::make_shared<ExifInfo>();
    entry.exif->pictureId = pictureId;
    entry.albumId = albumId;
    pictures.push_back(entry);
    contents.push_back(bytes);
    return pictures.back();
}

Album& ProcessBench::addAlbum(const std::string& name, const std::string& directoryName) {
    Album& album = appendNewAlbum(albums);
    album.name = name;
    album.directoryName = directoryName;
    album.unsaved = 0;
    return album;
}

void ProcessBench::countAlbums() {
    for (Album& album : albums) {
        album.pictureCount = 0;
        album.sizeMB = 0.0f;
        for (const PictureEntry& picture : pictures) {
            if (picture.albumId != album.id) continue;
            ++album.pictureCount;
            album.sizeMB += megabytesOf(picture.fileSize);
        }
    }
}

ProcessReport ProcessBench::run(FileSystem& fileSystem, Prompter& prompter, int32_t moveMode,
                                const StopRequest* stop) {
    countAlbums();
    ProcessSettings settings;
    settings.targetDirectory = target;
    settings.moveMode = moveMode;
    settings.bringCompanions = bringCompanions;
    const ProcessServices services{fileSystem, prompter, upper, lower, nullptr, stop};
    return processAlbums(albums, pictures, settings, services);
}

namespace {

// Every regular file below the folders, each once (a target inside the
// source is not counted twice), with its bytes.
std::map<std::string, std::string> filesBelow(const std::vector<std::string>& folders) {
    std::map<std::string, std::string> files;
    for (const std::string& folder : folders) {
        std::error_code error;
        for (const auto& item : std::filesystem::recursive_directory_iterator(folder, error)) {
            if (!item.is_regular_file()) continue;
            const std::string path = std::filesystem::weakly_canonical(item.path()).string();
            files.emplace(path, readFile(path));
        }
    }
    return files;
}

}  // namespace

std::string ProcessBench::misplacedPicture(int32_t moveMode) const {
    const auto files = filesBelow({source, target});
    for (size_t i = 0; i < pictures.size(); ++i) {
        const bool atSource = readFile(pictures[i].path) == contents[i];
        const std::string own = std::filesystem::weakly_canonical(pictures[i].path).string();
        int elsewhere = 0;
        for (const auto& [path, bytes] : files) {
            if (path != own && bytes == contents[i]) ++elsewhere;
        }
        if (!atSource && elsewhere == 0) return pictures[i].path + " is lost";
        if (elsewhere > 1) return pictures[i].path + " arrived twice";
        if (moveMode == 0 && !atSource) return pictures[i].path + " changed at its source";
    }
    return std::string();
}

}  // namespace lumora::test
