#include "processing/FreeSpace.h"

#include <cstdint>
#include <cstdio>
#include <map>

#include "albums/Megabytes.h"
#include "catalog/CompanionNames.h"
#include "processing/ArrivedPictures.h"
#include "processing/Companions.h"
#include "processing/ReplaceGuard.h"
#include "processing/ReportSystemError.h"
#include "processing/TargetNames.h"

namespace lumora {
namespace {

// The megabyte factor as the double it is written as. A byte count is
// multiplied in double precision and only the product is kept as a float:
// rounding the count to a float first changes the last digits shown for
// about a fifth of the sizes (500107862016 bytes free read 476940.031 MB
// instead of 476940.000 MB).
constexpr double kMegabytesPerByteInDouble = 9.536743e-7;

float megabytesOfBytes(uint64_t bytes) {
    return static_cast<float>(static_cast<double>(bytes) * kMegabytesPerByteInDouble);
}

std::string format(const char* pattern, const std::string& text, double value) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, pattern, text.c_str(), value);
    return buffer;
}

std::string format(const char* pattern, double value, const std::string& text) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, pattern, value, text.c_str());
    return buffer;
}

// Asks for the free bytes, and on failure lets the user retry. False when
// the check has to fail.
bool queryFreeBytes(const std::string& targetDirectory, FileSystem& fileSystem, Prompter& prompter,
                    QuestionListener* listener, uint64_t& freeBytes) {
    ErrorCode error = fileSystem.freeSpace(targetDirectory, freeBytes);
    if (error == kErrorSuccess) return true;
    int continueFlag = 0;
    int answerCode = 0;
    for (;;) {
        if (listener != nullptr) listener->questionAbout(QuestionSubject::FreeSpace);
        const bool again =
            reportSystemError(error, continueFlag, answerCode, targetDirectory, prompter);
        if (answerCode == kAnswerRetry) {
            error = fileSystem.freeSpace(targetDirectory, freeBytes);
            if (error == kErrorSuccess) return true;
            continue;
        }
        // A Yes asks once more; its figure counts only when the query works.
        if (again && answerCode == kAnswerYes && continueFlag == 1) {
            return fileSystem.freeSpace(targetDirectory, freeBytes) == kErrorSuccess;
        }
        return false;
    }
}

}  // namespace

float requiredMegabytes(const AlbumList& albums, const PictureList& pictures,
                        const std::string& targetDirectory, int moveMode, FileSystem& fileSystem,
                        bool countCompanions) {
    CompanionLookup companions(fileSystem, pictures);
    const auto companionSizes = [&](const PictureEntry& picture, auto&& use) {
        if (!countCompanions) return;
        for (const std::string& path : companions.of(picture.path)) {
            use(companionFileSize(fileSystem, path));
        }
    };
    if (moveMode == 1 && !pictures.empty()) {
        const std::string targetDrive = fileSystem.driveOf(targetDirectory);
        if (targetDrive != kNoDrive && fileSystem.driveOf(pictures.front().path) == targetDrive) {
            uint32_t largest = 0;
            const auto consider = [&](uint64_t fileSize) {
                const auto size = static_cast<uint32_t>(fileSize & 0xFFFFFFFFu);
                if (size > largest) largest = size;
            };
            for (const PictureEntry& picture : pictures) {
                consider(picture.fileSize);
                companionSizes(picture, consider);
            }
            return megabytesOfBytes(largest);
        }
    }
    float required = 0.0f;
    for (const Album& album : albums) {
        if (!album.processed) required += album.sizeMB;
    }
    // Pictures an earlier run already placed whole need no room again.
    ReplaceGuard guard(fileSystem, pictures);
    ArrivedPictures arrived(fileSystem, guard);
    std::map<int32_t, std::string> folders;
    for (const Album& album : albums) {
        if (!album.processed) folders[album.id] = albumTargetFolder(album, targetDirectory);
    }
    for (const PictureEntry& picture : pictures) {
        const auto folder = folders.find(picture.albumId);
        if (folder == folders.end()) continue;
        companionSizes(picture, [&](uint64_t size) { required += megabytesOf(size); });
        if (!arrived.claim(folder->second, picture.path, picture.fileSize).empty()) {
            required -= megabytesOf(picture.fileSize);
        }
    }
    return required > 0.0f ? required : 0.0f;
}

FreeSpaceCheck checkFreeSpace(const AlbumList& albums, const PictureList& pictures,
                              const std::string& targetDirectory, int moveMode,
                              FileSystem& fileSystem, Prompter& prompter, ProgressSink& upper,
                              ProgressSink& lower, QuestionListener* listener,
                              bool countCompanions) {
    FreeSpaceCheck check;
    check.firstStatus = kCheckingFreeSpaceText;
    upper.setStatus(check.firstStatus);
    check.requiredMB =
        requiredMegabytes(albums, pictures, targetDirectory, moveMode, fileSystem, countCompanions);
    size_t processedCount = 0;
    for (const Album& album : albums) processedCount += album.processed ? 1 : 0;

    // The texts add the colon after the drive: Windows' volume "E:\" shows
    // as its letter; a mount point or a network path shows whole.
    std::string drive = fileSystem.driveOf(targetDirectory);
    drive = drive.substr(0, drive.find(':'));
    uint64_t freeBytes = 0;
    if (!queryFreeBytes(targetDirectory, fileSystem, prompter, listener, freeBytes)) {
        check.firstStatus += " Drive " + drive + ": not ready!";
        check.secondStatus = "Please select other drive.";
    } else {
        check.freeMB = megabytesOfBytes(freeBytes);
        const float needed = check.requiredMB + kFreeSpaceMarginMB;
        if (processedCount == albums.size()) {
            check.firstStatus += " Found enough free space.";
            check.secondStatus = "All albums are already processed.";
        } else if (needed > check.freeMB) {
            check.firstStatus += format(" Not enough space on %s:(%4.3fMB)", drive, check.freeMB);
            check.secondStatus =
                format("Please free %4.2fMB aditionl space on %s:", needed - check.freeMB, drive);
        } else {
            check.firstStatus += format(" Found enough space on %s:(%4.3fMB)", drive, check.freeMB);
            check.secondStatus = moveMode == 1 ? "Press 'Process' to create albums. (By move)"
                                               : "Press 'Process' to create albums. (By copy)";
            check.processEnabled = true;
        }
    }
    upper.setStatus(check.firstStatus);
    lower.setStatus(check.secondStatus);
    return check;
}

}  // namespace lumora
