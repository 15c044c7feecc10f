#include "catalog/PictureCatalog.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "catalog/CompanionNames.h"
#include "catalog/DateTimeValue.h"

namespace lumora {

PictureCatalog::PictureCatalog(FileSystem& fileSystem) : fileSystem_(fileSystem) {}

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

    // The file-system root's path is the empty text (its pictures are
    // separator + name), so folders are told apart by their files, never by
    // an empty path: an empty source text has none.
    for (SourceDirectory& folder : folders) {
        const size_t firstPicture = pictures_.size();
        for (const DirectoryEntry& file : folder.pictureFiles) {
            if (!scanFile(folder.path, file, prompter)) return false;
        }
        noteUnopened(folder, firstPicture, noteCompanions(folder, firstPicture));
        // The listing is not needed again; give its memory back at once.
        std::vector<DirectoryEntry>().swap(folder.pictureFiles);
    }
    return true;
}

bool PictureCatalog::scanFile(const std::string& directory, const DirectoryEntry& file,
                              Prompter& prompter) {
    std::string path = joinPath(directory, file.name);
    ErrorCode error = kErrorSuccess;
    std::unique_ptr<InputFile> input = fileSystem_.openListedFile(path, file, error);
    if (!input) {
        const int answer =
            prompter.ask(kReadErrorText, kReadErrorCaption, Buttons::OkCancel, Icon::None);
        if (answer != kAnswerOk) return false;
        leftOut_.push_back({std::move(path), LeftOutReason::Damaged});
        return true;
    }
    // Size and creation time as the opened file has them, true even for a
    // file changed or replaced since the listing.
    const FileFacts facts = input->facts();
    const bool decoded = reader_.decode(*input);
    input.reset();

    ExifInfo& info = reader_.info();
    info.DateTime[sizeof info.DateTime - 1] = '\0';
    if (info.IsExif == 1 && info.DateTime[0] != '\0') {
        if (std::strcmp(info.DateTime, kZeroDateText) == 0) {
            substituteZeroDate(info, facts.creationTime);
        }
        info.pictureId = -1;
        PictureEntry entry;
        entry.path = std::move(path);
        entry.dateTime = dateTimeValue(info.DateTime);
        entry.fileSize = facts.size;
        entry.exif = std::make_shared<ExifInfo>(info);
        pictures_.push_back(std::move(entry));
    } else {
        leftOut_.push_back({std::move(path), refusalReason(decoded)});
    }
    reader_.reset();
    return true;
}

LeftOutReason PictureCatalog::refusalReason(bool decoded) {
    if (reader_.info().IsExif == 1) return LeftOutReason::NoCaptureDate;
    if (reader_.exifSectionSeen()) return LeftOutReason::ExifRefused;
    // Neither a JPEG start nor the sections up to the image data: nothing
    // says whether EXIF would have followed.
    return decoded ? LeftOutReason::NoExifBlock : LeftOutReason::Damaged;
}

std::vector<bool> PictureCatalog::noteCompanions(const SourceDirectory& folder,
                                                 size_t firstPicture) {
    std::vector<bool> taken;
    if (folder.companionFiles.empty() || firstPicture == pictures_.size()) return taken;
    const size_t nameStart = folder.path.size() + 1;
    std::vector<std::string_view> names;
    names.reserve(pictures_.size() - firstPicture);
    for (size_t i = firstPicture; i < pictures_.size(); ++i) {
        names.push_back(std::string_view(pictures_[i].path).substr(nameStart));
    }
    const std::vector<size_t> owners = companionOwners(names, folder.companionFiles);
    taken.resize(folder.unopenedFiles.size(), false);
    for (size_t i = 0; i < owners.size(); ++i) {
        if (owners[i] == kNoCompanionOwner) continue;
        pictures_[firstPicture + owners[i]].companions.push_back(folder.companionFiles[i]);
        if (const size_t unopened = folder.companionUnopened[i];
            unopened != SourceDirectory::kNotUnopened) {
            taken[unopened] = true;
        }
    }
    return taken;
}

void PictureCatalog::noteUnopened(const SourceDirectory& folder, size_t firstPicture,
                                  const std::vector<bool>& takenAsCompanion) {
    const size_t nameStart = folder.path.size() + 1;
    const auto taken = [&](size_t u) {
        return u < takenAsCompanion.size() && takenAsCompanion[u];
    };
    // The folder's pictures by their stems, made once and only when a file
    // that is no JPEG and no companion may share one (a phone writes a HEIC
    // beside each JPEG): each such file then costs one look-up, not one
    // comparison a picture.
    bool anyNotJpeg = false;
    for (size_t u = 0; u < folder.unopenedFiles.size() && !anyNotJpeg; ++u) {
        anyNotJpeg = !taken(u) && folder.unopenedFiles[u].reason == LeftOutReason::NotJpeg;
    }
    std::unordered_set<std::string> pictureStems;
    if (anyNotJpeg) {
        pictureStems.reserve(pictures_.size() - firstPicture);
        for (size_t i = firstPicture; i < pictures_.size(); ++i) {
            pictureStems.insert(foldedStem(pictures_[i].path.substr(nameStart)));
        }
    }
    for (size_t u = 0; u < folder.unopenedFiles.size(); ++u) {
        const LeftOutFile& file = folder.unopenedFiles[u];
        // A companion travels with its picture: it is not left out.
        bool companion = taken(u);
        if (!companion && file.reason == LeftOutReason::NotJpeg) {
            companion = pictureStems.count(foldedStem(file.path)) != 0;
        }
        if (!companion) leftOut_.push_back({joinPath(folder.path, file.path), file.reason});
    }
}

void substituteZeroDate(ExifInfo& info, uint64_t creationTime) {
    // The file's time in the zone's local time at that moment (with the
    // daylight saving of its own day, not of today), so the text does not
    // change with the season in which the source is scanned.
    std::tm fields{};
    if (!unixToLocalFields(fileTimeToUnix(creationTime), fields)) return;
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
    LeftOutList().swap(leftOut_);
}

void PictureCatalog::clearDirectories() {
    std::vector<std::string>().swap(directories_);
}

void PictureCatalog::swapScan(PictureCatalog& other) {
    sourceRoot_.swap(other.sourceRoot_);
    directories_.swap(other.directories_);
    pictures_.swap(other.pictures_);
    leftOut_.swap(other.leftOut_);
}

}  // namespace lumora
