#include "imaging/Image.h"

#include "imaging/SpectrumBytes.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <numbers>
#include <vector>

namespace lumora {
namespace {

// Limits that keep a transform of a big picture from taking gigabytes or
// hours: the grid, and the length of a plain DFT (quadratic in its length).
constexpr int64_t kMaxGridElements = 4096 * 4096;
constexpr int32_t kMaxDftLength = 1024;

bool isPowerOfTwo(int32_t n) {
    return n > 0 && (n & (n - 1)) == 0;
}

int32_t nextPowerOfTwo(int32_t n) {
    int32_t power = 1;
    while (power < n) power <<= 1;
    return power;
}

// A complex grid held as two planes, real and imaginary, row after row. Rows
// are padded so that a power-of-two width does not put every row of a column
// in the same cache set.
struct Grid {
    static constexpr int32_t kPadding = 4;

    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;
    std::vector<double> real;
    std::vector<double> imaginary;

    Grid(int32_t w, int32_t h)
        : width(w),
          height(h),
          stride(w + kPadding),
          real(static_cast<size_t>(stride) * h),
          imaginary(real.size()) {}

    double* realRow(int32_t y) { return real.data() + static_cast<size_t>(y) * stride; }
    double* imaginaryRow(int32_t y) { return imaginary.data() + static_cast<size_t>(y) * stride; }
    const double* realRow(int32_t y) const { return real.data() + static_cast<size_t>(y) * stride; }
    const double* imaginaryRow(int32_t y) const {
        return imaginary.data() + static_cast<size_t>(y) * stride;
    }

    // The grid with rows and columns exchanged, written into `target`.
    void transposeInto(Grid& target) const {
        for (int32_t y = 0; y < height; ++y) {
            const double* re = realRow(y);
            const double* im = imaginaryRow(y);
            for (int32_t x = 0; x < width; ++x) {
                target.realRow(x)[y] = re[x];
                target.imaginaryRow(x)[y] = im[x];
            }
        }
    }
};

// The roots exp(-+2 pi i k / n) of one transform length and direction.
struct Roots {
    int32_t length = 0;
    int direction = 0;
    std::vector<double> real;
    std::vector<double> imaginary;

    Roots(int32_t n, int forward)
        : length(n), direction(forward), real(static_cast<size_t>(n)), imaginary(real.size()) {
        const double sign = direction == 1 ? -1.0 : 1.0;
        for (int32_t k = 0; k < n; ++k) {
            const double angle = sign * 2.0 * std::numbers::pi * k / n;
            real[static_cast<size_t>(k)] = std::cos(angle);
            imaginary[static_cast<size_t>(k)] = std::sin(angle);
        }
    }
};

// The roots of the last few lengths used: the duplicate search transforms
// one 64 x 64 picture after another, on several threads. One cache for the
// whole program, not one per thread: a thread_local object with a destructor
// brings down Windows programs built with mingw-w64 when threads end while
// others run (its storage is freed before its destructor runs). A caller
// keeps its roots alive while another thread drops them from the cache.
std::shared_ptr<const Roots> rootsFor(int32_t n, int direction) {
    static std::mutex mutex;
    static std::vector<std::shared_ptr<const Roots>> cache;
    const std::lock_guard<std::mutex> lock(mutex);
    for (const auto& roots : cache) {
        if (roots->length == n && roots->direction == direction) return roots;
    }
    if (cache.size() >= 8) cache.erase(cache.begin());
    cache.push_back(std::make_shared<const Roots>(n, direction));
    return cache.back();
}

// Transforms every column of the grid: a radix-2 decimation in time when the
// height is a power of two, a plain DFT otherwise; the forward transform
// divides by the height. Each butterfly is applied to a whole row of columns
// at once, which does for every column exactly what a one-column transform
// would do, in the same order, but in loops the compiler can vectorise (with
// AVX2 where the processor has it; without FMA, so every build and processor
// rounds alike).
LUMORA_AVX2_CLONES void transformColumns(Grid& grid, int direction) {
    const int32_t n = grid.height;
    const int32_t width = grid.width;
    const std::shared_ptr<const Roots> roots = rootsFor(n, direction);
    const std::vector<double>& rootReal = roots->real;
    const std::vector<double>& rootImaginary = roots->imaginary;

    if (isPowerOfTwo(n)) {
        for (int32_t i = 1, j = 0; i < n; ++i) {
            int32_t bit = n >> 1;
            for (; j & bit; bit >>= 1) j ^= bit;
            j ^= bit;
            if (i < j) {
                std::swap_ranges(grid.realRow(i), grid.realRow(i) + width, grid.realRow(j));
                std::swap_ranges(grid.imaginaryRow(i), grid.imaginaryRow(i) + width,
                                 grid.imaginaryRow(j));
            }
        }
        for (int32_t half = 1; half < n; half <<= 1) {
            const int32_t step = n / (2 * half);
            for (int32_t start = 0; start < n; start += 2 * half) {
                for (int32_t k = 0; k < half; ++k) {
                    const double wr = rootReal[static_cast<size_t>(k * step)];
                    const double wi = rootImaginary[static_cast<size_t>(k * step)];
                    double* __restrict ar = grid.realRow(start + k);
                    double* __restrict ai = grid.imaginaryRow(start + k);
                    double* __restrict br = grid.realRow(start + k + half);
                    double* __restrict bi = grid.imaginaryRow(start + k + half);
                    for (int32_t x = 0; x < width; ++x) {
                        const double tr = wr * br[x] - wi * bi[x];
                        const double ti = wr * bi[x] + wi * br[x];
                        br[x] = ar[x] - tr;
                        bi[x] = ai[x] - ti;
                        ar[x] = ar[x] + tr;
                        ai[x] = ai[x] + ti;
                    }
                }
            }
        }
    } else {
        Grid result(width, n);
        for (int32_t k = 0; k < n; ++k) {
            double* __restrict sr = result.realRow(k);
            double* __restrict si = result.imaginaryRow(k);
            int64_t index = 0;
            for (int32_t i = 0; i < n; ++i) {
                const double wr = rootReal[static_cast<size_t>(index)];
                const double wi = rootImaginary[static_cast<size_t>(index)];
                const double* __restrict dr = grid.realRow(i);
                const double* __restrict di = grid.imaginaryRow(i);
                for (int32_t x = 0; x < width; ++x) {
                    sr[x] += dr[x] * wr - di[x] * wi;
                    si[x] += dr[x] * wi + di[x] * wr;
                }
                index += k;
                if (index >= n) index -= n;
            }
        }
        grid.real.swap(result.real);
        grid.imaginary.swap(result.imaginary);
    }

    if (direction == 1) {
        const double scale = 1.0 / n;
        for (double& v : grid.real) v *= scale;
        for (double& v : grid.imaginary) v *= scale;
    }
}

// The grey work picture of one source at the transform's size; an absent
// source stays absent.
bool prepareWork(const Image* source, int32_t width, int32_t height, Image& work) {
    if (source == nullptr) return true;
    work.Copy(*source, true, false, false);
    if (!work.IsGrayScale()) work.GrayScale();
    if (!work.IsValid()) return false;
    return work.Resample(width, height, 0);
}

uint8_t clampToByte(double value) {
    // max() before min() also turns -inf and NaN into 0.
    return static_cast<uint8_t>(std::min(255.0, std::max(0.0, value)));
}

}  // namespace

bool Image::FFT2(const Image* sourceReal, const Image* sourceImaginary, Image* destinationReal,
                 Image* destinationImaginary, int direction, bool forceFft, bool magnitude) {
    const Image* first = sourceReal != nullptr ? sourceReal : sourceImaginary;
    if (first == nullptr || !first->IsValid()) {
        SetLastError("The image is empty");
        return false;
    }
    int32_t width = first->GetWidth();
    int32_t height = first->GetHeight();
    if (forceFft && (!isPowerOfTwo(width) || !isPowerOfTwo(height))) {
        width = nextPowerOfTwo(width);
        height = nextPowerOfTwo(height);
    }
    if (static_cast<int64_t>(width) * height > kMaxGridElements ||
        (!isPowerOfTwo(width) && width > kMaxDftLength) ||
        (!isPowerOfTwo(height) && height > kMaxDftLength)) {
        SetLastError("The image is too large for the transform");
        return false;
    }

    // Sources may be the destinations themselves: read them into work copies.
    // One picture given as both parts (the duplicate search does so) needs
    // one work copy only.
    Image workReal;
    Image workImaginary;
    const bool shared = sourceReal == sourceImaginary;
    if (!prepareWork(sourceReal, width, height, workReal) ||
        !prepareWork(shared ? nullptr : sourceImaginary, width, height, workImaginary)) {
        SetLastError("The image is empty");
        return false;
    }
    const Image& imaginaryWork = shared ? workReal : workImaginary;

    Grid grid(width, height);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* real = sourceReal != nullptr ? workReal.GetBits(y) : nullptr;
        const uint8_t* imaginary = sourceImaginary != nullptr ? imaginaryWork.GetBits(y) : nullptr;
        double* realRow = grid.realRow(y);
        double* imaginaryRow = grid.imaginaryRow(y);
        for (int32_t x = 0; x < width; ++x) {
            realRow[x] = real != nullptr ? real[x] - 128.0 : 0.0;
            imaginaryRow[x] = imaginary != nullptr ? imaginary[x] - 128.0 : 0.0;
        }
    }
    // The rows first, as the columns of the transposed grid.
    Grid transposed(height, width);
    grid.transposeInto(transposed);
    transformColumns(transposed, direction);
    transposed.transposeInto(grid);
    transformColumns(grid, direction);

    double gain =
        std::pow(2.0, std::log(static_cast<double>(std::max(width, height))) / std::log(2.0) - 4.0);
    if (direction == -1) gain = 1.0 / gain;
    if (magnitude) gain *= 4.0;

    Image scratchReal;
    Image scratchImaginary;
    Image& outReal = destinationReal != nullptr ? *destinationReal : scratchReal;
    Image& outImaginary =
        destinationImaginary != nullptr ? *destinationImaginary : scratchImaginary;
    const int format = first->GetType();
    if (outReal.Create(width, height, 8, format) == nullptr ||
        outImaginary.Create(width, height, 8, format) == nullptr) {
        SetLastError("The image is too large");
        return false;
    }
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* real = outReal.GetBits(y);
        uint8_t* imaginary = outImaginary.GetBits(y);
        const double* realRow = grid.realRow(y);
        const double* imaginaryRow = grid.imaginaryRow(y);
        if (magnitude) {
            spectrumRowBytes(realRow, imaginaryRow, static_cast<size_t>(width), gain, real,
                             imaginary);
            continue;
        }
        for (int32_t x = 0; x < width; ++x) {
            real[x] = clampToByte(128.0 + gain * realRow[x]);
            imaginary[x] = clampToByte(128.0 + gain * imaginaryRow[x]);
        }
    }
    return true;
}

}  // namespace lumora
