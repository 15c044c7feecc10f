#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>

#include "albums/ClockOffsetText.h"
#include "albums/PictureSort.h"
#include "app/AlbumDetailsText.h"
#include "app/AlbumListText.h"
#include "catalog/PictureCatalog.h"
#include "catalog/ScanCommand.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Options.h"
#include "session/AlbumFields.h"
#include "session/EarlierSession.h"
#include "session/SessionLoad.h"
#include "session/SessionSave.h"

namespace lumora::cli {
namespace {

// Texts are shown in quotes with bytes outside printable ASCII escaped, so an
// empty text and trailing spaces stay visible.
std::string quoted(const char* data, size_t size) {
    std::string out = "\"";
    for (size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            out += escape;
        }
    }
    return out + "\"";
}

std::string quoted(const std::string& text) {
    return quoted(text.data(), text.size());
}

struct FieldPrinter {
    size_t index = 0;
    void name() { std::printf("    %s: ", kAlbumFieldNames[index++]); }
    void operator()(const int32_t& value) {
        name();
        std::printf("%" PRId32 "\n", value);
    }
    void operator()(const uint64_t& value) {
        name();
        std::printf("%" PRIu64 "\n", value);
    }
    void operator()(const float& value) {
        name();
        std::printf("%.9g\n", static_cast<double>(value));
    }
    void operator()(const std::string& value) {
        name();
        std::printf("%s\n", quoted(value).c_str());
    }
};

void printAlbums(const SessionData& data) {
    const SessionValues& v = data.values;
    const std::vector<std::string> lines = albumListLines(data.albums);
    // An earlier version's ranges are instants: their details show the
    // times they stood for here; the stored fields stay as stored.
    AlbumList shown = data.albums;
    if (!holdsZoneFreeValues(data)) readEarlierRangesAsInstants(shown);
    for (size_t i = 0; i < data.albums.size(); ++i) {
        std::printf("\n%s\n", lines[i].c_str());
        for (const std::string& line :
             albumDetailsLines(shown[i], v.targetText, v.dateFormat, v.timeFormat)) {
            std::printf("  %s\n", line.c_str());
        }
        std::printf("  Stored fields:\n");
        visitAlbumFields(data.albums[i], FieldPrinter{});
    }
}

void printRecords(const SessionData& data) {
    std::printf("\nPicture records (date order): %zu\n", data.pictures.size());
    size_t number = 1;
    for (const PictureRecord& r : data.pictures) {
        std::printf("%4zu. album %" PRId32 ", duplicate %" PRId32 ", removed %" PRId32
                    ", negative %" PRId32
                    ", custom name %u %s, date substituted %u, exif %u, "
                    "spare %u, picture id %" PRId32 ", signature",
                    number++, r.albumId, r.isDuplicate, r.isRemoved, r.isNegative, r.hasCustomName,
                    quoted(r.customName, strnlen(r.customName, 128)).c_str(), r.dateSubstituted,
                    r.IsExif, r.spare, r.pictureId);
        for (double value : r.signature) std::printf(" %.17g", value);
        std::printf("\n");
    }
}

int show(const std::string& path, const SessionData& data) {
    const SessionValues& v = data.values;
    std::printf("Session file: %s\n", path.c_str());
    std::printf("Header: %s\n", quoted(data.header, sizeof data.header).c_str());
    if (!holdsZoneFreeValues(data)) {
        std::printf("Written by an earlier version: album dates are shown as it showed them in "
                    "this time zone; \"session check\" matches them with the pictures\n");
    }
    std::printf("Date format: %d\nTime format: %d\nExclude duplicates: %d\nReserved: %d\n",
                v.dateFormat, v.timeFormat, v.excludeDuplicates, data.reserved);
    std::printf("Source directory: %s\nTarget directory: %s\n", quoted(v.sourceText).c_str(),
                quoted(v.targetText).c_str());
    std::printf("Albums: %zu\n", data.albums.size());
    std::printf("%s\n", albumSummaryText(data.albums, data.pictureCount).c_str());
    printAlbums(data);
    std::printf("\nDuplicates found: %d\nPictures at scan: %d\nFreed bytes: %.9g\n",
                v.duplicatesFound, v.picturesAtScan, static_cast<double>(v.freedBytes));
    std::printf("Picture count: %d\nTotal size: %.17g MB\n", data.pictureCount, data.totalSize);
    printRecords(data);
    // Only sessions with a corrected camera clock hold the block.
    if (!data.clocks.empty()) {
        std::printf("\nCamera clocks: %zu\n", data.clocks.size());
        for (const CameraClock& clock : data.clocks) {
            std::printf("  %s %s\n", quoted(cameraName(clock.camera)).c_str(),
                        clockOffsetText(clock.seconds).c_str());
        }
    }
    return kExitSuccess;
}

// Runs the scan that Load Session runs and the check that follows it.
int check(const std::string& path, const SessionData& data, Console& console) {
    const SessionValues& v = data.values;
    FailureWatch fileSystem(realFileSystem());
    CliPrompter prompter(console, AnswerPolicy::No, &fileSystem);
    TerminalProgress progress(console);
    PictureCatalog catalog(fileSystem);
    runScanCommand(catalog, v.sourceText, prompter, progress);
    console.clearProgress();
    PictureList& pictures = catalog.pictures();
    sortPictures(pictures, kSortByDate, false);
    if (!sourceMatches(pictures, data)) {
        char sizes[256];
        std::snprintf(sizes, sizeof sizes,
                      " (the source holds %zu pictures of %.17g MB; the session %zu of %.17g MB)",
                      pictures.size(), totalMegabytes(pictures, false), data.pictures.size(),
                      data.totalSize);
        console.error(path + ": " + kSourceModifiedText + sizes);
        return kExitFailure;
    }
    AlbumList albums = data.albums;
    if (!adaptEarlierSession(data, albums, pictures)) {
        console.error(path + ": " + kEarlierSessionUnmatchedText);
        return kExitFailure;
    }
    // Pictures are removed as duplicates, or, by organize, because they lie
    // in its target inside the source.
    size_t duplicates = 0;
    size_t leftOut = 0;
    for (const PictureRecord& record : data.pictures) {
        if (record.isRemoved == 0) continue;
        ++(record.isDuplicate != 0 ? duplicates : leftOut);
    }
    const std::string others =
        leftOut == 0 ? std::string() : ", " + std::to_string(leftOut) + " left out of the albums";
    std::printf("%s: loads against %s: %zu pictures (%zu removed as duplicates%s), %zu albums\n",
                path.c_str(), v.sourceText.c_str(), pictures.size(), duplicates, others.c_str(),
                data.albums.size());
    return kExitSuccess;
}

}  // namespace

int runSession(const Arguments& args) {
    ParsedArguments parsed;
    std::string problem;
    if (!parseArguments(args, {}, parsed, problem)) return usageError("session", problem);
    bool quiet = false;
    for (const Option& option : parsed.options) {
        if (option.name != "-q" && option.name != "--quiet") {
            return usageError("session", "unknown option '" + option.name + "'");
        }
        quiet = true;
    }
    const Arguments& operands = parsed.operands;
    if (operands.size() != 2 || (operands[0] != "show" && operands[0] != "check")) {
        return usageError("session", "give show or check and one session file");
    }
    const std::string& path = operands[1];
    Console console("session " + operands[0]);
    console.setQuiet(quiet);
    SessionData data;
    if (!readSessionForCommand(realFileSystem(), path, data, console)) return kExitFailure;
    return operands[0] == "show" ? show(path, data) : check(path, data, console);
}

}  // namespace lumora::cli
