#include "catalog/PictureCatalog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalog/DateTimeValue.h"
#include "platform/FileSystem.h"
#include "platform/NativeFileSystem.h"
#include "platform/Time.h"
#include "samples/ExifBlockWriter.h"
#include "tests/catalog/ExifTestSupport.h"
#include "tests/support/FaultyFileSystem.h"
#ifndef _WIN32  // FIFOs exist on POSIX systems only
#include "tests/support/FifoWatch.h"
#endif
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

using test::FsCall;

constexpr const char* kDate = "2005:03:04 10:20:30";

std::vector<std::string> pathsOf(const PictureCatalog& catalog) {
    std::vector<std::string> paths;
    for (const PictureEntry& entry : catalog.pictures()) paths.push_back(entry.path);
    return paths;
}

// Scans with a prompter that must not be asked anything.
bool scanQuietly(PictureCatalog& catalog, const std::string& root, bool recursive = true) {
    test::ScriptedPrompter prompter;
    return catalog.scanSource(root, recursive, prompter);
}

TEST(PictureCatalog, searchesSubfoldersDepthFirstBeforeTheirParentsAndTheRootLast) {
    test::TempDir dir;
    const std::string root = dir.makeDir("R");
    dir.writeFile("R/root.jpg", test::exifPicture(kDate));
    dir.writeFile("R/A/a.jpg", test::exifPicture(kDate));
    dir.writeFile("R/A/A1/a1.jpg", test::exifPicture(kDate));
    dir.writeFile("R/b/b.jpg", test::exifPicture(kDate));
    dir.makeDir("R/A/A2");
    dir.writeFile("R/Temporary Internet Files/t.jpg", test::exifPicture(kDate));
    dir.writeFile("R/Temporary Internet Files/Below/u.jpg", test::exifPicture(kDate));
#ifndef _WIN32  // one folder where names are the same in any letter case
    dir.writeFile("R/temporary internet files/v.jpg", test::exifPicture(kDate));
#endif
    dir.writeFile("R/A/Temporary Internet Files/w.jpg", test::exifPicture(kDate));

    PictureCatalog catalog;
    ASSERT_TRUE(scanQuietly(catalog, root));
    std::vector<std::string> folders = {"A/A1", "A/A2", "A", "b", "temporary internet files"};
    std::vector<std::string> pictures = {"A/A1/a1.jpg", "A/a.jpg", "b/b.jpg",
                                         "temporary internet files/v.jpg", "root.jpg"};
#ifdef _WIN32
    folders.pop_back();
    pictures.erase(pictures.begin() + 3);
#endif
    std::vector<std::string> expectedFolders;
    for (const std::string& folder : folders) expectedFolders.push_back(test::pathIn(root, folder));
    expectedFolders.push_back(root);
    std::vector<std::string> expectedPictures;
    for (const std::string& name : pictures) expectedPictures.push_back(test::pathIn(root, name));
    EXPECT_EQ(catalog.directories(), expectedFolders);
    EXPECT_EQ(pathsOf(catalog), expectedPictures);
    EXPECT_EQ(catalog.pictureCount(), static_cast<int>(pictures.size()));
    EXPECT_EQ(catalog.sourceRoot(), root);
}

// A target inside the source keeps its journals and the files its replaces
// set aside in ".lumora": nothing below it is ever a picture of the source.
TEST(PictureCatalog, neverSearchesAJournalFolder) {
    test::TempDir dir;
    const std::string root = dir.makeDir("R");
    dir.writeFile("R/a.jpg", test::exifPicture(kDate));
    dir.writeFile("R/.lumora/runs/old.jpg", test::exifPicture(kDate));
    dir.writeFile("R/Albums/.lumora/b.jpg", test::exifPicture(kDate));
    PictureCatalog catalog;
    ASSERT_TRUE(scanQuietly(catalog, root));
    EXPECT_EQ(catalog.directories(),
              (std::vector<std::string>{test::pathIn(root, "Albums"), root}));
    EXPECT_EQ(pathsOf(catalog), std::vector<std::string>{test::pathIn(root, "a.jpg")});
}

TEST(PictureCatalog, withoutRecursionScansTheRootAlone) {
    test::TempDir dir;
    dir.writeFile("top.jpg", test::exifPicture(kDate));
    dir.writeFile("Sub/below.jpg", test::exifPicture(kDate));
    PictureCatalog catalog;
    ASSERT_TRUE(scanQuietly(catalog, dir.path(), false));
    EXPECT_EQ(catalog.directories(), std::vector<std::string>{dir.path()});
    EXPECT_EQ(pathsOf(catalog), std::vector<std::string>{dir.file("top.jpg")});
}

TEST(PictureCatalog, trailingSeparatorsOfTheRootGiveTheSamePaths) {
    test::TempDir dir;
    dir.writeFile("p.jpg", test::exifPicture(kDate));
    dir.writeFile("S/q.jpg", test::exifPicture(kDate));
    const std::vector<std::string> expected = {dir.file("S/q.jpg"), dir.file("p.jpg")};
    for (const std::string& root : {dir.path(), dir.path() + "/", dir.path() + "///",
                                    dir.path() + "/ \t", dir.path() + "/ /"}) {
        PictureCatalog catalog;
        ASSERT_TRUE(scanQuietly(catalog, root)) << '"' << root << '"';
        EXPECT_EQ(pathsOf(catalog), expected) << '"' << root << '"';
        EXPECT_EQ(catalog.directories().back(), dir.path()) << '"' << root << '"';
    }
}

// The machine's file system seen from a folder: "/" is that folder, so a
// test can scan the file-system root without writing into the real one.
class RootedFileSystem : public NativeFileSystem {
  public:
    explicit RootedFileSystem(std::string base) : base_(std::move(base)) {}

    ErrorCode listDirectory(const std::string& path,
                            std::vector<DirectoryEntry>& entries) override {
        return NativeFileSystem::listDirectory(base_ + path, entries);
    }
    std::unique_ptr<InputFile> openRead(const std::string& path, ErrorCode& error) override {
        return NativeFileSystem::openRead(base_ + path, error);
    }
    std::unique_ptr<InputFile> openListedFile(const std::string& path, const DirectoryEntry& entry,
                                              ErrorCode& error) override {
        return NativeFileSystem::openListedFile(base_ + path, entry, error);
    }

  private:
    std::string base_;
};

TEST(PictureCatalog, theFileSystemRootAsSourceScansThePicturesDirectlyInIt) {
    test::TempDir dir;
    dir.writeFile("top.jpg", test::exifPicture(kDate));
    dir.writeFile("Sub/below.jpg", test::exifPicture(kDate));
    RootedFileSystem fileSystem(dir.path());
    for (const char* root : {"/", "//", "/ "}) {
        PictureCatalog catalog(fileSystem);
        ASSERT_TRUE(scanQuietly(catalog, root)) << '"' << root << '"';
        EXPECT_EQ(pathsOf(catalog), (std::vector<std::string>{test::nativePath("/Sub/below.jpg"),
                                                              test::nativePath("/top.jpg")}))
            << '"' << root << '"';
        EXPECT_EQ(catalog.directories(), (std::vector<std::string>{test::nativePath("/Sub"), ""}))
            << '"' << root << '"';
    }
}

TEST(PictureCatalog, anEmptySourceTextListsNothing) {
    test::FaultyFileSystem fileSystem;
    PictureCatalog catalog(fileSystem);
    ASSERT_TRUE(scanQuietly(catalog, ""));
    EXPECT_EQ(catalog.pictureCount(), 0);
    EXPECT_EQ(catalog.directories(), std::vector<std::string>{""});
    EXPECT_EQ(fileSystem.callCount(FsCall::ListDirectory), 0);
}

TEST(NormaliseSourceRoot, dropsTrailingSeparatorsAndTheSpaceAfterThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"/data/pics", "/data/pics"},
        {"/data/pics/", "/data/pics"},
        {"/data/pics//", "/data/pics"},
        {"/data/pics/  ", "/data/pics"},
        {"/data/pics/ / ", "/data/pics"},
        {"/data/pics  ", "/data/pics  "},
        {"/", ""},
        {"", ""},
        {"pics", "pics"},
        {"/data/pics/x y", "/data/pics/x y"},
#ifdef _WIN32
        // Windows takes both separators.
        {"C:\\data\\pics\\ / ", "C:\\data\\pics"},
        {"\\", ""},
#endif
    };
    for (const auto& [root, expected] : cases) {
        EXPECT_EQ(normaliseSourceRoot(root), expected) << '"' << root << '"';
    }
}

TEST(PictureCatalog, listsDotJpgInAnyCaseAndNothingElse) {
    test::TempDir dir;
    for (const char* name : {"a.jpg", "B.JPG", "c.JpG", "d.jpeg", "e.jpg.bak", "f.png", "g_jpg"}) {
        dir.writeFile(name, test::exifPicture(kDate));
    }
    dir.writeFile("folder.jpg/inside.jpg", test::exifPicture(kDate));
    PictureCatalog catalog;
    ASSERT_TRUE(scanQuietly(catalog, dir.path()));
    EXPECT_EQ(pathsOf(catalog),
              (std::vector<std::string>{dir.file("folder.jpg/inside.jpg"), dir.file("a.jpg"),
                                        dir.file("B.JPG"), dir.file("c.JpG")}));
}

TEST(PictureCatalog, skipsFilesWithoutExifOrWithoutTheDateTaken) {
    test::TempDir dir;
    test::PictureSpec noDate;
    noDate.make = "Camera Co";
    // Names chosen so that each rejected file follows an accepted one: the
    // reader must forget the previous file every time.
    dir.writeFile("a1.jpg", test::exifPicture(kDate));
    dir.writeFile("a2.jpg", test::exifPicture(noDate));
    dir.writeFile("b1.jpg", test::exifPicture(kDate));
    dir.writeFile("b2.jpg", test::plainPicture());
    dir.writeFile("c1.jpg", test::exifPicture(kDate));
    dir.writeFile("c2.jpg", std::string("not a picture at all"));
    dir.writeFile("d1.jpg", test::exifPicture(kDate));
    dir.writeFile("d2.jpg", std::string());
    dir.writeFile("e1.jpg", test::exifPicture(kDate));
    std::vector<uint8_t> truncated = test::exifPicture(kDate);
    truncated.resize(40);
    dir.writeFile("e2.jpg", truncated);

    PictureCatalog catalog;
    ASSERT_TRUE(scanQuietly(catalog, dir.path()));
    EXPECT_EQ(pathsOf(catalog),
              (std::vector<std::string>{dir.file("a1.jpg"), dir.file("b1.jpg"), dir.file("c1.jpg"),
                                        dir.file("d1.jpg"), dir.file("e1.jpg")}));
}

TEST(PictureCatalog, entriesCarryTheirPathSizeValueAndOwnExifCopy) {
    test::TzGuard zone("EST5EDT,M3.2.0,M11.1.0");
    test::TempDir dir;
    test::PictureSpec spec;
    spec.dateTimeOriginal = kDate;
    spec.make = "Camera Co";
    spec.withThumbnail = true;
    const std::vector<uint8_t> bytes = test::exifPicture(spec);
    dir.writeFile("one.jpg", bytes);
    dir.writeFile("two.jpg", test::exifPicture("2006:01:02 03:04:05"));

    PictureCatalog catalog(realFileSystem());
    ASSERT_TRUE(scanQuietly(catalog, dir.path()));
    ASSERT_EQ(catalog.pictureCount(), 2);
    const PictureEntry& one = catalog.pictures()[0];
    EXPECT_EQ(one.path, dir.file("one.jpg"));
    EXPECT_EQ(one.fileSize, bytes.size());
    EXPECT_EQ(one.dateTime, dateTimeValue(kDate));
    EXPECT_EQ(one.albumId, 0);
    EXPECT_EQ(one.isDuplicate, 0);
    EXPECT_EQ(one.isRemoved, 0);
    EXPECT_EQ(one.isNegative, 0);
    ASSERT_NE(one.exif, nullptr);
    EXPECT_STREQ(one.exif->DateTime, kDate);
    EXPECT_STREQ(one.exif->CameraMake, "Camera Co");
    EXPECT_EQ(one.exif->IsExif, 1);
    EXPECT_EQ(one.exif->pictureId, -1);
    EXPECT_EQ(one.exif->dateSubstituted, 0);

    // The thumbnail stays in the file, found again by its place.
    ASSERT_GT(one.exif->ThumbnailSize, 0u);
    std::vector<uint8_t> thumbnail;
    ErrorCode error = kErrorSuccess;
    ASSERT_TRUE(readFileRange(realFileSystem(), one.path, one.exif->ThumbnailOffset,
                              one.exif->ThumbnailSize, thumbnail, error));
    EXPECT_EQ(thumbnail[0], 0xFF);
    EXPECT_EQ(thumbnail[1], 0xD8);

    const PictureEntry& two = catalog.pictures()[1];
    EXPECT_NE(two.exif.get(), one.exif.get());
    EXPECT_STREQ(two.exif->DateTime, "2006:01:02 03:04:05");
    EXPECT_STREQ(two.exif->CameraMake, "");
    EXPECT_EQ(two.exif->ThumbnailSize, 0u);
    // The reader is left clean for the next scan.
    EXPECT_EQ(catalog.reader().info().IsExif, 0);
    EXPECT_EQ(catalog.reader().info().DateTime[0], '\0');
}

TEST(PictureCatalog, aZeroDateTakesTheFilesCreationTimeInLocalTimeOfItsOwnDay) {
    test::TzGuard zone("CET-1CEST,M3.5.0,M10.5.0/3");
    test::TempDir dir;
    dir.writeFile("zero.jpg", test::exifPicture("0000:00:00 00:00:00"));
    dir.writeFile("real.jpg", test::exifPicture(kDate));
    test::FaultyFileSystem fileSystem;
    // 2003-05-06 07:08:09 UTC: 09:08:09 in Paris, summer time on that day,
    // whatever the season in which the source is scanned (nothing reads
    // "now").
    const uint64_t created = unixToFileTime(1052204889);
    fileSystem.setFactsHook(
        [&](const std::string&, FileFacts& facts) { facts.creationTime = created; });

    PictureCatalog catalog(fileSystem);
    ASSERT_TRUE(scanQuietly(catalog, dir.path()));
    ASSERT_EQ(catalog.pictureCount(), 2);
    const PictureEntry& real = catalog.pictures()[0];
    const PictureEntry& zero = catalog.pictures()[1];
    EXPECT_STREQ(real.exif->DateTime, kDate);
    EXPECT_EQ(real.exif->dateSubstituted, 0);
    EXPECT_STREQ(zero.exif->DateTime, "2003:05:06 09:08:09");
    EXPECT_EQ(zero.exif->dateSubstituted, 1);
    EXPECT_EQ(zero.dateTime, dateTimeValue("2003:05:06 09:08:09"));
    // A date that only starts with zeros is not replaced.
    EXPECT_EQ(real.dateTime, dateTimeValue(kDate));
}

TEST(PictureCatalog, aDateOfZerosWithOtherTextIsKeptAsItIs) {
    test::TempDir dir;
    dir.writeFile("z.jpg", test::exifPicture("0000:00:00 00:00:01"));
    PictureCatalog catalog;
    ASSERT_TRUE(scanQuietly(catalog, dir.path()));
    ASSERT_EQ(catalog.pictureCount(), 1);
    EXPECT_STREQ(catalog.pictures()[0].exif->DateTime, "0000:00:00 00:00:01");
    EXPECT_EQ(catalog.pictures()[0].exif->dateSubstituted, 0);
}

class ReadErrorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_.writeFile("A/a.jpg", test::exifPicture(kDate));
        dir_.writeFile("A/b.jpg", test::exifPicture(kDate));
        dir_.writeFile("A/c.jpg", test::exifPicture(kDate));
        dir_.writeFile("d.jpg", test::exifPicture(kDate));
        fileSystem_.failPath(FsCall::OpenRead, dir_.file("A/b.jpg"), kErrorAccessDenied);
    }

    test::TempDir dir_;
    test::FaultyFileSystem fileSystem_;
};

TEST_F(ReadErrorTest, okSkipsTheFileAndGoesOn) {
    test::ScriptedPrompter prompter;
    prompter.expect("Error while reading from drive", "Error", Buttons::OkCancel, kAnswerOk);
    PictureCatalog catalog(fileSystem_);
    EXPECT_TRUE(catalog.scanSource(dir_.path(), true, prompter));
    EXPECT_EQ(
        pathsOf(catalog),
        (std::vector<std::string>{dir_.file("A/a.jpg"), dir_.file("A/c.jpg"), dir_.file("d.jpg")}));
    ASSERT_EQ(prompter.questions().size(), 1u);
    EXPECT_EQ(prompter.questions()[0].icon, Icon::None);
}

TEST_F(ReadErrorTest, cancelStopsTheWholeScanAndKeepsWhatWasFound) {
    test::ScriptedPrompter prompter;
    prompter.expect("Error while reading from drive", "Error", Buttons::OkCancel, kAnswerCancel);
    PictureCatalog catalog(fileSystem_);
    EXPECT_FALSE(catalog.scanSource(dir_.path(), true, prompter));
    EXPECT_EQ(pathsOf(catalog), std::vector<std::string>{dir_.file("A/a.jpg")});
    // Nothing after the failed file is opened, in its folder or later ones.
    EXPECT_EQ(fileSystem_.callCount(FsCall::OpenRead, dir_.file("A/c.jpg")), 0);
    EXPECT_EQ(fileSystem_.callCount(FsCall::OpenRead, dir_.file("d.jpg")), 0);
}

TEST_F(ReadErrorTest, everyFailedOpenAsksAgain) {
    fileSystem_.failPath(FsCall::OpenRead, dir_.file("d.jpg"), kErrorSharingViolation);
    test::ScriptedPrompter prompter;
    prompter.answer(kAnswerOk).answer(kAnswerOk);
    PictureCatalog catalog(fileSystem_);
    EXPECT_TRUE(catalog.scanSource(dir_.path(), true, prompter));
    EXPECT_EQ(catalog.pictureCount(), 2);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>(2, "Error while reading from drive")));
}

#ifndef _WIN32  // FIFOs exist on POSIX systems only
TEST(PictureCatalog, aFifoNamedLikeAPictureIsAFileThatCannotBeRead) {
    test::TempDir dir;
    dir.writeFile("a.jpg", test::exifPicture(kDate));
    test::FifoWatch fifo(dir.file("b.jpg"));
    dir.writeFile("c.jpg", test::exifPicture(kDate));
    test::ScriptedPrompter prompter;
    prompter.expect("Error while reading from drive", "Error", Buttons::OkCancel, kAnswerOk);
    PictureCatalog catalog;
    EXPECT_TRUE(catalog.scanSource(dir.path(), true, prompter));
    EXPECT_EQ(pathsOf(catalog), (std::vector<std::string>{dir.file("a.jpg"), dir.file("c.jpg")}));
    EXPECT_EQ(fifo.meetings(), 0);
}
#endif

TEST(PictureCatalog, aFileThatFailsWhileBeingReadIsSkippedSilently) {
    test::TempDir dir;
    dir.writeFile("a.jpg", test::exifPicture(kDate));
    dir.writeFile("b.jpg", test::exifPicture(kDate));
    test::FaultyFileSystem fileSystem;
    fileSystem.failPath(FsCall::Read, dir.file("a.jpg"), kErrorReadFault);
    PictureCatalog catalog(fileSystem);
    ASSERT_TRUE(scanQuietly(catalog, dir.path()));
    EXPECT_EQ(pathsOf(catalog), std::vector<std::string>{dir.file("b.jpg")});
}

TEST(PictureCatalog, aFolderThatCannotBeListedGivesNothingAndNoQuestion) {
    test::TempDir dir;
    dir.writeFile("A/a.jpg", test::exifPicture(kDate));
    dir.writeFile("A/Deep/deep.jpg", test::exifPicture(kDate));
    dir.writeFile("B/b.jpg", test::exifPicture(kDate));
    test::FaultyFileSystem fileSystem;
    fileSystem.failPath(FsCall::ListDirectory, dir.file("A"), kErrorAccessDenied);
    PictureCatalog catalog(fileSystem);
    ASSERT_TRUE(scanQuietly(catalog, dir.path()));
    EXPECT_EQ(pathsOf(catalog), std::vector<std::string>{dir.file("B/b.jpg")});

    PictureCatalog missing;
    ASSERT_TRUE(scanQuietly(missing, dir.file("no such folder")));
    EXPECT_EQ(missing.pictureCount(), 0);
    EXPECT_EQ(missing.directories(), std::vector<std::string>{dir.file("no such folder")});
}

TEST(PictureCatalog, linkedFoldersAreNotFollowed) {
    test::TempDir dir;
    dir.writeFile("Real/r.jpg", test::exifPicture(kDate));
    dir.makeSymlink(dir.file("Real"), "Alias");
    dir.makeSymlink(dir.path(), "Real/Loop");
    PictureCatalog catalog;
    ASSERT_TRUE(scanQuietly(catalog, dir.path()));
    EXPECT_EQ(catalog.directories(), (std::vector<std::string>{dir.file("Real"), dir.path()}));
    EXPECT_EQ(pathsOf(catalog), std::vector<std::string>{dir.file("Real/r.jpg")});
}

// A picture whose EXIF block is longer than any first read, so that reading
// its header takes a second read.
std::vector<uint8_t> pictureWithALongHeader() {
    samples::ExifBlockSpec spec;
    spec.exifIfd.push_back(samples::asciiEntry(0x9003, kDate));
    spec.exifIfd.push_back(samples::undefinedEntry(0x927C, std::vector<uint8_t>(65000, 0x5A)));
    return testing::jpegWith({testing::exifSection(spec)});
}

// Each folder is listed once; each picture costs one open and one read of its
// header, two reads only when the header is longer than the first read, and
// nothing else: no look at the name before the open, no second read that
// only finds the end of a short file.
TEST(PictureCatalog, listsEachFolderOnceAndReadsEachPictureWithOneOpenAndOneRead) {
    test::TempDir dir;
    dir.writeFile("A/a.jpg", test::exifPicture(kDate));
    test::PictureSpec withThumbnail;
    withThumbnail.dateTimeOriginal = kDate;
    withThumbnail.withThumbnail = true;
    dir.writeFile("A/B/b.jpg", test::exifPicture(withThumbnail));
    dir.writeFile("c.jpg", test::exifPicture(kDate));
    dir.writeFile("long.jpg", pictureWithALongHeader());
    dir.writeFile("notes.txt", std::string("x"));
    test::FaultyFileSystem fileSystem;
    PictureCatalog catalog(fileSystem);
    ASSERT_TRUE(scanQuietly(catalog, dir.path()));
    ASSERT_EQ(pathsOf(catalog),
              (std::vector<std::string>{dir.file("A/B/b.jpg"), dir.file("A/a.jpg"),
                                        dir.file("c.jpg"), dir.file("long.jpg")}));

    const std::vector<std::pair<FsCall, std::string>> expected = {
        {FsCall::ListDirectory, dir.path()},      {FsCall::ListDirectory, dir.file("A")},
        {FsCall::ListDirectory, dir.file("A/B")}, {FsCall::OpenRead, dir.file("A/B/b.jpg")},
        {FsCall::Read, dir.file("A/B/b.jpg")},    {FsCall::OpenRead, dir.file("A/a.jpg")},
        {FsCall::Read, dir.file("A/a.jpg")},      {FsCall::OpenRead, dir.file("c.jpg")},
        {FsCall::Read, dir.file("c.jpg")},        {FsCall::OpenRead, dir.file("long.jpg")},
        {FsCall::Read, dir.file("long.jpg")},     {FsCall::Read, dir.file("long.jpg")},
    };
    EXPECT_EQ(fileSystem.calls(), expected);
}

// The size and the creation time of an entry are the file's as it was
// opened, not as it was listed.
TEST(PictureCatalog, aFileChangedSinceTheListingIsTakenAsOpened) {
    test::TempDir dir;
    std::vector<uint8_t> bytes = test::exifPicture(kDate);
    dir.writeFile("a.jpg", bytes);
    test::FaultyFileSystem fileSystem;
    fileSystem.setListingHook([&](const std::string&, std::vector<DirectoryEntry>&) {
        bytes.resize(bytes.size() + 1000, 0);
        dir.writeFile("a.jpg", bytes);
    });
    PictureCatalog catalog(fileSystem);
    ASSERT_TRUE(scanQuietly(catalog, dir.path()));
    ASSERT_EQ(catalog.pictureCount(), 1);
    EXPECT_EQ(catalog.pictures()[0].fileSize, bytes.size());
}

#ifndef _WIN32  // FIFOs exist on POSIX systems only
// A picture replaced by a FIFO after the listing is judged by what the open
// found: a file that cannot be read, asked about, never waited on.
TEST(PictureCatalog, aPictureReplacedByAFifoSinceTheListingCannotBeRead) {
    test::TempDir dir;
    dir.writeFile("a.jpg", test::exifPicture(kDate));
    dir.writeFile("b.jpg", test::exifPicture(kDate));
    std::optional<test::FifoWatch> fifo;
    test::FaultyFileSystem fileSystem;
    fileSystem.setListingHook([&](const std::string&, std::vector<DirectoryEntry>&) {
        ASSERT_EQ(std::remove(dir.file("a.jpg").c_str()), 0);
        fifo.emplace(dir.file("a.jpg"));
    });
    test::ScriptedPrompter prompter;
    prompter.expect("Error while reading from drive", "Error", Buttons::OkCancel, kAnswerOk);
    PictureCatalog catalog(fileSystem);
    EXPECT_TRUE(catalog.scanSource(dir.path(), true, prompter));
    EXPECT_EQ(pathsOf(catalog), std::vector<std::string>{dir.file("b.jpg")});
    EXPECT_EQ(prompter.questions().size(), 1u);
}
#endif

TEST(PictureCatalog, clearingZeroFillsTheSharedRecords) {
    test::TempDir dir;
    dir.writeFile("a.jpg", test::exifPicture(kDate));
    PictureCatalog catalog;
    ASSERT_TRUE(scanQuietly(catalog, dir.path()));
    ASSERT_EQ(catalog.pictureCount(), 1);
    const PictureEntry copy = catalog.pictures()[0];
    EXPECT_EQ(copy.exif.get(), catalog.pictures()[0].exif.get());

    catalog.clearPictures();
    EXPECT_EQ(catalog.pictureCount(), 0);
    EXPECT_EQ(copy.exif->IsExif, 0);
    EXPECT_EQ(copy.exif->DateTime[0], '\0');
    EXPECT_FALSE(catalog.directories().empty());
    catalog.clearDirectories();
    EXPECT_TRUE(catalog.directories().empty());
}

}  // namespace
}  // namespace lumora
