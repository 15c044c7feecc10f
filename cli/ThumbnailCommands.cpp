#include "cli/Commands.h"

#include "albums/Thumbnail.h"
#include "albums/ThumbnailQueue.h"
#include "catalog/ExifReader.h"
#include "catalog/PictureCatalog.h"
#include "cli/CliSupport.h"
#include "cli/ErrorWords.h"
#include "cli/Options.h"
#include "imaging/Image.h"
#include "platform/FileSystem.h"
#include "platform/Time.h"
#include "platform/WithinFolder.h"
#include "res/BitmapIds.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace lumora::cli {
namespace {

// The film's own texts.
constexpr const char* kBuildingFilmText = "Building film. Adding picture: %d, left %d.";
constexpr const char* kBuildingNegativeFilmText =
    "Building negative film. Adding picture: %d, left %d.";

bool writeBmp(FileSystem& fileSystem, Image& image, const std::string& path, std::string& why) {
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
    if (!image.Encode(bytes, size, kFormatBmp)) {
        why = image.GetLastError();
        return false;
    }
    ErrorCode error = kErrorSuccess;
    auto file = fileSystem.openWrite(path, CreateMode::Always, error);
    if (!file) {
        why = "cannot create the file: " + describeError(error);
        return false;
    }
    if (!file->write(bytes.get(), size) || !file->close()) {
        why = "cannot write the file: " + describeError(file->error());
        return false;
    }
    return true;
}

// Creates the folder and its missing parents; `made` remembers folders that
// exist already, so that a thousand pictures of one folder ask only once.
bool makeDirectories(FileSystem& fileSystem, const std::string& path, std::set<std::string>& made,
                     std::string& why) {
    if (path.empty() || made.count(path) != 0) return true;
    for (size_t end = 1; end <= path.size(); ++end) {
        if (end != path.size() && path[end] != kPathSeparator) continue;
        const std::string prefix = path.substr(0, end);
        if (made.count(prefix) != 0) continue;
        const ErrorCode error = fileSystem.createDirectory(prefix);
        if (error != kErrorSuccess && error != kErrorAlreadyExists) {
            why = prefix + ": cannot create the folder: " + describeError(error);
            return false;
        }
        made.insert(prefix);
    }
    return true;
}

std::string withoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && path.back() == kPathSeparator) path.pop_back();
    return path;
}

// The scan names every picture by the root, a separator and the rest.
std::string relativeTo(const std::string& path, const std::string& root) {
    const size_t skip = root.size() + (root.back() == kPathSeparator ? 0 : 1);
    return skip <= path.size() ? path.substr(skip) : path;
}

// The picture's place below the source, so that equal names in two folders
// do not collide.
std::string outputPath(const PictureEntry& picture, const std::string& source,
                       const std::string& target) {
    return joinPath(target, relativeTo(picture.path, source) + ".bmp");
}

// Finds an output name that is already there as a link (or a second name)
// of one of the pictures, which writing the thumbnail would replace.
bool outputReachesAPicture(FileSystem& fileSystem, const PictureList& pictures,
                           const std::string& source, const std::string& target,
                           std::string& output, std::string& picturePath) {
    std::map<std::pair<uint64_t, uint64_t>, const std::string*> inputs;
    for (const PictureEntry& picture : pictures) {
        FileIdentity identity;
        if (fileSystem.identify(picture.path, identity)) {
            inputs.emplace(std::pair(identity.device, identity.inode), &picture.path);
        }
    }
    for (const PictureEntry& picture : pictures) {
        output = outputPath(picture, source, target);
        FileIdentity identity;
        if (!fileSystem.identify(output, identity)) continue;
        const auto found = inputs.find(std::pair(identity.device, identity.inode));
        if (found != inputs.end()) {
            picturePath = *found->second;
            return true;
        }
    }
    return false;
}

// Why no thumbnail could be made of a picture that gave nothing to scale:
// the disk, in words, when the file cannot be read through, else the
// decoder's reason. A damaged picture is no disk error.
std::string unreadableReason(FileSystem& fileSystem, const std::string& path,
                             const Image& attempt) {
    ErrorCode error = kErrorSuccess;
    auto file = fileSystem.openRead(path, error);
    if (file) {
        uint8_t buffer[65536];
        while (file->read(buffer, sizeof buffer) == sizeof buffer) {
        }
        error = file->error();
    }
    if (error != kErrorSuccess) return "cannot read the file: " + describeError(error);
    return "the picture cannot be decoded (" + attempt.GetLastError() + ")";
}

// The placeholder the film shows for a picture it cannot read.
Image placeholder(bool negative) {
    Image image;
    image.LoadResource(res::kBitmapFilmPlaceholder, kFormatBmp);
    if (negative) image.Negative();
    return image;
}

}  // namespace

int runThumbnail(const Arguments& args) {
    constexpr const char* kCommand = "thumbnail";
    ParsedArguments parsed;
    std::string problem;
    if (!parseArguments(args, {}, parsed, problem)) return usageError(kCommand, problem);
    bool negative = false;
    for (const Option& option : parsed.options) {
        if (option.name != "--negative") {
            return usageError(kCommand, "unknown option '" + option.name + "'");
        }
        negative = true;
    }
    if (parsed.operands.size() != 2) return usageError(kCommand, "give FILE and OUT.bmp");
    const std::string& source = parsed.operands[0];
    const std::string& target = parsed.operands[1];

    FileSystem& fileSystem = realFileSystem();
    ErrorCode error = kErrorSuccess;
    auto file = fileSystem.openRead(source, error);
    if (!file) {
        std::fprintf(stderr, "lumora-cli thumbnail: %s: cannot open the file: %s\n", source.c_str(),
                     describeError(error).c_str());
        return kExitFailure;
    }
    // Under any name (a link, another spelling of the path) the picture
    // itself would be replaced by its thumbnail.
    if (sameFile(fileSystem, source, target)) {
        std::fprintf(stderr,
                     "lumora-cli thumbnail: %s: is the picture itself; choose another output "
                     "file\n",
                     target.c_str());
        return kExitFailure;
    }
    // The EXIF record says whether an embedded thumbnail can stand in for
    // the picture.
    PictureEntry picture;
    picture.path = source;
    picture.exif = std::make_shared<ExifInfo>();
    ExifReader reader(picture.exif.get());
    reader.setDiagnostics(nullptr);
    reader.decode(*file);
    file.reset();

    Image thumbnail;
    const ThumbnailResult result =
        makeThumbnail(fileSystem, picture, ThumbnailOptions{negative}, nullProgress(), thumbnail);
    if (result != ThumbnailResult::Made) {
        const std::string why =
            result == ThumbnailResult::Unreadable
                ? unreadableReason(fileSystem, source, thumbnail)
                : "the picture cannot be scaled (" + thumbnail.GetLastError() + ")";
        std::fprintf(stderr, "lumora-cli thumbnail: %s: %s\n", source.c_str(), why.c_str());
        return kExitFailure;
    }
    std::string why;
    if (!writeBmp(fileSystem, thumbnail, target, why)) {
        std::fprintf(stderr, "lumora-cli thumbnail: %s: %s\n", target.c_str(), why.c_str());
        return kExitFailure;
    }
    return kExitSuccess;
}

int runThumbnails(const Arguments& args) {
    constexpr const char* kCommand = "thumbnails";
    ParsedArguments parsed;
    std::string problem;
    if (!parseArguments(args, {"--workers"}, parsed, problem)) return usageError(kCommand, problem);
    bool negative = false;
    bool quiet = false;
    int workers = ThumbnailQueue::defaultWorkers();
    for (const Option& option : parsed.options) {
        if (option.name == "--negative") {
            negative = true;
        } else if (option.name == "-q" || option.name == "--quiet") {
            quiet = true;
        } else if (option.name == "--workers") {
            char* end = nullptr;
            const long value = std::strtol(option.value.c_str(), &end, 10);
            if (end == option.value.c_str() || *end != '\0' || value < 0 || value > 64) {
                return usageError(kCommand, "--workers takes a number from 0 to 64");
            }
            workers = static_cast<int>(value);
        } else {
            return usageError(kCommand, "unknown option '" + option.name + "'");
        }
    }
    const Arguments& positional = parsed.operands;
    if (positional.size() != 2) return usageError(kCommand, "give DIR and OUTDIR");
    const std::string source = withoutTrailingSeparators(positional[0]);
    const std::string target = withoutTrailingSeparators(positional[1]);

    FileSystem& fileSystem = realFileSystem();
    Console console(kCommand);
    console.setQuiet(quiet);
    if (!folderReadable(fileSystem, source, console)) return kExitFailure;
    if (isWithinFolder(fileSystem, target, source)) {
        std::fprintf(stderr,
                     "lumora-cli thumbnails: %s: lies in the source folder %s; choose an output "
                     "folder outside it\n",
                     target.c_str(), source.c_str());
        return kExitFailure;
    }
    // Files the scan cannot open are skipped, and said so on standard error.
    FailureWatch watch(fileSystem);
    CliPrompter prompter(console, AnswerPolicy::No, &watch);
    PictureCatalog catalog(watch);
    catalog.scanSource(source, true, prompter);
    const PictureList& pictures = catalog.pictures();
    std::string output;
    std::string reached;
    if (outputReachesAPicture(fileSystem, pictures, source, target, output, reached)) {
        std::fprintf(stderr,
                     "lumora-cli thumbnails: %s: is the picture %s under another name; choose "
                     "another output folder\n",
                     output.c_str(), reached.c_str());
        return kExitFailure;
    }

    std::set<std::string> made;
    std::string why;
    if (!makeDirectories(fileSystem, target, made, why)) {
        std::fprintf(stderr, "lumora-cli thumbnails: %s\n", why.c_str());
        return kExitFailure;
    }

    TerminalProgress progress(console);
    progress.setRange(0, static_cast<int64_t>(pictures.size()));
    const int count = static_cast<int>(pictures.size());
    ThumbnailQueue queue(fileSystem, pictures, ThumbnailOptions{negative}, workers);
    int written = 0;
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        const PictureEntry& picture = pictures[static_cast<size_t>(i)];
        char status[128];
        std::snprintf(status, sizeof status,
                      negative ? kBuildingNegativeFilmText : kBuildingFilmText, i + 1,
                      count - i - 1);
        progress.setStatus(status);
        progress.setPosition(i + 1);

        ThumbnailResult result = ThumbnailResult::Unreadable;
        Image thumbnail;
        queue.next(result, thumbnail, nullProgress());
        if (result == ThumbnailResult::ScaleFailed) {
            console.error(picture.path + ": the picture cannot be scaled (" +
                          thumbnail.GetLastError() + ")");
            ++failed;
            continue;
        }
        if (result == ThumbnailResult::Unreadable) {
            // As the film does when told to go on: the placeholder takes its place.
            console.error(picture.path + ": " +
                          unreadableReason(fileSystem, picture.path, thumbnail));
            ++failed;
            thumbnail = placeholder(negative);
        }
        const std::string bmpPath = outputPath(picture, source, target);
        const std::string folder = bmpPath.substr(0, lastPathSeparator(bmpPath));
        if (!makeDirectories(fileSystem, folder, made, why) ||
            !writeBmp(fileSystem, thumbnail, bmpPath, why)) {
            console.error(bmpPath + ": " + why);
            return kExitFailure;
        }
        ++written;
    }
    console.result(std::to_string(written) + " thumbnails written to " + target);
    return failed == 0 ? kExitSuccess : kExitFailure;
}

}  // namespace lumora::cli
