#pragma once

#include <cstddef>
#include <iterator>
#include <type_traits>

#include "albums/Album.h"

namespace lumora {

// The fields of an album in the order a session file holds them, which is
// not the order of Album. The writer and the reader both walk this one list,
// so they cannot drift apart. `album` is an Album or a const Album; `field`
// is called with a reference to each int32_t, float, uint64_t or std::string
// field in turn.
template <typename AlbumType, typename Visitor>
requires std::is_same_v<std::remove_const_t<AlbumType>, Album>
void visitAlbumFields(AlbumType& album, Visitor&& field) {
    auto& f = album.filter;
    field(album.addCameraModel);
    field(album.addDate);
    field(album.addTime);
    field(f.useAperture);
    field(f.useDistance);
    field(f.useResolution);
    field(f.useExposureBias);
    field(f.useExposureProgram);
    field(f.useExposureTime);
    field(f.useFocalLength);
    field(f.useFlash);
    field(f.useIso);
    field(f.useMeteringMode);
    field(f.useWhiteBalance);
    field(f.useSize);
    field(f.cameraMake);
    field(album.createSubDirectory);
    field(album.directoryName);
    field(album.endKey);
    field(f.exposureProgram);
    field(album.endTime);
    field(album.startTime);
    field(album.id);
    field(f.flashUsed);
    field(f.advancedEnabled);
    field(f.liveUpdate);
    field(album.keepOriginalName);
    field(f.apertureMax);
    field(f.xResolutionMax);
    field(f.distanceMax);
    field(f.exposureTimeMax);
    field(f.exposureBiasMax);
    field(f.focalLengthMax);
    field(f.isoMax);
    field(f.widthMax);
    field(f.apertureMin);
    field(f.xResolutionMin);
    field(f.distanceMin);
    field(f.exposureTimeMin);
    field(f.exposureBiasMin);
    field(f.focalLengthMin);
    field(f.isoMin);
    field(f.widthMin);
    field(f.meteringMode);
    field(f.cameraModel);
    field(album.pictureCount);
    field(album.name);
    field(album.unsaved);
    field(album.processed);
    field(album.sizeMB);
    field(album.startKey);
    field(f.whiteBalance);
}

// The fields' names in the same order, for showing a stored album.
inline constexpr const char* kAlbumFieldNames[] = {
    "addCameraModel",
    "addDate",
    "addTime",
    "useAperture",
    "useDistance",
    "useResolution",
    "useExposureBias",
    "useExposureProgram",
    "useExposureTime",
    "useFocalLength",
    "useFlash",
    "useIso",
    "useMeteringMode",
    "useWhiteBalance",
    "useSize",
    "cameraMake",
    "createSubDirectory",
    "directoryName",
    "endKey",
    "exposureProgram",
    "endTime",
    "startTime",
    "id",
    "flashUsed",
    "advancedEnabled",
    "liveUpdate",
    "keepOriginalName",
    "apertureMax",
    "xResolutionMax",
    "distanceMax",
    "exposureTimeMax",
    "exposureBiasMax",
    "focalLengthMax",
    "isoMax",
    "widthMax",
    "apertureMin",
    "xResolutionMin",
    "distanceMin",
    "exposureTimeMin",
    "exposureBiasMin",
    "focalLengthMin",
    "isoMin",
    "widthMin",
    "meteringMode",
    "cameraModel",
    "pictureCount",
    "name",
    "unsaved",
    "processed",
    "sizeMB",
    "startKey",
    "whiteBalance",
};
inline constexpr size_t kAlbumFieldCount = std::size(kAlbumFieldNames);
static_assert(kAlbumFieldCount == 52);

// The fewest bytes one album takes: its fixed fields and four empty strings.
inline constexpr size_t kMinimumAlbumBytes = 224;

}  // namespace lumora
