#include "duplicates/DuplicateSearch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "duplicates/Signature.h"
#include "samples/JpegFileWriter.h"
#include "tests/duplicates/RecordingProgress.h"
#include "tests/duplicates/SignaturePictures.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

using test::duplicateMarks;
using test::RecordingProgress;
using test::signedPicture;

using Lines = std::vector<std::string>;

const SignatureValues kA = {0.5, 0.25, 0.25};
const SignatureValues kB = {0.25, 0.5, 0.25};
const SignatureValues kC = {0.25, 0.25, 0.5};

TEST(FindDuplicates, byteIdenticalCopiesInTwoFoldersFormOneGroupHeadedByTheEarlierPath) {
    test::TempDir dir;
    const std::vector<uint8_t> bytes = samples::encodePattern(100, 75, 3, 85, 9);
    PictureList pictures = {
        signedPicture(dir.writeFile("2019/a.jpg", bytes), {}),
        signedPicture(dir.writeFile("other.jpg", samples::encodePattern(100, 75, 3, 85, 10)), {}),
        signedPicture(dir.writeFile("2020/copy of a.jpg", bytes), {})};
    for (PictureEntry& picture : pictures) ASSERT_TRUE(computeSignature(picture));

    Lines lines;
    RecordingProgress progress;
    EXPECT_EQ(findDuplicates(pictures, lines, progress), 1);
    EXPECT_EQ(lines, (Lines{"### Duplicate nr.1 ###", dir.file("2019/a.jpg"),
                            dir.file("2020/copy of a.jpg")}));
    EXPECT_EQ(duplicateMarks(pictures), (std::vector<int32_t>{0, 0, 1}));
    EXPECT_EQ(progress.statuses.back(), "Ready. Found 1 duplicates");
}

TEST(FindDuplicates, reportsEveryPictureAndEveryDuplicateAsItGoes) {
    PictureList pictures = {signedPicture("/p/A1", kA), signedPicture("/p/B1", kB),
                            signedPicture("/p/A2", kA), signedPicture("/p/A3", kA),
                            signedPicture("/p/B2", kB)};
    Lines lines = {"left over from before"};
    RecordingProgress progress;
    EXPECT_EQ(findDuplicates(pictures, lines, progress), 3);
    EXPECT_EQ(lines, (Lines{"### Duplicate nr.1 ###", "/p/A1", "/p/A2", "/p/A3",
                            "### Duplicate nr.2 ###", "/p/B1", "/p/B2"}));
    EXPECT_EQ(duplicateMarks(pictures), (std::vector<int32_t>{0, 0, 1, 1, 1}));
    EXPECT_EQ(
        progress.events,
        (Lines{"range 0 5", "position 0", "step size 1", "status Searching. Please wait...",
               "status Comparing picture 1. Please wait...", "step", "status Found 1 duplicates",
               "status Found 2 duplicates", "status Comparing picture 2. Please wait...", "step",
               "status Found 3 duplicates", "status Comparing picture 3. Please wait...", "step",
               "status Comparing picture 4. Please wait...", "step",
               "status Comparing picture 5. Please wait...", "step",
               "status Ready. Found 3 duplicates"}));
}

TEST(FindDuplicates, anEmptyListFindsNoDuplicates) {
    PictureList pictures;
    Lines lines = {"old"};
    RecordingProgress progress;
    EXPECT_EQ(findDuplicates(pictures, lines, progress), 0);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(progress.events,
              (Lines{"range 0 0", "position 0", "step size 1", "status Searching. Please wait...",
                     "status Found no duplicates"}));
}

TEST(FindDuplicates, clearsEarlierMarks) {
    PictureList pictures = {signedPicture("/a", kA), signedPicture("/b", kB)};
    pictures[1].isDuplicate = 1;
    Lines lines;
    RecordingProgress progress;
    EXPECT_EQ(findDuplicates(pictures, lines, progress), 0);
    EXPECT_EQ(duplicateMarks(pictures), (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(progress.statuses.back(), "Found no duplicates");
}

TEST(FindDuplicates, anyDifferenceInAnyElementIsNoDuplicate) {
    for (int k = 0; k < kSignatureLength; ++k) {
        for (double change : {1e-17, 1e-9, 0.25}) {
            SignatureValues other = kA;
            other[static_cast<size_t>(k)] =
                k < 3 ? std::nextafter(other[static_cast<size_t>(k)], 1.0) : change;
            PictureList pictures = {signedPicture("/a", kA), signedPicture("/b", other)};
            Lines lines;
            RecordingProgress progress;
            EXPECT_EQ(findDuplicates(pictures, lines, progress), 0) << k << " " << change;
            EXPECT_TRUE(lines.empty());
            Lines reference;
            EXPECT_EQ(findDuplicatesPairwise(pictures, reference, progress), 0)
                << k << " " << change;
        }
    }
}

TEST(FindDuplicates, picturesWithoutASignatureAreNeverDuplicates) {
    // Never analysed or not decodable: all zero; only the first element tells.
    PictureList pictures = {signedPicture("/none1", {}),
                            signedPicture("/a1", kA),
                            signedPicture("/none2", {}),
                            signedPicture("/firstZero1", {0.0, 0.5, 0.5}),
                            signedPicture("/a2", kA),
                            signedPicture("/firstZero2", {0.0, 0.5, 0.5}),
                            signedPicture("/negativeZero", {-0.0})};
    pictures[2].exif.reset();
    Lines lines;
    RecordingProgress progress;
    EXPECT_EQ(findDuplicates(pictures, lines, progress), 1);
    EXPECT_EQ(lines, (Lines{"### Duplicate nr.1 ###", "/a1", "/a2"}));
    EXPECT_EQ(duplicateMarks(pictures), (std::vector<int32_t>{0, 0, 0, 0, 1, 0, 0}));
    EXPECT_EQ(progress.steps, 7);
}

TEST(FindDuplicates, negativeAndPositiveZeroAreTheSameValue) {
    SignatureValues negative = kA;
    negative[9] = -0.0;
    PictureList pictures = {signedPicture("/a", kA), signedPicture("/b", negative)};
    Lines lines;
    RecordingProgress progress;
    EXPECT_EQ(findDuplicates(pictures, lines, progress), 1);
}

struct PassRun {
    int found = 0;
    Lines lines;
    std::vector<int32_t> marks;
    Lines events;
};

PassRun runWith(int (*pass)(PictureList&, Lines&, ProgressSink&), PictureList pictures) {
    PassRun run;
    RecordingProgress progress;
    run.found = pass(pictures, run.lines, progress);
    run.marks = duplicateMarks(pictures);
    run.events = progress.events;
    return run;
}

PictureList copiesOf(const PictureList& pictures) {
    PictureList copies = pictures;
    for (PictureEntry& picture : copies) {
        if (picture.exif) picture.exif = std::make_shared<ExifInfo>(*picture.exif);
    }
    return copies;
}

void expectSameAsPairwise(const PictureList& pictures) {
    const PassRun grouped = runWith(findDuplicates, copiesOf(pictures));
    const PassRun pairwise = runWith(findDuplicatesPairwise, copiesOf(pictures));
    EXPECT_EQ(grouped.found, pairwise.found);
    EXPECT_EQ(grouped.lines, pairwise.lines);
    EXPECT_EQ(grouped.marks, pairwise.marks);
    EXPECT_EQ(grouped.events, pairwise.events);
}

TEST(FindDuplicates, aPictureInAnAlbumStaysAndItsCopiesInNoAlbumAreMarked) {
    PictureList pictures = {signedPicture("/loose/a", kA), signedPicture("/b", kB),
                            signedPicture("/album/a", kA), signedPicture("/loose/b", kB),
                            signedPicture("/other album/a", kA)};
    pictures[2].albumId = 1;
    pictures[4].albumId = 2;
    pictures[1].albumId = 3;
    Lines lines;
    RecordingProgress progress;
    EXPECT_EQ(findDuplicates(pictures, lines, progress), 2);
    // The album pictures are listed first as the ones that stay; a copy in an
    // album is never marked, even a later one, nor one in another album.
    EXPECT_EQ(lines, (Lines{"### Duplicate nr.1 ###", "/album/a", "/other album/a", "/loose/a",
                            "### Duplicate nr.2 ###", "/b", "/loose/b"}));
    EXPECT_EQ(duplicateMarks(pictures), (std::vector<int32_t>{1, 0, 0, 1, 0}));

    // Copies that are all in albums: nothing to remove, nothing listed.
    PictureList held = {signedPicture("/x", kA), signedPicture("/y", kA)};
    held[0].albumId = 1;
    held[1].albumId = 2;
    EXPECT_EQ(findDuplicates(held, lines, progress), 0);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(duplicateMarks(held), (std::vector<int32_t>{0, 0}));
    expectSameAsPairwise(pictures);
}

// Values far below 2^-400 differ by less than what a square can hold: such
// signatures (only a stored session could hold them) are at distance 0 from
// neighbours that are not at distance 0 from each other, and a picture can
// then be listed in two groups. The grouped pass must list them as the
// pairwise pass does.
TEST(FindDuplicates, agreesWithThePairwisePassOnCraftedLists) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const PictureEntry low = signedPicture("/low", {0.5, 0.0});
    const PictureEntry middle = signedPicture("/middle", {0.5, 1.5e-162});
    const PictureEntry high = signedPicture("/high", {0.5, 3e-162});
    const PictureEntry huge = signedPicture("/huge", {1e300, 0.5});
    const PictureEntry nearlyA = signedPicture("/nearlyA", {0.5, 0.25, 0.25, 1e-170});
    const std::vector<PictureList> lists = {
        {low, middle, high},
        {middle, low, high},
        {low, high, middle},
        {high, middle, low, middle, high},
        {signedPicture("/a1", kA), nearlyA, signedPicture("/a2", kA), nearlyA},
        {nearlyA, signedPicture("/a1", kA), signedPicture("/b", kB), signedPicture("/a2", kA)},
        {huge, huge, signedPicture("/a", kA), huge},
        {signedPicture("/n1", {nan}), signedPicture("/n2", {nan}), signedPicture("/i1", {infinity}),
         signedPicture("/i2", {infinity}), signedPicture("/m", {0.5, -infinity}),
         signedPicture("/m2", {0.5, -infinity})},
        {signedPicture("/sub1", {0.5, 4.9e-324}), signedPicture("/sub2", {0.5, 0.0}),
         signedPicture("/sub3", {0.5, -4.9e-324})},
    };
    for (size_t i = 0; i < lists.size(); ++i) {
        SCOPED_TRACE(i);
        expectSameAsPairwise(lists[i]);
    }
    const PassRun chain = runWith(findDuplicates, copiesOf(lists[2]));
    EXPECT_EQ(chain.lines, (Lines{"### Duplicate nr.1 ###", "/low", "/middle",
                                  "### Duplicate nr.2 ###", "/high", "/middle"}));
    EXPECT_EQ(chain.found, 2);
}

TEST(FindDuplicates, agreesWithThePairwisePassOnRandomLists) {
    std::mt19937 random(12345);
    const double oddValues[] = {
        0.0,   -0.0,  1e-300, 2e-300, 1e-170, 1e300, std::numeric_limits<double>::quiet_NaN(),
        0.125, 0.375, 0.0625};
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        // A small pool of signatures so that duplicates are common.
        const int poolSize = 1 + static_cast<int>(random() % 12);
        std::vector<SignatureValues> pool;
        for (int p = 0; p < poolSize; ++p) {
            SignatureValues values{};
            const int kind = static_cast<int>(random() % 10);
            for (int k = 0; k < kSignatureLength; ++k) {
                if (kind < 7) {
                    values[static_cast<size_t>(k)] = (random() % 4) / 8.0;
                } else {
                    values[static_cast<size_t>(k)] = oddValues[random() % std::size(oddValues)];
                }
            }
            if (random() % 5 == 0) values[0] = 0.0;
            pool.push_back(values);
        }
        PictureList pictures;
        const int count = static_cast<int>(random() % 60);
        for (int n = 0; n < count; ++n) {
            pictures.push_back(
                signedPicture("/r/" + std::to_string(n), pool[random() % pool.size()]));
            if (random() % 4 == 0) pictures.back().isDuplicate = 1;
            if (random() % 5 == 0) pictures.back().albumId = 1 + static_cast<int32_t>(random() % 3);
        }
        expectSameAsPairwise(pictures);
    }
}

TEST(FindDuplicates, countsPastSixteenBits) {
    PictureList pictures;
    for (int n = 0; n < 70000; ++n) {
        SignatureValues values{};
        values[0] = 1.0 / (1 + n % 40000);
        pictures.push_back(signedPicture("/big/" + std::to_string(n), values));
    }
    Lines lines;
    RecordingProgress progress;
    EXPECT_EQ(findDuplicates(pictures, lines, progress), 30000);
    EXPECT_EQ(progress.events.front(), "range 0 70000");
    EXPECT_EQ(progress.steps, 70000);
    EXPECT_EQ(progress.statuses.back(), "Ready. Found 30000 duplicates");
    EXPECT_EQ(lines.size(), 30000u * 3);
    EXPECT_EQ(lines[0], "### Duplicate nr.1 ###");
    EXPECT_EQ(lines[lines.size() - 3], "### Duplicate nr.30000 ###");
    EXPECT_EQ(lines.back(), "/big/69999");
}

}  // namespace
}  // namespace lumora
