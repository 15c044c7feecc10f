#include "catalog/PictureCatalog.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "catalog/DateTimeValue.h"

namespace lumora {

PictureCatalog::PictureCatalog(FileSystem& fileSystem, const Clock& clock)
    : fileSystem_(fileSystem), clock_(clock) {}

PictureCatalog::~PictureCatalog() {
    clearPictures();
}

bool PictureCatalog::scanSource(const std::string& root, bool recursive, Prompter& prompter) {
    sourceRoot_ = root;
    std::vector<SourceDirectory> folders = walkSourceTree(fileSystem_, root, recursive);

    size_t candidates = 0;
    directories_.reserve(directories_.size() + folders.size());
    for (const SourceDirectory& folder : folders) {
        directories_.push_back(folder.path);
        candidates += folder.pictureFiles.size();
    }
    // An upper bound on the entries, so the list never grows by copying.
    pictures_.reserve(pictures_.size() + candidates);

    scanBias_ = timeZoneBias(clock_);
    // The file-system root's path is the empty text (its pictures are
    // separator + name), so folders are told apart by their files, never by
    // an empty path: an empty source text has none.
    for (SourceDirectory& folder : folders) {
        for (const DirectoryEntry& file : folder.pictureFiles) {
            if (!scanFile(folder.path, file, prompter)) return false;
        }
        // The listing is not needed again; give its memory back at once.
        std::vector<DirectoryEntry>().swap(folder.pictureFiles);
    }
    return true;
}

bool PictureCatalog::scanFile(const std::string& directory, const DirectoryEntry& file,
                              Prompter& prompter) {
    std::string path = joinPath(directory, file.name);
    ErrorCode error = kErrorSuccess;
    std::unique_ptr<InputFile> input = fileSystem_.openRead(path, error);
    if (!input) {
        const int answer =
            prompter.ask(kReadErrorText, kReadErrorCaption, Buttons::OkCancel, Icon::None);
        return answer == kAnswerOk;
    }
    reader_.decode(*input);
    input.reset();

    ExifInfo& info = reader_.info();
    info.DateTime[sizeof info.DateTime - 1] = '\0';
    if (info.IsExif == 1 && info.DateTime[0] != '\0') {
        if (std::strcmp(info.DateTime, kZeroDateText) == 0) {
            substituteZeroDate(info, file.creationTime);
        }
        info.pictureId = -1;
        PictureEntry entry;
        entry.path = std::move(path);
        entry.dateTime = dateTimeValueWithBias(info.DateTime, scanBias_);
        entry.fileSize = file.size;
        entry.exif = std::make_shared<ExifInfo>(info);
        pictures_.push_back(std::move(entry));
    }
    reader_.reset();
    return true;
}

void PictureCatalog::substituteZeroDate(ExifInfo& info, uint64_t creationTime) const {
    std::tm fields{};
    const int64_t localSeconds = fileTimeToUnix(fileTimeToLocalFileTime(creationTime, clock_));
    if (!unixToUtcFields(localSeconds, fields)) return;
    const std::string text = formatTime("%Y:%m:%d %H:%M:%S", fields);
    std::memset(info.DateTime, 0, sizeof info.DateTime);
    std::memcpy(info.DateTime, text.data(), std::min(text.size(), sizeof info.DateTime - 1));
    info.dateSubstituted = 1;
}

void PictureCatalog::clearPictures() {
    for (PictureEntry& entry : pictures_) {
        if (entry.exif) *entry.exif = ExifInfo{};
    }
    PictureList().swap(pictures_);
}

void PictureCatalog::clearDirectories() {
    std::vector<std::string>().swap(directories_);
}

void PictureCatalog::swapScan(PictureCatalog& other) {
    sourceRoot_.swap(other.sourceRoot_);
    directories_.swap(other.directories_);
    pictures_.swap(other.pictures_);
    std::swap(scanBias_, other.scanBias_);
}

}  // namespace lumora
