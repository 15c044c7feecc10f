#pragma once

#include <cstdint>
#include <vector>

namespace lumora::samples {

// A scene whose every part says which way is up and which side is left: sky
// above, a red sun in the upper left quarter, grass across the lower half.
// Pictures of it, stored as cameras store them under each orientation
// (EXIF tag 0x0112), show at a glance whether a picture is shown upright.
struct SceneColour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};
inline constexpr SceneColour kSceneSun{220, 40, 40};
inline constexpr SceneColour kSceneSky{110, 170, 235};
inline constexpr SceneColour kSceneGrass{40, 140, 40};

// The colour of the upright scene at (x, y) of a width x height view,
// counted from the top-left corner.
SceneColour sceneColourAt(int x, int y, int width, int height);

// The JPEG a camera holding the given orientation writes of the scene: its
// storedWidth x storedHeight pixels lie so that turning them as the
// orientation says shows the scene upright, storedWidth x storedHeight for
// orientations 1..4 and storedHeight x storedWidth (portrait for a landscape
// sensor) for 5..8. Empty for an impossible size.
std::vector<uint8_t> encodeOrientedScene(int storedWidth, int storedHeight, int orientation,
                                         int quality = 90);

}  // namespace lumora::samples
