#pragma once

#include <string>

#include "albums/AlbumList.h"
#include "albums/CameraClock.h"
#include "app/Workspace.h"
#include "platform/Prompter.h"

namespace lumora {

inline constexpr const char* kCameraClocksCaption = "Camera clocks";

// How many pictures of saved albums the corrections would take out of their
// album's time range. Processed albums are left out: what is filed keeps
// its album whatever its time.
int picturesLeavingAlbums(const PictureList& pictures, const AlbumList& albums,
                          const CameraClocks& clocks);

// The question asked before such a change, with how many pictures.
std::string picturesLeavingQuestion(int count);

// Puts new corrections in force: every picture (removed duplicates too)
// takes its camera's, the picture list is sorted by date again, and album
// ranges are checked. When pictures of saved albums would leave their
// album's range the prompter is asked first: Yes widens those albums'
// ranges so that they keep their pictures, No leaves everything as it was
// and returns false. The files and their EXIF data are never touched.
bool changeCameraClocks(Workspace& workspace, const CameraClocks& clocks, Prompter& prompter);

}  // namespace lumora
