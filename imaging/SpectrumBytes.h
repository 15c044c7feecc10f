#pragma once

#include <cstddef>
#include <cstdint>

// The hot loops of the spectrum are built twice, for AVX2 and for any x86-64,
// and the loader picks one for the processor (an ELF "ifunc"). Windows'
// loader has no such choice: there only the plain build is made.
#ifdef _WIN32
#define LUMORA_AVX2_CLONES
#else
#define LUMORA_AVX2_CLONES __attribute__((target_clones("avx2", "default")))
#endif

namespace lumora {

// The bytes FFT2 writes for frequency values re + i im with gain g:
//   magnitude: truncate(min(255, max(0, g (3 + ln |z|))))
//   phase:     truncate(min(255, max(0, 128 + g atan(im / re)))), re = 0 read as 1e-10
// The exact forms evaluate the formulas with the C library, one value at a
// time. spectrumRowBytes gives the same bytes, bit for bit, for a whole row at
// once: it evaluates series for ln and atan in vectorised loops, whose error
// is far below a byte step, and uses the exact form for any value that lies
// so close to a byte boundary that the series could cross it.
uint8_t exactMagnitudeByte(double re, double im, double gain);
uint8_t exactPhaseByte(double re, double im, double gain);
void spectrumRowBytes(const double* re, const double* im, size_t count, double gain,
                      uint8_t* magnitude, uint8_t* phase);

// The series, for tests of their error bounds: ln x for normal x > 0, and
// atan x for finite x.
void seriesLogs(const double* x, size_t count, double* result);
void seriesAtans(const double* x, size_t count, double* result);

}  // namespace lumora
