#include "cli/Commands.h"

#include "albums/Thumbnail.h"
#include "albums/ThumbnailQueue.h"
#include "catalog/ExifReader.h"
#include "catalog/PictureCatalog.h"
#include "cli/CliSupport.h"
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
constexpr const char* kDiskErrorText = "Error while reading from disk";
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
        why = "cannot create the file (error " + std::to_string(error) + ")";
        return false;
    }
    if (!file->write(bytes.get(), size) || !file->close()) {
        why = "cannot write the file (error " + std::to_string(file->error()) + ")";
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
            why = "cannot create the folder " + prefix + " (error " + std::to_string(error) + ")";
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

// The placeholder the film shows for a picture it cannot read.
Image placeholder(bool negative) {
    Image image;
    image.LoadResource(res::kBitmapFilmPlaceholder, kFormatBmp);
    if (negative) image.Negative();
    return image;
}

int thumbnailUsage() {
    std::fprintf(stderr, "Usage: lumora-cli thumbnail FILE OUT.bmp [--negative]\n");
    return kExitUsage;
}

int thumbnailsUsage() {
    std::fprintf(stderr, "Usage: lumora-cli thumbnails [--negative] [--workers N] DIR OUTDIR\n");
    return kExitUsage;
}

}  // namespace

int runThumbnail(const Arguments& args) {
    bool negative = false;
    std::vector<std::string> positional;
    for (const std::string& arg : args) {
        if (arg == "--negative") {
            negative = true;
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "lumora-cli thumbnail: unknown option '%s'\n", arg.c_str());
            return thumbnailUsage();
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) return thumbnailUsage();
    const std::string& source = positional[0];
    const std::string& target = positional[1];

    FileSystem& fileSystem = realFileSystem();
    ErrorCode error = kErrorSuccess;
    auto file = fileSystem.openRead(source, error);
    if (!file) {
        std::fprintf(stderr, "lumora-cli thumbnail: %s: cannot open the file (error %u)\n",
                     source.c_str(), error);
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
        std::fprintf(
            stderr, "lumora-cli thumbnail: %s: %s (%s)\n", source.c_str(),
            result == ThumbnailResult::Unreadable ? kDiskErrorText : "the picture cannot be scaled",
            thumbnail.GetLastError().c_str());
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
    bool negative = false;
    int workers = ThumbnailQueue::defaultWorkers();
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--negative") {
            negative = true;
        } else if (arg == "--workers" && i + 1 < args.size()) {
            char* end = nullptr;
            const long value = std::strtol(args[++i].c_str(), &end, 10);
            if (end == args[i].c_str() || *end != '\0' || value < 0 || value > 64) {
                return thumbnailsUsage();
            }
            workers = static_cast<int>(value);
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "lumora-cli thumbnails: unknown option '%s'\n", arg.c_str());
            return thumbnailsUsage();
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) return thumbnailsUsage();
    const std::string source = withoutTrailingSeparators(positional[0]);
    const std::string target = withoutTrailingSeparators(positional[1]);

    FileSystem& fileSystem = realFileSystem();
    std::vector<DirectoryEntry> probe;
    if (ErrorCode error = fileSystem.listDirectory(source, probe); error != kErrorSuccess) {
        std::fprintf(stderr, "lumora-cli thumbnails: %s: cannot read the folder (error %u)\n",
                     source.c_str(), error);
        return kExitFailure;
    }
    if (isWithinFolder(fileSystem, target, source)) {
        std::fprintf(stderr,
                     "lumora-cli thumbnails: %s: lies in the source folder %s; choose an output "
                     "folder outside it\n",
                     target.c_str(), source.c_str());
        return kExitFailure;
    }
    // Files the scan cannot open are skipped, and said so on standard error.
    PolicyPrompter prompter({kAnswerOk});
    PictureCatalog catalog(fileSystem, systemClock());
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

    TerminalProgress progress;
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
            std::fprintf(stderr, "lumora-cli thumbnails: %s: the picture cannot be scaled (%s)\n",
                         picture.path.c_str(), thumbnail.GetLastError().c_str());
            ++failed;
            continue;
        }
        if (result == ThumbnailResult::Unreadable) {
            // As the film does when told to go on: the placeholder takes its place.
            std::fprintf(stderr, "lumora-cli thumbnails: %s: %s (%s)\n", picture.path.c_str(),
                         kDiskErrorText, thumbnail.GetLastError().c_str());
            ++failed;
            thumbnail = placeholder(negative);
        }
        const std::string output = outputPath(picture, source, target);
        const std::string folder = output.substr(0, output.find_last_of(kPathSeparator));
        if (!makeDirectories(fileSystem, folder, made, why) ||
            !writeBmp(fileSystem, thumbnail, output, why)) {
            progress.setStatus("");
            std::fprintf(stderr, "lumora-cli thumbnails: %s: %s\n", output.c_str(), why.c_str());
            return kExitFailure;
        }
        ++written;
    }
    progress.setStatus("");
    std::printf("%d thumbnails written to %s\n", written, target.c_str());
    return failed == 0 ? kExitSuccess : kExitFailure;
}

}  // namespace lumora::cli
