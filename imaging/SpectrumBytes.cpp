#include "imaging/SpectrumBytes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace lumora {
namespace {

// Bounds on the series' absolute errors, with a wide margin over what the
// truncated series and their rounding reach (below 1e-10 for the arctangent
// and 1e-12 for the logarithm); tests hold the series to tighter bounds.
constexpr double kAtanError = 1e-9;
constexpr double kLogError = 1e-10;
// What the exact forms' own rounding can add, at values up to 256.
constexpr double kRoundingError = 1e-12;
// Below this the logarithm's exponent trick does not hold (subnormals).
constexpr double kSmallestNormal = 2.2250738585072014e-308;
constexpr double kLargest = 1.7976931348623157e308;
constexpr size_t kChunk = 64;

uint8_t clampToByte(double value) {
    // max() before min() also turns -inf and NaN into 0.
    return static_cast<uint8_t>(std::min(255.0, std::max(0.0, value)));
}

// The byte a value falls in, 0 below 1 and 255 from 255 on. Two values give
// the same byte exactly when no byte boundary lies between them.
int byteOf(double value) {
    return static_cast<int>(std::min(255.5, std::max(0.0, value)));
}

double phaseQuotient(double re, double im) {
    return im / (re == 0.0 ? 1e-10 : re);
}

uint64_t bitsOf(double x) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

double fromBits(uint64_t bits) {
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

}  // namespace

// ln x = e ln 2 + ln f with x = f 2^e, f in [sqrt(1/2), sqrt 2), and
// ln f = 2 atanh z, z = (f - 1) / (f + 1), |z| < 0.1716: the atanh series to
// z^17 leaves out less than 1e-15. Written without branches or library calls
// so that the loop vectorises.
LUMORA_AVX2_CLONES void seriesLogs(const double* x, size_t count,
                                                                  double* result) {
    for (size_t i = 0; i < count; ++i) {
        const uint64_t bits = bitsOf(x[i]);
        // The biased exponent as a double: its bits put below 2^52.
        const double biased = fromBits(0x4330000000000000ull | (bits >> 52)) - 4503599627370496.0;
        // Both sides of each choice are computed, so that the choices become
        // selections and the loop has no branch.
        const double whole = fromBits((bits & 0x000FFFFFFFFFFFFFull) | 0x3FF0000000000000ull);
        const double halved = whole * 0.5;
        const bool high = whole > std::numbers::sqrt2;
        const double fraction = high ? halved : whole;
        const double exponent = biased - 1023.0 + (high ? 1.0 : 0.0);
        const double z = (fraction - 1.0) / (fraction + 1.0);
        const double z2 = z * z;
        const double series =
            2.0 * z *
            (1.0 +
             z2 * (1.0 / 3 +
                   z2 * (1.0 / 5 +
                         z2 * (1.0 / 7 +
                               z2 * (1.0 / 9 + z2 * (1.0 / 11 +
                                                     z2 * (1.0 / 13 +
                                                           z2 * (1.0 / 15 + z2 * (1.0 / 17)))))))));
        result[i] = exponent * std::numbers::ln2 + series;
    }
}

// atan a = pi/2 - atan(1/a) brings a to [0, 1]; then atan a = pi/6 + atan t,
// t = (a sqrt 3 - 1) / (a + sqrt 3), brings it to |t| <= tan(pi/12), where
// the Taylor series to t^15 leaves out less than 1.2e-11.
LUMORA_AVX2_CLONES void seriesAtans(const double* x, size_t count,
                                                                   double* result) {
    for (size_t i = 0; i < count; ++i) {
        const double value = x[i];
        const double magnitude = std::fabs(value);
        const bool large = magnitude > 1.0;
        const double inverse = 1.0 / magnitude;
        const double a = large ? inverse : magnitude;
        const bool middle = a > 0.2679491924311227;
        const double moved = (a * std::numbers::sqrt3 - 1.0) / (a + std::numbers::sqrt3);
        const double t = middle ? moved : a;
        const double direction = large ? -1.0 : 1.0;
        const double offset = (large ? std::numbers::pi / 2 : 0.0) +
                              direction * (middle ? std::numbers::pi / 6 : 0.0);
        const double t2 = t * t;
        const double series =
            t * (1.0 +
                 t2 * (-1.0 / 3 +
                       t2 * (1.0 / 5 +
                             t2 * (-1.0 / 7 +
                                   t2 * (1.0 / 9 +
                                         t2 * (-1.0 / 11 + t2 * (1.0 / 13 + t2 * (-1.0 / 15))))))));
        const double unsignedResult = offset + direction * series;
        result[i] = std::copysign(unsignedResult, value);
    }
}

uint8_t exactMagnitudeByte(double re, double im, double gain) {
    return clampToByte(gain * (3.0 + std::log(std::sqrt(re * re + im * im))));
}

uint8_t exactPhaseByte(double re, double im, double gain) {
    return clampToByte(128.0 + gain * std::atan(phaseQuotient(re, im)));
}

LUMORA_AVX2_CLONES void spectrumRowBytes(const double* re,
                                                                        const double* im,
                                                                        size_t count, double gain,
                                                                        uint8_t* magnitude,
                                                                        uint8_t* phase) {
    double moduli[kChunk];
    double quotients[kChunk];
    double logs[kChunk];
    double angles[kChunk];
    uint8_t exact[kChunk];
    const double logError = std::fabs(gain) * kLogError + kRoundingError;
    const double atanError = std::fabs(gain) * kAtanError + kRoundingError;
    for (size_t start = 0; start < count; start += kChunk) {
        const size_t n = std::min(kChunk, count - start);
        const double* r = re + start;
        const double* m = im + start;
        for (size_t i = 0; i < n; ++i) {
            moduli[i] = std::sqrt(r[i] * r[i] + m[i] * m[i]);
            quotients[i] = m[i] / (r[i] == 0.0 ? 1e-10 : r[i]);
        }
        seriesLogs(moduli, n, logs);
        seriesAtans(quotients, n, angles);
        uint8_t* magnitudes = magnitude + start;
        uint8_t* phases = phase + start;
        for (size_t i = 0; i < n; ++i) {
            const double magnitudeValue = gain * (3.0 + logs[i]);
            const double phaseValue = 128.0 + gain * angles[i];
            const bool usable = moduli[i] >= kSmallestNormal && moduli[i] <= kLargest;
            const bool finite = quotients[i] >= -kLargest && quotients[i] <= kLargest;
            magnitudes[i] = clampToByte(magnitudeValue);
            phases[i] = clampToByte(phaseValue);
            const bool magnitudeClear =
                usable && byteOf(magnitudeValue - logError) == byteOf(magnitudeValue + logError);
            const bool phaseClear =
                finite && byteOf(phaseValue - atanError) == byteOf(phaseValue + atanError);
            exact[i] = static_cast<uint8_t>((magnitudeClear ? 0 : 1) | (phaseClear ? 0 : 2));
        }
        for (size_t i = 0; i < n; ++i) {
            if (exact[i] & 1) magnitudes[i] = exactMagnitudeByte(r[i], m[i], gain);
            if (exact[i] & 2) phases[i] = exactPhaseByte(r[i], m[i], gain);
        }
    }
}

}  // namespace lumora
