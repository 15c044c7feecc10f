#include "samples/UprightScene.h"

#include "samples/JpegFileWriter.h"

namespace lumora::samples {
namespace {

struct Place {
    int x;
    int y;
};

// Where the stored pixel at row r, column c shows in the upright view of
// uprightWidth x uprightHeight, read from what each orientation says the
// stored first row and first column are: 1 top/left, 2 top/right, 3 bottom/
// right, 4 bottom/left, 5 left/top, 6 right/top, 7 right/bottom, 8 left/bottom.
Place uprightPlace(int orientation, int r, int c, int uprightWidth, int uprightHeight) {
    const int lastX = uprightWidth - 1;
    const int lastY = uprightHeight - 1;
    switch (orientation) {
        case 2: return {lastX - c, r};
        case 3: return {lastX - c, lastY - r};
        case 4: return {c, lastY - r};
        case 5: return {r, c};
        case 6: return {lastX - r, c};
        case 7: return {lastX - r, lastY - c};
        case 8: return {r, lastY - c};
        default: return {c, r};
    }
}

}  // namespace

SceneColour sceneColourAt(int x, int y, int width, int height) {
    if (2 * y >= height) return kSceneGrass;
    if (2 * x >= width) return kSceneSky;
    // The sun fills most of the upper left quarter, as a disc.
    const double quarterWidth = width / 2.0;
    const double quarterHeight = height / 2.0;
    const double dx = (x + 0.5 - quarterWidth / 2) / (quarterWidth / 2);
    const double dy = (y + 0.5 - quarterHeight / 2) / (quarterHeight / 2);
    return dx * dx + dy * dy <= 0.8 ? kSceneSun : kSceneSky;
}

std::vector<uint8_t> encodeOrientedScene(int storedWidth, int storedHeight, int orientation,
                                         int quality) {
    const bool swaps = orientation >= 5 && orientation <= 8;
    const int uprightWidth = swaps ? storedHeight : storedWidth;
    const int uprightHeight = swaps ? storedWidth : storedHeight;
    return encodeRows(storedWidth, storedHeight, 3, quality, [&](int r, uint8_t* row) {
        for (int c = 0; c < storedWidth; ++c) {
            const Place at = uprightPlace(orientation, r, c, uprightWidth, uprightHeight);
            const SceneColour colour = sceneColourAt(at.x, at.y, uprightWidth, uprightHeight);
            row[3 * c] = colour.red;
            row[3 * c + 1] = colour.green;
            row[3 * c + 2] = colour.blue;
        }
    });
}

}  // namespace lumora::samples
