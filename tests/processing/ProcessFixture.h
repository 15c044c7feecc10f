#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "albums/AlbumList.h"
#include "catalog/PictureEntry.h"
#include "platform/ProgressSink.h"
#include "platform/Time.h"
#include "processing/ProcessAlbums.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"

namespace lumora::test {

// Records every status text and the last bar state.
class RecordingSink : public ProgressSink {
  public:
    void setStatus(const std::string& text) override { statuses.push_back(text); }
    void setRange(int64_t lower, int64_t upper) override {
        rangeLower = lower;
        rangeUpper = upper;
    }
    void setPosition(int64_t value) override { position = value; }
    void setStep(int64_t value) override { stepSize = value; }
    void step() override { position += stepSize; }
    std::string last() const { return statuses.empty() ? std::string() : statuses.back(); }

    std::vector<std::string> statuses;
    int64_t rangeLower = 0, rangeUpper = 0, position = 0, stepSize = 0;
};

// FILETIME of a UTC calendar time; with TZ=UTC0 its date and time texts read
// the same figures.
uint64_t fileTimeAt(int year, int month, int day, int hour, int minute, int second);

std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
// The names in a folder, sorted; temporary files included, the folder of
// the runs' journals (".lumora") left out.
std::vector<std::string> listNames(const std::string& folder);

// A source folder of small files with distinct contents, a target folder,
// the picture list over the sources and the albums, in UTC.
class ProcessBench {
  public:
    ProcessBench();

    // Appends a picture file under source/ (relative name) with its own bytes.
    PictureEntry& addPicture(const std::string& relative, uint64_t dateTime, int32_t pictureId,
                             int32_t albumId);
    // Appends an album with the new-album values and the next id.
    Album& addAlbum(const std::string& name, const std::string& directoryName);
    // Counts and sizes of every album from the pictures that carry its id.
    void countAlbums();

    ProcessReport run(FileSystem& fileSystem, Prompter& prompter, int32_t moveMode = 0,
                      const StopRequest* stop = nullptr);

    // Every picture's bytes are still there, at its source or in one file of
    // the target (a move that was copied instead leaves both), and never in
    // two files besides the source; after a copy the source is unchanged.
    // Returns a description of the first picture for which that fails.
    std::string misplacedPicture(int32_t moveMode) const;

    bool bringCompanions = true;  // the run's "Bring companion files"
    TzGuard zone{"UTC0"};
    TempDir temp;
    std::string source;
    std::string target;
    PictureList pictures;
    AlbumList albums;
    std::vector<std::string> contents;  // each picture's bytes, by index
    RecordingSink upper;
    RecordingSink lower;
};

}  // namespace lumora::test
