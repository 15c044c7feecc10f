#include "samples/SampleGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "samples/SamplePlan.h"

namespace lumora::samples {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using Tree = std::map<std::string, Bytes>;  // relative path -> contents

class SampleGeneratorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::path(::testing::TempDir()) /
                ("lumora-samples-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
    }
    void TearDown() override { fs::remove_all(root_); }

    Tree write(const SampleOptions& options, const std::string& name) {
        SampleCounts counts;
        std::string error;
        const fs::path folder = root_ / name;
        EXPECT_TRUE(writeSamples(folder.string(), options, counts, error)) << error;
        Tree tree;
        for (const auto& item : fs::recursive_directory_iterator(folder)) {
            if (!item.is_regular_file()) continue;
            std::ifstream in(item.path(), std::ios::binary);
            tree[fs::relative(item.path(), folder).generic_string()] =
                Bytes(std::istreambuf_iterator<char>(in), {});
        }
        return tree;
    }

    fs::path root_;
};

size_t occurrences(const Bytes& bytes, const std::string& text) {
    const Bytes wanted(text.begin(), text.end());
    size_t found = 0;
    for (auto at = bytes.begin();
         (at = std::search(at, bytes.end(), wanted.begin(), wanted.end())) != bytes.end(); ++at) {
        ++found;
    }
    return found;
}

bool contains(const Bytes& bytes, const std::string& text) {
    return occurrences(bytes, text) > 0;
}

// The body of the APP1 section right after SOI, or nothing.
Bytes firstApp1(const Bytes& file) {
    if (file.size() < 6 || file[2] != 0xFF || file[3] != 0xE1) return {};
    const size_t length = file[4] << 8 | file[5];
    if (4 + length > file.size()) return {};
    return Bytes(file.begin() + 6, file.begin() + 4 + static_cast<std::ptrdiff_t>(length));
}

// Width and height from the baseline frame header.
std::pair<int, int> frameSize(const Bytes& file) {
    for (size_t at = 2; at + 9 < file.size();) {
        if (file[at] != 0xFF) return {0, 0};
        const int code = file[at + 1];
        if (code == 0xC0)
            return {file[at + 7] << 8 | file[at + 8], file[at + 5] << 8 | file[at + 6]};
        at += 2 + (file[at + 2] << 8 | file[at + 3]);
    }
    return {0, 0};
}

std::string extensionOf(const std::string& path) {
    return fs::path(path).extension().string();
}

TEST_F(SampleGeneratorTest, sameOptionsGiveByteIdenticalFiles) {
    SampleOptions options;
    options.width = 200;
    options.height = 150;
    const Tree first = write(options, "a");
    EXPECT_EQ(first.size(), 30u);
    EXPECT_EQ(first, write(options, "b"));
    options.seed = 2;
    const Tree other = write(options, "c");
    size_t same = 0;
    for (const auto& [path, bytes] : other) same += first.count(path) && first.at(path) == bytes;
    EXPECT_EQ(same, 0u);
}

TEST_F(SampleGeneratorTest, defaultSetHoldsTheDocumentedKinds) {
    const SampleCounts counts = countSamples(planSamples(SampleOptions{}));
    EXPECT_EQ(counts.files, 30);
    EXPECT_EQ(counts.listed, 25);
    EXPECT_EQ(counts.noExif, 2);
    EXPECT_EQ(counts.zeroDates, 1);
    EXPECT_EQ(counts.noDate, 1);
    EXPECT_EQ(counts.duplicates, 1);
    EXPECT_EQ(counts.notListedSuffix, 1);
    EXPECT_EQ(counts.skippedFolder, 1);
    EXPECT_EQ(counts.withoutThumbnail, 1);
    EXPECT_EQ(counts.grey, 3);

    // The files themselves, read without the generator's own bookkeeping.
    const Tree tree = write(SampleOptions{}, "set");
    int withoutExif = 0, zeroDates = 0, undated = 0, withThumbnail = 0, intel = 0, motorola = 0;
    std::set<std::string> suffixes;
    std::set<std::string> folders;
    for (const auto& [path, bytes] : tree) {
        suffixes.insert(extensionOf(path));
        folders.insert(fs::path(path).parent_path().generic_string());
        EXPECT_EQ(frameSize(bytes), std::make_pair(640, 480)) << path;
        const Bytes exif = firstApp1(bytes);
        if (exif.size() < 14 || !std::equal(exif.begin(), exif.begin() + 6, "Exif\0\0")) {
            ++withoutExif;
            continue;
        }
        intel += exif[6] == 'I' && exif[7] == 'I';
        motorola += exif[6] == 'M' && exif[7] == 'M';
        zeroDates += contains(exif, "0000:00:00 00:00:00");
        withThumbnail += contains(exif, "\xFF\xD8\xFF");
        // The date is written three times (taken, digitised, changed) unless
        // DateTimeOriginal is left out.
        size_t dates = 0;
        for (const char* digits : {"2004:", "2005:", "0000:"}) dates += occurrences(exif, digits);
        undated += dates == 2;
    }
    EXPECT_EQ(withoutExif, 2);
    EXPECT_EQ(zeroDates, 1);
    EXPECT_EQ(undated, 1);
    EXPECT_EQ(withThumbnail, 27);
    EXPECT_GT(intel, 0);
    EXPECT_GT(motorola, 0);
    EXPECT_EQ(suffixes, (std::set<std::string>{".JPG", ".jpg", ".Jpg", ".jpeg"}));
    EXPECT_TRUE(folders.count("Temporary Internet Files"));
    EXPECT_TRUE(folders.count(""));
    EXPECT_TRUE(folders.count("Holidays 2004/Day 2"));

    // Exactly one pair of identical files, in different folders.
    std::vector<std::pair<std::string, std::string>> pairs;
    for (auto a = tree.begin(); a != tree.end(); ++a) {
        for (auto b = std::next(a); b != tree.end(); ++b) {
            if (a->second == b->second) pairs.emplace_back(a->first, b->first);
        }
    }
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_NE(fs::path(pairs[0].first).parent_path(), fs::path(pairs[0].second).parent_path());
    EXPECT_EQ(fs::path(pairs[0].first).filename(), fs::path(pairs[0].second).filename());
}

TEST_F(SampleGeneratorTest, noThumbnailsAndFlatOptions) {
    SampleOptions options;
    options.thumbnails = false;
    options.nested = false;
    options.count = 20;
    options.width = 96;
    options.height = 64;
    const Tree tree = write(options, "flat");
    ASSERT_EQ(tree.size(), 20u);
    for (const auto& [path, bytes] : tree) {
        EXPECT_EQ(path.find('/'), std::string::npos) << path;
        EXPECT_FALSE(contains(firstApp1(bytes), "\xFF\xD8\xFF")) << path;
        EXPECT_EQ(frameSize(bytes), std::make_pair(96, 64)) << path;
    }
    EXPECT_TRUE(tree.count("Copy of " + planSamples(options)[10].path));
}

TEST(SamplePlan, bodiesAreSharedOnlyForLargeOrCameraSizedSets) {
    struct Case {
        int count, width, height;
        bool distinct, shared;
    };
    const Case cases[] = {
        {30, 640, 480, false, false},
        {101, 640, 480, false, true},
        {101, 640, 480, true, false},
        {5, kCameraWidth, kCameraHeight, false, true},
        {5, kCameraWidth, kCameraHeight, true, false},
    };
    for (const Case& c : cases) {
        SampleOptions options;
        options.count = c.count;
        options.width = c.width;
        options.height = c.height;
        options.distinct = c.distinct;
        EXPECT_EQ(sharesBodies(options), c.shared) << c.count << " " << c.width;
        std::set<int> bodies;
        for (const PlannedSample& sample : planSamples(options)) bodies.insert(sample.body);
        if (c.shared) {
            EXPECT_LE(bodies.size(), static_cast<size_t>(kSharedBodies));
        } else {
            // Every picture its own body, except the copies.
            EXPECT_EQ(bodies.size(), c.count - countSamples(planSamples(options)).duplicates);
        }
    }
}

TEST(SamplePlan, largeSetsKeepTheirProportionsAndDates) {
    SampleOptions options;
    options.count = 2000;
    const std::vector<PlannedSample> plan = planSamples(options);
    const SampleCounts counts = countSamples(plan);
    EXPECT_EQ(counts.noExif, 133);
    EXPECT_EQ(counts.zeroDates, 67);
    EXPECT_EQ(counts.duplicates, 100);
    std::set<std::string> paths;
    for (const PlannedSample& sample : plan) {
        EXPECT_TRUE(paths.insert(sample.path).second) << "twice: " << sample.path;
        ASSERT_EQ(sample.dateTime.size(), 19u);
        const int year = std::stoi(sample.dateTime.substr(0, 4));
        if (sample.kind != SampleKind::ZeroDate) {
            EXPECT_TRUE(year >= 2004 && year <= 2010) << sample.dateTime;
        }
    }
}

}  // namespace
}  // namespace lumora::samples
