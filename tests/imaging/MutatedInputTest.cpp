#include "imaging/Image.h"
#include "tests/imaging/TestImages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace lumora {
namespace {

// Deterministic damage: a few bytes overwritten, and sometimes the end cut off.
class Mutator {
  public:
    explicit Mutator(uint32_t seed) : seed_(seed) {}

    std::vector<uint8_t> damage(const std::vector<uint8_t>& original) {
        std::vector<uint8_t> bytes = original;
        const uint32_t changes = 1 + next() % 8;
        for (uint32_t i = 0; i < changes; ++i) {
            bytes[next() % bytes.size()] = static_cast<uint8_t>(next());
        }
        if (next() % 4 == 0) bytes.resize(next() % bytes.size());
        return bytes;
    }

  private:
    uint32_t next() {
        seed_ = seed_ * 1103515245u + 12345u;
        return seed_ >> 8;
    }
    uint32_t seed_;
};

// Whatever the bytes, a decode gives a consistent picture or none at all.
void expectConsistent(const Image& image) {
    if (image.IsValid()) {
        ASSERT_GT(image.GetWidth(), 0);
        ASSERT_GT(image.GetHeight(), 0);
        ASSERT_NE(image.GetBits(image.GetHeight() - 1), nullptr);
    } else {
        ASSERT_FALSE(image.GetLastError().empty());
        ASSERT_EQ(image.GetBits(), nullptr);
    }
}

TEST(MutatedInput, damagedJpegsNeverCrashTheDecoder) {
    const std::vector<std::vector<uint8_t>> originals = {
        test::encodeJpeg(test::coordinateImage(64, 48, 30), 80),
        test::encodeJpeg(test::greyImage(40, 30, 100), 60),
        test::encodeCmykJpeg(24, 16, 10, 20, 30, 40),
    };
    Mutator mutator(2024);
    int invalid = 0;
    for (const auto& original : originals) {
        for (int i = 0; i < 300; ++i) {
            const auto bytes = mutator.damage(original);
            Image full(bytes.data(), bytes.size(), kFormatJpeg);
            expectConsistent(full);
            Image reduced(bytes.data(), bytes.size(), kFormatUnknown, DecodeOptions{8, 6});
            expectConsistent(reduced);
            if (!full.IsValid()) ++invalid;
        }
    }
    EXPECT_GT(invalid, 100);  // the damage is real
}

TEST(MutatedInput, damagedBitmapsNeverCrashTheDecoderOrTheOperations) {
    std::vector<std::vector<uint8_t>> originals;
    for (Image image : {test::coordinateImage(13, 9), test::greyImage(7, 5, 3)}) {
        std::unique_ptr<uint8_t[]> buffer;
        size_t size = 0;
        ASSERT_TRUE(image.Encode(buffer, size, kFormatBmp));
        originals.emplace_back(buffer.get(), buffer.get() + size);
    }
    Mutator mutator(77);
    for (const auto& original : originals) {
        for (int i = 0; i < 500; ++i) {
            const auto bytes = mutator.damage(original);
            Image image(bytes.data(), bytes.size(), kFormatBmp);
            expectConsistent(image);
            if (!image.IsValid()) continue;
            // Whatever decoded must survive every operation.
            Image copy = image;
            EXPECT_TRUE(copy.Resample(5, 4, 1));
            Image shrunk = image;
            shrunk.QIShrink(1, 1);
            Image grey = image;
            EXPECT_TRUE(grey.GrayScale());
            EXPECT_TRUE(grey.Negative());
            Image real;
            Image imaginary;
            EXPECT_TRUE(grey.FFT2(&image, &image, &real, &imaginary, 1, true, true));
        }
    }
}

}  // namespace
}  // namespace lumora
