#pragma once

#include <string>

#include "app/Workspace.h"
#include "platform/Prompter.h"

namespace lumora {

// The screenshot mode's pictures of the Edit Album dialog over the pictures
// of source, written into folder as PNG files: "edit-album.png" (a positive
// film of real thumbnails with two pictures left out, one picture's
// information shown and a custom picture name being typed),
// "edit-album-1366x768.png" (the dialog at the size it opens with, on a
// screen of 1366 x 768 under a title bar and above a desktop panel) and
// "edit-album-negative.png" (the next album from a negative film with three
// pictures developed), and "edit-album-upright.png" (a film of pictures taken
// with the camera held level, turned either way and mirrored, each shown
// upright). Questions are answered OK or Yes and printed. Each
// path written is printed on standard output. False, with a message on
// standard error, when a picture could not be written.
bool writeEditAlbumScreenshots(const std::string& source, const std::string& folder);

// What every screenshot of the Edit Album dialog starts from: folder made,
// source scanned and a new positive album started. False, with a message on
// standard error, when no album can be made of the pictures.
bool startScreenshotAlbum(const std::string& source, const std::string& folder,
                          Workspace& workspace, Prompter& prompter);

}  // namespace lumora
