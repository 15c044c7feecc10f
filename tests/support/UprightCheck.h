#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

#include "samples/UprightScene.h"

namespace lumora::test {

// Whether a shown picture of the upright scene (samples/UprightScene.h) is
// upright: the sun in the upper left quarter, sky in the upper right, grass
// below. `colourAt` reads the shown picture at (x, y) counted from the top
// left of the picture's own area (left, top, width, height); compression and
// scaling may move a colour a little, never to another of the three.
using ColourAt = std::function<samples::SceneColour(int x, int y)>;

inline bool near(samples::SceneColour a, samples::SceneColour b) {
    return std::abs(a.red - b.red) < 40 && std::abs(a.green - b.green) < 40 &&
           std::abs(a.blue - b.blue) < 40;
}

// An empty text when upright, else what lies where.
inline std::string uprightFault(const ColourAt& colourAt, int left, int top, int width,
                                int height) {
    struct Spot {
        const char* where;
        int x, y;
        samples::SceneColour expected;
    };
    const Spot spots[] = {
        {"sun at upper left", left + width / 4, top + height / 4, samples::kSceneSun},
        {"sky at upper right", left + width * 3 / 4, top + height / 4, samples::kSceneSky},
        {"grass at lower left", left + width / 4, top + height * 3 / 4, samples::kSceneGrass},
        {"grass at lower right", left + width * 3 / 4, top + height * 3 / 4, samples::kSceneGrass},
    };
    std::string fault;
    for (const Spot& spot : spots) {
        const samples::SceneColour seen = colourAt(spot.x, spot.y);
        if (!near(seen, spot.expected)) {
            fault += std::string("no ") + spot.where + " (" + std::to_string(seen.red) + "," +
                     std::to_string(seen.green) + "," + std::to_string(seen.blue) + "); ";
        }
    }
    return fault;
}

}  // namespace lumora::test
