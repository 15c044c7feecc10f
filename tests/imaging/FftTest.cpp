#include "imaging/Image.h"
#include "tests/imaging/TestImages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

namespace lumora {
namespace {

struct Spectrum {
    Image magnitude;
    Image phase;
};

// As the duplicate search does it, the picture is both the real and the
// imaginary part: every value v enters as v (1 + i), so magnitudes grow by
// sqrt 2 and real spectra have the phase atan 1.
Spectrum transform(const Image& source, int direction = 1, bool forceFft = true,
                   bool imaginaryToo = true) {
    Spectrum spectrum;
    Image worker;
    EXPECT_TRUE(worker.FFT2(&source, imaginaryToo ? &source : nullptr, &spectrum.magnitude,
                            &spectrum.phase, direction, forceFft, true))
        << worker.GetLastError();
    return spectrum;
}

int at(const Image& image, int32_t x, int32_t y) {
    return image.GetBits(y)[x];
}

TEST(Fft2, uniformMidGreyHasNoMagnitudeAnywhere) {
    const Image grey = test::greyImage(64, 64, 128);
    const Spectrum spectrum = transform(grey);
    ASSERT_EQ(spectrum.magnitude.GetWidth(), 64);
    ASSERT_EQ(spectrum.magnitude.GetBpp(), 8);
    for (int32_t y = 0; y < 64; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            ASSERT_EQ(at(spectrum.magnitude, x, y), 0) << x << "," << y;
            ASSERT_EQ(at(spectrum.phase, x, y), 128) << x << "," << y;
        }
    }
}

TEST(Fft2, aConstantPutsItsValueAtZeroFrequency) {
    // 100 above mid grey; 64 x 64 gives the gain 16, so the zero frequency
    // shows truncate(16 * (3 + ln(100 sqrt 2))) = 127 and the phase
    // truncate(128 + 16 atan 1) = 140.
    const Spectrum spectrum = transform(test::greyImage(64, 64, 228));
    EXPECT_EQ(at(spectrum.magnitude, 0, 0), 127);
    EXPECT_EQ(at(spectrum.phase, 0, 0), 140);
    EXPECT_EQ(at(spectrum.magnitude, 1, 0), 0);
    EXPECT_EQ(at(spectrum.magnitude, 0, 1), 0);
    EXPECT_EQ(at(spectrum.magnitude, 63, 63), 0);
    EXPECT_EQ(at(spectrum.phase, 17, 5), 128);

    // The inverse direction neither divides nor keeps the gain: 8 x 8 gives
    // 4 / 0.5 = 8 and a sum of 6400: truncate(8 * (3 + ln(6400 sqrt 2))) = 96.
    const Spectrum inverse = transform(test::greyImage(8, 8, 228), -1);
    EXPECT_EQ(at(inverse.magnitude, 0, 0), 96);
}

TEST(Fft2, withoutAnImaginarySourceTheInputIsReal) {
    // truncate(16 * (3 + ln 100)) = 121, phase atan 0.
    const Spectrum spectrum = transform(test::greyImage(64, 64, 228), 1, true, false);
    EXPECT_EQ(at(spectrum.magnitude, 0, 0), 121);
    EXPECT_EQ(at(spectrum.phase, 0, 0), 128);
    EXPECT_EQ(at(spectrum.magnitude, 5, 9), 0);
}

TEST(Fft2, anImpulseSpreadsEvenlyOverEveryFrequency) {
    // 127 at one pixel of 8 x 8: every frequency is 127 (1 + i) / 64; the
    // gain is 2, so each magnitude is truncate(2 * (3 + ln(127 sqrt 2 / 64)))
    // = 8 and each phase truncate(128 + 2 atan 1) = 129.
    Image impulse = test::greyImage(8, 8, 128);
    impulse.GetBits(0)[0] = 255;
    const Spectrum spectrum = transform(impulse);
    for (int32_t y = 0; y < 8; ++y) {
        for (int32_t x = 0; x < 8; ++x) {
            ASSERT_EQ(at(spectrum.magnitude, x, y), 8) << x << "," << y;
            ASSERT_EQ(at(spectrum.phase, x, y), 129) << x << "," << y;
        }
    }
}

TEST(Fft2, aSineAlongTheRowsGivesTwoPeaks) {
    // 100 cos(2 pi 2 x / 8): half of 100 at frequencies 2 and 6 of row 0,
    // truncate(2 * (3 + ln(50 sqrt 2))) = 14; everything else is zero.
    Image sine = test::greyImage(8, 8, 128);
    const uint8_t values[4] = {228, 128, 28, 128};
    for (int32_t y = 0; y < 8; ++y) {
        for (int32_t x = 0; x < 8; ++x) sine.GetBits(y)[x] = values[x % 4];
    }
    const Spectrum spectrum = transform(sine);
    for (int32_t y = 0; y < 8; ++y) {
        for (int32_t x = 0; x < 8; ++x) {
            const bool peak = y == 0 && (x == 2 || x == 6);
            ASSERT_EQ(at(spectrum.magnitude, x, y), peak ? 14 : 0) << x << "," << y;
        }
    }
    EXPECT_EQ(at(spectrum.phase, 2, 0), 129);
}

TEST(Fft2, colourSourcesAreTurnedGreyFirst) {
    // Pure red is grey 76: 52 below mid grey. Gain for 16: 2^(4 - 4) * 4 = 4;
    // truncate(4 * (3 + ln(52 sqrt 2))) = 29; atan(-52 / -52) is atan 1, so
    // the phase is truncate(128 + 4 atan 1) = 131.
    const Spectrum spectrum = transform(test::solidImage(16, 16, 255, 0, 0));
    EXPECT_EQ(at(spectrum.magnitude, 0, 0), 29);
    EXPECT_EQ(at(spectrum.phase, 0, 0), 131);
}

TEST(Fft2, otherSizesAreRaisedToPowersOfTwoOrTransformedPlainly) {
    const Image odd = test::greyImage(6, 4, 228);
    const Spectrum forced = transform(odd, 1, true);
    EXPECT_EQ(forced.magnitude.GetWidth(), 8);
    EXPECT_EQ(forced.magnitude.GetHeight(), 4);
    // Gain for 8 is 2: truncate(2 * (3 + ln(100 sqrt 2))) = 15.
    EXPECT_EQ(at(forced.magnitude, 0, 0), 15);

    const Spectrum plain = transform(odd, 1, false);
    EXPECT_EQ(plain.magnitude.GetWidth(), 6);
    EXPECT_EQ(plain.magnitude.GetHeight(), 4);
    // Gain 2^(ln 6 / ln 2 - 4) * 4 = 1.5.
    EXPECT_EQ(at(plain.magnitude, 0, 0),
              static_cast<int>(1.5 * (3 + std::log(100 * std::sqrt(2.0)))));
    EXPECT_EQ(at(plain.magnitude, 1, 0), 0);
}

TEST(Fft2, anEmptySourceFails) {
    Image empty;
    Image real;
    Image imaginary;
    Image worker;
    EXPECT_FALSE(worker.FFT2(&empty, &empty, &real, &imaginary, 1, true, true));
    EXPECT_FALSE(worker.FFT2(nullptr, nullptr, &real, &imaginary, 1, true, true));
}

// The duplicate search transforms on several threads at once, each thread
// starting and ending while others still run, with more lengths than any
// cache of roots keeps: every thread gets what one thread alone gets.
TEST(Fft2, transformsOnManyThreadsAtOnceGiveWhatOneThreadGives) {
    std::vector<Image> sources;
    for (int32_t size = 2; size <= 24; ++size) sources.push_back(test::texturedImage(size, size, true));
    std::vector<Spectrum> alone;
    for (const Image& source : sources) alone.push_back(transform(source, 1, false));

    auto same = [](const Image& a, const Image& b) {
        if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) return false;
        for (int32_t y = 0; y < a.GetHeight(); ++y) {
            if (std::memcmp(a.GetBits(y), b.GetBits(y), static_cast<size_t>(a.GetWidth())) != 0)
                return false;
        }
        return true;
    };
    constexpr int kThreads = 4;
    for (int round = 0; round < 10; ++round) {
        std::vector<int> mismatches(kThreads, 0);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&, t] {
                for (size_t i = 0; i < sources.size(); ++i) {
                    Spectrum spectrum;
                    Image worker;
                    const bool done = worker.FFT2(&sources[i], &sources[i], &spectrum.magnitude,
                                                  &spectrum.phase, 1, false, true);
                    if (!done || !same(spectrum.magnitude, alone[i].magnitude) ||
                        !same(spectrum.phase, alone[i].phase)) {
                        ++mismatches[static_cast<size_t>(t)];
                    }
                }
            });
        }
        for (std::thread& thread : threads) thread.join();
        for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[static_cast<size_t>(t)], 0) << t;
    }
}

}  // namespace
}  // namespace lumora
