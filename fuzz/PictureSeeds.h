#pragma once

#include <string>

namespace lumora {

// Writes the starting inputs of the picture targets into a corpus folder: a
// small sample set from the sample generator (every kind of file a scan
// meets), and headers the generator never writes (Motorola byte order, a
// thumbnail directory alone, a comment, greyscale). Folders are made when
// missing; failures are ignored, since the run works from an empty corpus too.
void writeJpegSeeds(const std::string& folder);

// BMP files of every depth the decoder reads, top-down and bottom-up, and a
// bare DIB as Windows keeps bitmap resources.
void writeBmpSeeds(const std::string& folder);

}  // namespace lumora
