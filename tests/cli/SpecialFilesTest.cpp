#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/Commands.h"
#include "cli/ExifCommand.h"
#include "cli/InfoCommand.h"
#include "platform/FileSystem.h"
#include "platform/Time.h"
#include "tests/support/FifoWatch.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/TempDir.h"

namespace lumora::cli {
namespace {

// The exit code and the error text of a command run on memory streams.
struct CommandRun {
    int exitCode = -1;
    std::string err;
};

template <typename Command>
CommandRun runCaptured(Command command) {
    char* outText = nullptr;
    char* errText = nullptr;
    size_t outSize = 0, errSize = 0;
    std::FILE* out = open_memstream(&outText, &outSize);
    std::FILE* err = open_memstream(&errText, &errSize);
    CommandRun run;
    run.exitCode = command(out, err);
    std::fclose(out);
    std::fclose(err);
    run.err.assign(errText, errSize);
    std::free(outText);
    std::free(errText);
    return run;
}

// A FIFO named like a picture would hold an ordinary open for ever when no
// writer comes: each command takes it for a file it cannot read, at once.
TEST(SpecialFiles, aFifoNamedLikeAPictureIsRefusedByEveryCommandWithoutWaiting) {
    test::TempDir dir;
    dir.writeFile("source/a.jpg", test::exifPicture("2004:05:06 07:08:09"));
    test::FifoWatch fifo(dir.file("source/pipe.jpg"));

    const CommandRun info = runCaptured([&](std::FILE* out, std::FILE* err) {
        return printPictureInfo(fifo.path(), realFileSystem(), out, err);
    });
    EXPECT_EQ(info.exitCode, kExitFailure);
    EXPECT_NE(info.err.find("cannot open"), std::string::npos) << info.err;

    for (const std::string& named : {fifo.path(), dir.file("source")}) {
        const CommandRun exif = runCaptured([&](std::FILE* out, std::FILE* err) {
            return runExifCommand({"--json", named}, realFileSystem(), out, err);
        });
        EXPECT_EQ(exif.exitCode, kExitFailure) << named;
        EXPECT_NE(exif.err.find("pipe.jpg: cannot open"), std::string::npos) << exif.err;
    }

    EXPECT_EQ(runThumbnail({fifo.path(), dir.file("out.bmp")}), kExitFailure);
    // Nor is a FIFO written to as the thumbnail.
    EXPECT_EQ(runThumbnail({dir.file("source/a.jpg"), fifo.path()}), kExitFailure);
    // The folder's readable picture still gets its thumbnail.
    EXPECT_EQ(runThumbnails({dir.file("source"), dir.file("thumbs")}), kExitSuccess);
    ErrorCode error = kErrorSuccess;
    EXPECT_NE(realFileSystem().openRead(dir.file("thumbs/a.jpg.bmp"), error), nullptr);

    EXPECT_EQ(fifo.meetings(), 0);
}

}  // namespace
}  // namespace lumora::cli
