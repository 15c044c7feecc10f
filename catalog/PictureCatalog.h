#pragma once

#include <string>
#include <vector>

#include "catalog/DirectoryWalk.h"
#include "catalog/ExifReader.h"
#include "catalog/LeftOutFile.h"
#include "catalog/PictureEntry.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"
#include "platform/Time.h"

namespace lumora {

inline constexpr const char* kZeroDateText = "0000:00:00 00:00:00";
inline constexpr const char* kReadErrorText = "Error while reading from drive";
inline constexpr const char* kReadErrorCaption = "Error";

// A date text of zeros replaced by the file's creation time (a FILETIME, UTC)
// as local time, "%Y:%m:%d %H:%M:%S", and marked as substituted.
void substituteZeroDate(ExifInfo& info, uint64_t creationTime);

// The one catalog of the program: the EXIF reader, the source root, the
// folders to search and the picture list built from them.
class PictureCatalog {
  public:
    explicit PictureCatalog(FileSystem& fileSystem = realFileSystem());
    PictureCatalog(const PictureCatalog&) = delete;
    PictureCatalog& operator=(const PictureCatalog&) = delete;
    ~PictureCatalog();

    // Lists the folders under root and appends every "*.jpg" in them that has
    // EXIF information and a date. The files that look like pictures and are
    // not listed go to the left-out list with their reasons (a RAW or video
    // beside a listed picture of its stem is its companion and not left out);
    // only the .jpg files are opened. Each listed picture notes the names of
    // its companion files from the same listing. False only when the user stopped the scan
    // at a file that could not be opened; what was found until then stays.
    bool scanSource(const std::string& root, bool recursive, Prompter& prompter);

    // Zero-fills and releases every entry's ExifInfo, then empties the list
    // and the left-out list: copies held elsewhere must not be used
    // afterwards.
    void clearPictures();
    void clearDirectories();

    // Exchanges what two catalogs over the same file system found (source
    // root, folders, pictures), so that a scan made aside replaces this one
    // only once it is known to be wanted.
    void swapScan(PictureCatalog& other);

    int pictureCount() const { return static_cast<int>(pictures_.size()); }
    PictureList& pictures() { return pictures_; }
    const PictureList& pictures() const { return pictures_; }
    const std::vector<std::string>& directories() const { return directories_; }
    // The files of the last scan that look like pictures and were not
    // listed, in scan order.
    const LeftOutList& leftOut() const { return leftOut_; }
    const std::string& sourceRoot() const { return sourceRoot_; }
    ExifReader& reader() { return reader_; }
    FileSystem& fileSystem() const { return fileSystem_; }

  private:
    // False when the user chose to stop.
    bool scanFile(const std::string& directory, const DirectoryEntry& file, Prompter& prompter);
    // Why the file just decoded is not listed.
    LeftOutReason refusalReason(bool decoded);
    // The unopened names of a folder, but for the companions of the
    // pictures listed from it (those from firstPicture on): takenAsCompanion
    // marks them by their index in the folder's unopenedFiles.
    void noteUnopened(const SourceDirectory& folder, size_t firstPicture,
                      const std::vector<bool>& takenAsCompanion);
    // Pairs the folder's companion names with the pictures listed from it.
    // Returns which of the folder's unopenedFiles became companions.
    std::vector<bool> noteCompanions(const SourceDirectory& folder, size_t firstPicture);

    FileSystem& fileSystem_;
    ExifReader reader_;
    std::string sourceRoot_;
    std::vector<std::string> directories_;
    PictureList pictures_;
    LeftOutList leftOut_;
};

}  // namespace lumora
