// FFT2 and the scaling that comes before it, as the duplicate signature calls
// them: a 64 x 64 picture, forward, forced FFT, magnitude.
#include "imaging/Image.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

using lumora::Image;

Image pattern(int32_t width, int32_t height, int bitsPerPixel) {
    Image image;
    image.Create(width, height, bitsPerPixel, lumora::kFormatJpeg);
    uint32_t seed = 7;
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = image.GetBits(y);
        for (uint32_t i = 0; i < image.GetEffWidth(); ++i) {
            seed = seed * 1664525u + 1013904223u;
            row[i] = static_cast<uint8_t>(seed >> 24);
        }
    }
    return image;
}

void fft2(benchmark::State& state, int bitsPerPixel) {
    const auto size = static_cast<int32_t>(state.range(0));
    const Image source = pattern(size, size, bitsPerPixel);
    Image real;
    Image imaginary;
    Image worker;
    for (auto _ : state) {
        benchmark::DoNotOptimize(worker.FFT2(&source, &source, &real, &imaginary, 1, true, true));
        benchmark::DoNotOptimize(real.GetBits());
    }
}

void BM_Fft2Grey(benchmark::State& state) {
    fft2(state, 8);
}
void BM_Fft2Colour(benchmark::State& state) {
    fft2(state, 24);
}
BENCHMARK(BM_Fft2Grey)->Arg(64)->Arg(128)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Fft2Colour)->Arg(64)->Unit(benchmark::kMicrosecond);

// A 160 x 120 thumbnail to the 64 x 64 signature picture.
void BM_Resample160x120To64x64(benchmark::State& state) {
    const Image thumbnail = pattern(160, 120, 24);
    for (auto _ : state) {
        Image copy = thumbnail;
        benchmark::DoNotOptimize(copy.Resample(64, 64, 1));
    }
}
BENCHMARK(BM_Resample160x120To64x64)->Unit(benchmark::kMicrosecond);

void BM_Thumbnail640x480ToQIShrink(benchmark::State& state) {
    const Image picture = pattern(640, 480, 24);
    for (auto _ : state) {
        Image copy = picture;
        benchmark::DoNotOptimize(copy.QIShrink(160, 120));
    }
}
BENCHMARK(BM_Thumbnail640x480ToQIShrink)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
