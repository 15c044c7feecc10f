#include "imaging/Image.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace lumora {
namespace {

using Complex = std::complex<double>;

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

// One-dimensional transforms of a fixed length and direction. The forward
// transform divides by the length.
class Transform1d {
  public:
    Transform1d(int32_t length, int direction)
        : length_(length),
          radix2_(isPowerOfTwo(length)),
          roots_(static_cast<size_t>(length)),
          scratch_(static_cast<size_t>(length)) {
        const double sign = direction == 1 ? -1.0 : 1.0;
        for (int32_t k = 0; k < length; ++k) {
            const double angle = sign * 2.0 * std::numbers::pi * k / length;
            roots_[static_cast<size_t>(k)] = Complex(std::cos(angle), std::sin(angle));
        }
        scale_ = direction == 1 ? 1.0 / length : 1.0;
    }

    void run(Complex* data) {
        if (radix2_) {
            runRadix2(data);
        } else {
            runDft(data);
        }
        if (scale_ != 1.0) {
            for (int32_t i = 0; i < length_; ++i) data[i] *= scale_;
        }
    }

  private:
    // Iterative decimation in time: bit-reversed order, then butterflies.
    void runRadix2(Complex* data) const {
        const int32_t n = length_;
        for (int32_t i = 1, j = 0; i < n; ++i) {
            int32_t bit = n >> 1;
            for (; j & bit; bit >>= 1) j ^= bit;
            j ^= bit;
            if (i < j) std::swap(data[i], data[j]);
        }
        for (int32_t half = 1; half < n; half <<= 1) {
            const int32_t step = n / (2 * half);
            for (int32_t start = 0; start < n; start += 2 * half) {
                for (int32_t k = 0; k < half; ++k) {
                    const Complex t =
                        roots_[static_cast<size_t>(k * step)] * data[start + k + half];
                    data[start + k + half] = data[start + k] - t;
                    data[start + k] += t;
                }
            }
        }
    }

    void runDft(Complex* data) {
        const int32_t n = length_;
        for (int32_t k = 0; k < n; ++k) {
            Complex sum = 0;
            int64_t index = 0;
            for (int32_t i = 0; i < n; ++i) {
                sum += data[i] * roots_[static_cast<size_t>(index)];
                index += k;
                if (index >= n) index -= n;
            }
            scratch_[static_cast<size_t>(k)] = sum;
        }
        std::copy(scratch_.begin(), scratch_.end(), data);
    }

    int32_t length_;
    bool radix2_;
    std::vector<Complex> roots_;
    std::vector<Complex> scratch_;
    double scale_ = 1.0;
};

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
    Image workReal;
    Image workImaginary;
    if (!prepareWork(sourceReal, width, height, workReal) ||
        !prepareWork(sourceImaginary, width, height, workImaginary)) {
        SetLastError("The image is empty");
        return false;
    }

    std::vector<Complex> grid(static_cast<size_t>(width) * height);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* real = sourceReal != nullptr ? workReal.GetBits(y) : nullptr;
        const uint8_t* imaginary = sourceImaginary != nullptr ? workImaginary.GetBits(y) : nullptr;
        Complex* row = grid.data() + static_cast<size_t>(y) * width;
        for (int32_t x = 0; x < width; ++x) {
            row[x] = Complex(real != nullptr ? real[x] - 128.0 : 0.0,
                             imaginary != nullptr ? imaginary[x] - 128.0 : 0.0);
        }
    }

    Transform1d rows(width, direction);
    for (int32_t y = 0; y < height; ++y) rows.run(grid.data() + static_cast<size_t>(y) * width);
    Transform1d columns(height, direction);
    std::vector<Complex> column(static_cast<size_t>(height));
    for (int32_t x = 0; x < width; ++x) {
        for (int32_t y = 0; y < height; ++y) column[y] = grid[static_cast<size_t>(y) * width + x];
        columns.run(column.data());
        for (int32_t y = 0; y < height; ++y) grid[static_cast<size_t>(y) * width + x] = column[y];
    }

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
        const Complex* row = grid.data() + static_cast<size_t>(y) * width;
        for (int32_t x = 0; x < width; ++x) {
            const double re = row[x].real();
            const double im = row[x].imag();
            if (magnitude) {
                const double modulus = std::sqrt(re * re + im * im);
                real[x] = clampToByte(gain * (3.0 + std::log(modulus)));
                imaginary[x] = clampToByte(128.0 + gain * std::atan(im / (re == 0.0 ? 1e-10 : re)));
            } else {
                real[x] = clampToByte(128.0 + gain * re);
                imaginary[x] = clampToByte(128.0 + gain * im);
            }
        }
    }
    return true;
}

}  // namespace lumora
