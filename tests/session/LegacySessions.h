#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Workspace.h"
#include "platform/Prompter.h"
#include "tests/support/TempDir.h"

namespace lumora::test {

// The session files kept in tests/session/fixtures were written by the
// program before it read a picture's time without any zone: in two zones,
// with "now" in winter and in summer. This is what they were written over.

// One picture of the fixtures' source folder and the state its record holds.
struct LegacyPicture {
    const char* name;
    const char* dateText;
    int32_t albumId;  // as saved; 0 in no album
    int32_t isNegative;
    int32_t isRemoved;       // removed as a duplicate
    const char* customName;  // null: none
};

const std::vector<LegacyPicture>& legacyPictures();

// Each picture's signature starts with its place in legacyPictures() plus 1,
// so a loaded picture tells which record it was given.
double legacyMarker(size_t index);

struct LegacyFixture {
    const char* file;  // in tests/session/fixtures
    const char* zone;  // POSIX TZ the file was written in
    int64_t now;       // the clock when it was written
};

const std::vector<LegacyFixture>& legacyFixtures();

// Writes the pictures into the folder, byte for byte as when the fixtures
// were made.
void writeLegacyPictures(const TempDir& source);

// The work saved in every fixture: the folder scanned, the albums of
// legacyPictures() with the range the Edit Album dialog would have given
// them (one sorted descending, one set by hand across the year), the marks,
// names and signatures.
void buildLegacyWork(Workspace& workspace, const std::string& source, Prompter& prompter);

}  // namespace lumora::test
