#include "app/AlbumCompanions.h"

#include "albums/Megabytes.h"
#include "catalog/CompanionNames.h"

namespace lumora {

CompanionTally albumCompanions(const PictureList& pictures, int32_t albumId,
                               FileSystem& fileSystem) {
    CompanionTally tally;
    for (const PictureEntry& picture : pictures) {
        if (picture.albumId != albumId || picture.companions.empty()) continue;
        const size_t slash = picture.path.find_last_of(kPathSeparator);
        const std::string folder =
            slash == std::string::npos ? std::string() : picture.path.substr(0, slash);
        for (const std::string& name : picture.companions) {
            ++tally.files;
            tally.megabytes += megabytesOf(companionFileSize(fileSystem, joinPath(folder, name)));
        }
    }
    return tally;
}

}  // namespace lumora
