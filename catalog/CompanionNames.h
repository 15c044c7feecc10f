#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace lumora {

// Companion files: what a camera, a phone or an editor writes beside a
// picture under the picture's own name, and what belongs wherever the
// picture goes. In the picture's folder, letter case aside:
//   - the picture's name without its last extension, a dot and one of the
//     companion extensions (IMG_0001.CR2, IMG_0001.xmp, IMG_0001.MOV for
//     IMG_0001.JPG);
//   - the picture's whole name followed by ".xmp" (IMG_0001.JPG.xmp), the
//     other way editors name a sidecar.
// The extensions: the camera RAW formats; XMP sidecars; THM thumbnails of
// older cameras; AAE edit files of phones; WAV voice notes; MOV and MP4
// clips (live photos, clips shot with the picture).
//
// A file is the companion of one picture at most. When pictures of one
// folder share a base name (IMG_0001.JPG and IMG_0001.jpg, or IMG_0001.jpg
// and img_0001.jpg), a file goes to the picture whose name matches its own
// in exact letter case; when none or several do, to the first of them in
// the folder's listing order (names with letters upper-cased, ties by their
// bytes: IMG_0001.JPG before IMG_0001.jpg).

// Whether a name ends in one of the companion extensions (letter case
// ignored).
bool hasCompanionExtension(const std::string& name);

// Whether a companion extension names a RAW format (letter case ignored).
bool isRawCompanion(const std::string& name);
// Whether one of a picture's companions is a RAW file.
bool hasRawCompanion(const std::vector<std::string>& companionNames);

// The owner of each of otherNames: the index in pictureNames of the picture
// whose companion it is, or kNoCompanionOwner. pictureNames (views, so that
// the scan passes its pictures' names without copies) and otherNames as for
// pairCompanions below.
inline constexpr size_t kNoCompanionOwner = static_cast<size_t>(-1);
std::vector<size_t> companionOwners(const std::vector<std::string_view>& pictureNames,
                                    const std::vector<std::string>& otherNames);

// The companions of each picture of one folder. pictureNames: the names of
// the folder's listed pictures (any order); otherNames: other names of the
// same folder (those without a companion extension are passed over). The
// result holds, for each picture by its index, the names of its companions
// in the order of otherNames.
std::vector<std::vector<std::string>> pairCompanions(const std::vector<std::string>& pictureNames,
                                                     const std::vector<std::string>& otherNames);

// The name a companion gets beside a picture that is given newPictureName
// (extension included): the new name without its extension and the
// companion's own extension (IMG_0001.CR2 -> Trip-3.CR2), or, for a sidecar
// named after the whole picture name, the whole new name and the sidecar's
// extension (IMG_0001.JPG.xmp -> Trip-3.jpg.xmp). pictureName is the
// picture's present name.
std::string companionTargetName(const std::string& pictureName, const std::string& companionName,
                                const std::string& newPictureName);

// The size of a companion file, read when it is needed (the scan notes
// names only); 0 when the file cannot be opened.
uint64_t companionFileSize(FileSystem& fileSystem, const std::string& path);

}  // namespace lumora
