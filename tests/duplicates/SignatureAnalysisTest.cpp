#include "duplicates/SignatureAnalysis.h"

#include <gtest/gtest.h>

#include <cstring>

#include "duplicates/Signature.h"
#include "samples/JpegFileWriter.h"
#include "tests/duplicates/RecordingProgress.h"
#include "tests/duplicates/SignaturePictures.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

using test::RecordingProgress;
using test::signatureOf;
using test::signedPicture;

using Lines = std::vector<std::string>;

// Pictures of a folder: decodable ones, a copy, a damaged file and a missing one.
PictureList mixedPictures(const test::TempDir& dir) {
    PictureList pictures;
    for (uint32_t seed = 1; seed <= 9; ++seed) {
        const std::string name = "p" + std::to_string(seed) + ".jpg";
        pictures.push_back(signedPicture(
            dir.writeFile(name,
                          samples::encodePattern(64 + 8 * static_cast<int>(seed), 48, 3, 85, seed)),
            {}));
    }
    pictures.push_back(signedPicture(dir.writeFile("bad.jpg", std::string("garbage")), {}));
    pictures.push_back(signedPicture(dir.file("missing.jpg"), {}));
    pictures.push_back(
        signedPicture(dir.writeFile("copy/p3.jpg", samples::encodePattern(88, 48, 3, 85, 3)), {}));
    return pictures;
}

TEST(AnalysePictures, showsEveryPictureAndStepsOncePerPicture) {
    test::TempDir dir;
    PictureList pictures = {
        signedPicture(dir.writeFile("a.jpg", samples::encodePattern(64, 64, 3, 85, 1)), {}),
        signedPicture(dir.writeFile("b.jpg", std::string("no picture")), {}),
        signedPicture("/already", {0.5, 0.5})};
    RecordingProgress progress;
    EXPECT_EQ(analysePictures(pictures, progress), 1);
    EXPECT_EQ(progress.events, (Lines{"range 0 3", "position 0", "step size 1",
                                      "status Analizing picture 1. Please wait...", "step",
                                      "status Analizing picture 2. Please wait...", "step",
                                      "status Analizing picture 3. Please wait...", "step",
                                      "status Analize finished.Ready to compare."}));
    EXPECT_NE(pictures[0].exif->signature[0], 0.0);
    EXPECT_EQ(pictures[1].exif->signature[0], 0.0);
    EXPECT_EQ(pictures[2].exif->signature[0], 0.5);
}

TEST(AnalysePictures, analysingTwiceComputesNothingTwiceButRetriesFailures) {
    test::TempDir dir;
    PictureList pictures = mixedPictures(dir);
    test::FaultyFileSystem fileSystem;
    RecordingProgress first;
    EXPECT_EQ(analysePictures(pictures, first, fileSystem), 10);
    EXPECT_EQ(fileSystem.callCount(test::FsCall::OpenRead), 12);
    std::vector<SignatureValues> before;
    for (const PictureEntry& picture : pictures) before.push_back(signatureOf(picture));

    RecordingProgress second;
    EXPECT_EQ(analysePictures(pictures, second, fileSystem), 0);
    // Only the two pictures without a signature are opened again.
    EXPECT_EQ(fileSystem.callCount(test::FsCall::OpenRead), 14);
    EXPECT_EQ(fileSystem.callCount(test::FsCall::OpenRead, dir.file("bad.jpg")), 2);
    for (size_t i = 0; i < pictures.size(); ++i) EXPECT_EQ(signatureOf(pictures[i]), before[i]);
    EXPECT_EQ(first.events, second.events);
}

TEST(AnalysePictures, helpersChangeNeitherSignaturesNorTexts) {
    test::TempDir dir;
    const PictureList original = mixedPictures(dir);
    const auto analyse = [&](int helpers, std::vector<SignatureValues>& values) {
        PictureList pictures = original;
        for (PictureEntry& picture : pictures) picture.exif = std::make_shared<ExifInfo>();
        pictures[4].exif->signature[0] = 0.75;  // analysed before
        RecordingProgress progress;
        const int stored = analysePictures(pictures, progress, realFileSystem(), helpers);
        for (const PictureEntry& picture : pictures) values.push_back(signatureOf(picture));
        EXPECT_EQ(stored, 9);
        return progress.events;
    };
    std::vector<SignatureValues> alone;
    const Lines aloneEvents = analyse(0, alone);
    for (int helpers : {1, 3}) {
        SCOPED_TRACE(helpers);
        std::vector<SignatureValues> helped;
        EXPECT_EQ(analyse(helpers, helped), aloneEvents);
        ASSERT_EQ(helped.size(), alone.size());
        EXPECT_EQ(std::memcmp(helped.data(), alone.data(), sizeof(SignatureValues) * alone.size()),
                  0);
    }
    EXPECT_EQ(alone[2], alone[11]);  // the copy
    EXPECT_EQ(alone[4][0], 0.75);
}

TEST(AnalysePictures, recordsSharedBetweenEntriesAreComputedOnce) {
    test::TempDir dir;
    PictureEntry picture =
        signedPicture(dir.writeFile("a.jpg", samples::encodePattern(64, 64, 3, 85, 2)), {});
    PictureList pictures = {picture, picture};
    RecordingProgress progress;
    EXPECT_EQ(analysePictures(pictures, progress, realFileSystem(), 2), 1);
    EXPECT_NE(picture.exif->signature[0], 0.0);
}

TEST(AnalysePictures, rangeHoldsMoreThanSixteenBitsOfPictures) {
    PictureList pictures(70001, signedPicture("/x", {0.5}));
    RecordingProgress progress;
    EXPECT_EQ(analysePictures(pictures, progress), 0);
    EXPECT_EQ(progress.events.front(), "range 0 70001");
    EXPECT_EQ(progress.steps, 70001);
    EXPECT_EQ(progress.statuses[70000], "Analizing picture 70001. Please wait...");
}

}  // namespace
}  // namespace lumora
