#include "imaging/SpectrumBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace lumora {
namespace {

std::vector<double> sweep() {
    std::vector<double> values = {
        0.0, 1.0, -1.0, 0.2679491924311227, 0.5773502691896258, 2.2250738585072014e-308, 1e300};
    for (double exponent = -12; exponent <= 12; exponent += 0.001) {
        values.push_back(std::pow(10.0, exponent));
        values.push_back(-std::pow(10.0, exponent));
    }
    return values;
}

TEST(SpectrumBytes, theSeriesStayWellInsideTheirErrorBounds) {
    const std::vector<double> values = sweep();
    std::vector<double> atans(values.size());
    std::vector<double> logs(values.size());
    seriesAtans(values.data(), values.size(), atans.data());
    seriesLogs(values.data(), values.size(), logs.data());
    double worstAtan = 0;
    double worstLog = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        worstAtan = std::max(worstAtan, std::fabs(atans[i] - std::atan(values[i])));
        if (values[i] > 0) worstLog = std::max(worstLog, std::fabs(logs[i] - std::log(values[i])));
    }
    // The bytes rely on 1e-9 and 1e-10.
    EXPECT_LT(worstAtan, 1e-10);
    EXPECT_LT(worstLog, 1e-12);
}

struct Value {
    double re, im;
};

void expectExactBytes(const std::vector<Value>& values, double gain) {
    std::vector<double> re;
    std::vector<double> im;
    for (const Value& v : values) {
        re.push_back(v.re);
        im.push_back(v.im);
    }
    std::vector<uint8_t> magnitude(values.size());
    std::vector<uint8_t> phase(values.size());
    spectrumRowBytes(re.data(), im.data(), values.size(), gain, magnitude.data(), phase.data());
    for (size_t i = 0; i < values.size(); ++i) {
        ASSERT_EQ(magnitude[i], exactMagnitudeByte(re[i], im[i], gain))
            << re[i] << " " << im[i] << " gain " << gain;
        ASSERT_EQ(phase[i], exactPhaseByte(re[i], im[i], gain))
            << re[i] << " " << im[i] << " gain " << gain;
    }
}

// Values just beside every byte boundary are where the series could go
// wrong; there the row must hold what the formulas give.
TEST(SpectrumBytes, rowsHoldTheExactBytesEvenBesideBoundaries) {
    const double gains[] = {16.0, 2.0, 1.5, 4.0, 0.25, 1024.0, 1.0 / 16};
    const double nudges[] = {0.0, 1e-15, -1e-15, 1e-12, -1e-12, 1e-10, -1e-10, 1e-8, -1e-8, 1e-3};
    for (double gain : gains) {
        std::vector<Value> values;
        for (int k = 0; k <= 256; ++k) {
            for (double nudge : nudges) {
                // |z| = exp(k / gain - 3) lands on the boundary k.
                const double modulus = std::exp(k / gain - 3.0) * (1.0 + nudge);
                for (double share : {1.0, 0.6, 0.0}) {
                    values.push_back({modulus * share, modulus * std::sqrt(1.0 - share * share)});
                }
                // atan q = (k - 128) / gain lands on the boundary k.
                const double angle = (k - 128) / gain;
                if (std::fabs(angle) < 1.5707963) {
                    const double q = std::tan(angle) * (1.0 + nudge);
                    for (double re : {1.0, -3.0, 1e-7}) values.push_back({re, q * re});
                }
            }
        }
        expectExactBytes(values, gain);
    }
}

TEST(SpectrumBytes, zerosTinyValuesAndRandomValuesAgreeWithTheFormulas) {
    // A zero real part is read as 1e-10; a zero value has no magnitude.
    std::vector<Value> values = {{0.0, 0.0},     {0.0, 5.0},    {0.0, -5.0},   {-0.0, 1e-300},
                                 {1e-310, 0.0},  {1e-320, 1.0}, {5e-324, 0.0}, {1e300, 1e300},
                                 {-1e-12, 3e-9}, {128.0, -0.0}};
    uint64_t seed = 99;
    auto next = [&seed] {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(seed >> 11) / 9007199254740992.0;
    };
    for (int i = 0; i < 100000; ++i) {
        values.push_back({(next() - 0.5) * std::pow(10.0, next() * 8 - 5),
                          (next() - 0.5) * std::pow(10.0, next() * 8 - 5)});
    }
    expectExactBytes(values, 16.0);
    EXPECT_EQ(exactPhaseByte(0.0, 5.0, 16.0), 153);  // 128 + 16 atan(5e10), just under pi/2
    EXPECT_EQ(exactMagnitudeByte(0.0, 0.0, 16.0), 0);
}

}  // namespace
}  // namespace lumora
