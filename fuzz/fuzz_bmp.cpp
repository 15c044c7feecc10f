// libFuzzer target for the BMP decoder, with and without the file header. A
// picture it accepts must survive the encoder and decode to the same packed
// bitmap.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz/PictureSeeds.h"
#include "imaging/BmpCodec.h"
#include "imaging/Image.h"

namespace {

void roundTrip(const lumora::Image& image) {
    std::vector<uint8_t> bytes;
    if (!lumora::encodeBmp(image, bytes)) std::abort();
    lumora::Image again;
    if (!lumora::decodeBmp(bytes.data(), bytes.size(), false, again)) std::abort();
    if (again.GetDibSize() != image.GetDibSize() ||
        std::memcmp(again.GetDib(), image.GetDib(), image.GetDibSize()) != 0) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* folder = std::getenv("LUMORA_FUZZ_SEEDS")) lumora::writeBmpSeeds(folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (bool headerless : {false, true}) {
        lumora::Image image;
        if (lumora::decodeBmp(data, size, headerless, image)) {
            if (!image.IsValid()) std::abort();
            roundTrip(image);
        } else if (image.IsValid() || image.GetLastError().empty()) {
            std::abort();  // a refusal leaves no picture and says why
        }
    }
    return 0;
}
