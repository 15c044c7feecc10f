#include "tests/support/PictureFiles.h"

#include "samples/ExifBlockWriter.h"
#include "samples/JpegFileWriter.h"
#include "samples/UprightScene.h"

namespace lumora::test {

std::vector<uint8_t> exifPicture(const PictureSpec& spec) {
    samples::ExifBlockSpec block;
    if (!spec.make.empty()) block.ifd0.push_back(samples::asciiEntry(0x010F, spec.make));
    if (!spec.model.empty()) block.ifd0.push_back(samples::asciiEntry(0x0110, spec.model));
    if (spec.orientation != 0) {
        block.ifd0.push_back(samples::shortEntry(0x0112, static_cast<uint16_t>(spec.orientation)));
    }
    block.exifIfd.push_back(samples::undefinedEntry(0x9000, {'0', '2', '2', '0'}));
    if (!spec.dateTimeOriginal.empty()) {
        block.exifIfd.push_back(samples::asciiEntry(0x9003, spec.dateTimeOriginal));
    }
    if (spec.withThumbnail) {
        block.thumbnail = spec.scene ? samples::encodeOrientedScene(16, 12, spec.orientation)
                                     : samples::encodePattern(16, 12, 3, 75, spec.seed + 100);
    }
    if (spec.scene) {
        return samples::buildJpegFile(samples::encodeOrientedScene(64, 48, spec.orientation),
                                      {samples::buildExifSegment(block)});
    }
    samples::JpegSpec jpeg;
    jpeg.width = 32;
    jpeg.height = 24;
    jpeg.seed = spec.seed;
    jpeg.segments.push_back(samples::buildExifSegment(block));
    return samples::buildJpegFile(jpeg);
}

std::vector<uint8_t> exifPicture(const std::string& dateTimeOriginal) {
    PictureSpec spec;
    spec.dateTimeOriginal = dateTimeOriginal;
    return exifPicture(spec);
}

std::vector<uint8_t> plainPicture(uint32_t seed) {
    samples::JpegSpec jpeg;
    jpeg.width = 32;
    jpeg.height = 24;
    jpeg.seed = seed;
    return samples::buildJpegFile(jpeg);
}

}  // namespace lumora::test
