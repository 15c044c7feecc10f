#include "cli/ExifCommand.h"

#include <string>
#include <vector>

#include "catalog/ExifReader.h"
#include "cli/ErrorWords.h"
#include "cli/ExifJson.h"

namespace lumora::cli {
namespace {

const char* kUsage = "Usage: lumora-cli exif --json PATH...\n";

bool hasJpegExtension(const std::string& name) {
    const auto endsWith = [&](const char* tail, size_t length) {
        if (name.size() < length) return false;
        for (size_t i = 0; i < length; ++i) {
            char c = name[name.size() - length + i];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (c != tail[i]) return false;
        }
        return true;
    };
    return endsWith(".jpg", 4) || endsWith(".jpeg", 5);
}

class ExifPrinter {
  public:
    ExifPrinter(FileSystem& fileSystem, std::FILE* out, std::FILE* err)
        : fileSystem_(fileSystem), out_(out), err_(err) {
        reader_.setDiagnostics(err);
    }

    void visitNamed(std::string path) {
        while (path.size() > 1 && isPathSeparator(path.back())) path.pop_back();
        std::vector<DirectoryEntry> entries;
        const ErrorCode error = fileSystem_.listDirectory(path, entries);
        if (error == kErrorSuccess) {
            visitFolder(path, entries);
        } else if (error == kErrorDirectory || error == kErrorPathNotFound) {
            // Not a folder: a file, or a path through one. A missing name is
            // a path not found to the folder search; opening it tells whether
            // the file or a folder above it is missing.
            printFile(path);
        } else {
            complain(path, "cannot open: " + describeError(error));
        }
    }

    bool failed() const { return failed_; }

  private:
    void visitFolder(const std::string& path, const std::vector<DirectoryEntry>& entries) {
        for (const DirectoryEntry& entry : entries) {
            if (!entry.isDirectory && hasJpegExtension(entry.name)) {
                printFile(joinPath(path, entry.name));
            }
        }
        for (const DirectoryEntry& entry : entries) {
            if (!entry.isDirectory || entry.isSymbolicLink) continue;
            const std::string folder = joinPath(path, entry.name);
            std::vector<DirectoryEntry> inner;
            const ErrorCode error = fileSystem_.listDirectory(folder, inner);
            if (error != kErrorSuccess) {
                complain(folder, "cannot list folder: " + describeError(error));
                continue;
            }
            visitFolder(folder, inner);
        }
    }

    void printFile(const std::string& path) {
        ErrorCode error = kErrorSuccess;
        const auto file = fileSystem_.openRead(path, error);
        if (!file) {
            complain(path, "cannot open: " + describeError(error));
            return;
        }
        unsigned char start[2] = {};
        const bool jpeg = file->read(start, 2) == 2 && start[0] == 0xFF && start[1] == 0xD8;
        if (file->error() != kErrorSuccess) {
            complain(path, "cannot read: " + describeError(file->error()));
            return;
        }
        if (!jpeg) {
            complain(path, "not a JPEG file");
            return;
        }
        if (!file->seek(0)) {
            complain(path, "cannot read: " + describeError(file->error()));
            return;
        }
        reader_.reset();
        reader_.decode(*file);
        if (file->error() != kErrorSuccess) {
            complain(path, "cannot read: " + describeError(file->error()));
            return;
        }
        const std::string line = exifJsonLine(path, reader_.info()) + '\n';
        std::fwrite(line.data(), 1, line.size(), out_);
    }

    void complain(const std::string& path, const std::string& what) {
        std::fprintf(err_, "lumora-cli: %s: %s\n", path.c_str(), what.c_str());
        failed_ = true;
    }

    FileSystem& fileSystem_;
    std::FILE* out_;
    std::FILE* err_;
    ExifReader reader_;
    bool failed_ = false;
};

}  // namespace

int runExifCommand(const Arguments& args, FileSystem& fileSystem, std::FILE* out, std::FILE* err) {
    bool json = false;
    bool optionsEnded = false;
    std::vector<std::string> paths;
    for (const std::string& arg : args) {
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            paths.push_back(arg);
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--") {
            optionsEnded = true;
        } else {
            std::fprintf(err, "lumora-cli: exif: unknown option '%s'\n%s", arg.c_str(), kUsage);
            return kExitUsage;
        }
    }
    if (!json || paths.empty()) {
        std::fputs(
            json ? "lumora-cli: exif: no PATH given\n" : "lumora-cli: exif: --json is required\n",
            err);
        std::fputs(kUsage, err);
        return kExitUsage;
    }

    ExifPrinter printer(fileSystem, out, err);
    for (const std::string& path : paths) printer.visitNamed(path);
    std::fflush(out);
    return printer.failed() ? kExitFailure : kExitSuccess;
}

int runExif(const Arguments& args) {
    return runExifCommand(args, realFileSystem(), stdout, stderr);
}

}  // namespace lumora::cli
