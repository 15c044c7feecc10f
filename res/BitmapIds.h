#pragma once

namespace lumora::res {

// The numbers under which the bitmaps in res/bitmaps are compiled into the
// program (file res/bitmaps/bitmapN.bmp is bitmap N).
inline constexpr int kBitmapTargetButton = 133;          // button beside Target, 32 x 32
inline constexpr int kBitmapSourceButton = 167;          // button beside Source, 32 x 32
inline constexpr int kBitmapBanner = 168;                // banner of the main window, 480 x 64
inline constexpr int kBitmapDuplicatePlaceholder = 169;  // duplicates viewer, 160 x 120
inline constexpr int kBitmapFilmPerforation = 176;       // film perforation strip, 24 x 480
inline constexpr int kBitmapFilmPlaceholder = 178;       // unreadable picture, 160 x 120
// The Advanced Filter's status lamps, plain blocks of one colour.
inline constexpr int kBitmapLampGreen = 180;  // 7 x 5: the criterion restricts the film
inline constexpr int kBitmapLampRed = 181;    // 9 x 7: available, not restricting
inline constexpr int kBitmapLampBlack = 182;  // 48 x 48: unchecked or without values

}  // namespace lumora::res
