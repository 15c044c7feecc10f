#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/SessionCommands.h"
#include "app/Workspace.h"
#include "tests/support/TempDir.h"

namespace lumora::test {

// A source folder of ten pictures: a burst of three taken in the same second
// (whose folder order differs from their paths' byte order), pictures in a
// subfolder, one dated zero, and a pair the duplicate search would pair up.
void writeSourcePictures(const TempDir& source);

// The work of a user over that folder: scanned, three albums with filter
// settings and naming options, negatives, custom names, signatures, one
// duplicate removed, formats and a target chosen. The prompter must answer
// the scan's zero-date warning.
void buildWork(Workspace& workspace, const std::string& source, Prompter& prompter);

// Everything a user can see or a later step reads, one line per item: the
// values, the album list with each album's details, the status line and the
// state of every picture and removed picture.
std::vector<std::string> snapshot(const Workspace& workspace);

inline ChooseFile fileNamed(const std::string& path) {
    return [path] { return std::optional<std::string>(path); };
}

}  // namespace lumora::test
