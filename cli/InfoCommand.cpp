#include "cli/InfoCommand.h"

#include <cstring>
#include <string>
#include <vector>

#include "albums/PictureInfoText.h"
#include "catalog/DateTimeValue.h"
#include "catalog/ExifReader.h"
#include "catalog/PictureCatalog.h"
#include "cli/Commands.h"
#include "cli/ErrorWords.h"
#include "cli/Options.h"

namespace lumora::cli {
namespace {

constexpr int kDefaultDateFormat = 1;
constexpr int kDefaultTimeFormat = 1;

int fail(std::FILE* err, const std::string& path, const std::string& what) {
    std::fprintf(err, "lumora-cli info: %s: %s\n", path.c_str(), what.c_str());
    return kExitFailure;
}

}  // namespace

int printPictureInfo(const std::string& path, FileSystem& fileSystem, std::FILE* out,
                     std::FILE* err) {
    std::vector<DirectoryEntry> entries;
    if (fileSystem.listDirectory(path, entries) == kErrorSuccess) {
        return fail(err, path, "a folder, not a picture file");
    }
    ErrorCode error = kErrorSuccess;
    const auto file = fileSystem.openRead(path, error);
    if (!file) return fail(err, path, "cannot open the file: " + describeError(error));
    unsigned char start[2] = {};
    const bool jpeg = file->read(start, 2) == 2 && start[0] == 0xFF && start[1] == 0xD8;
    if (file->error() != kErrorSuccess) {
        return fail(err, path, "cannot read the file: " + describeError(file->error()));
    }
    if (!jpeg) return fail(err, path, "not a JPEG file");
    if (!file->seek(0))
        return fail(err, path, "cannot read the file: " + describeError(file->error()));

    ExifReader reader;
    reader.setDiagnostics(nullptr);
    reader.decode(*file);
    if (file->error() != kErrorSuccess) {
        return fail(err, path, "cannot read the file: " + describeError(file->error()));
    }
    ExifInfo& exif = reader.info();
    // The program shows Picture Info only for pictures the scan lists.
    if (!exif.IsExif) return fail(err, path, "no EXIF information");

    // The scan lists a picture dated all zeros under its file's creation
    // time, and the program shows that date; so does info.
    if (std::strcmp(exif.DateTime, kZeroDateText) == 0) {
        substituteZeroDate(exif, file->facts().creationTime);
    }
    const uint64_t dateTime = dateTimeValue(exif.DateTime);
    for (const std::string& line :
         pictureInfoLines(exif, dateTime, kDefaultDateFormat, kDefaultTimeFormat)) {
        std::fprintf(out, "%s\n", line.c_str());
    }
    return kExitSuccess;
}

int runInfo(const Arguments& args) {
    ParsedArguments parsed;
    std::string problem;
    if (!parseArguments(args, {}, parsed, problem)) return usageError("info", problem);
    if (!parsed.options.empty()) {
        return usageError("info", "unknown option '" + parsed.options[0].name + "'");
    }
    if (parsed.operands.size() != 1) return usageError("info", "give one picture file");
    return printPictureInfo(parsed.operands[0], realFileSystem(), stdout, stderr);
}

}  // namespace lumora::cli
