#pragma once

#include <functional>

#include "catalog/PictureEntry.h"

namespace lumora {

// Why a film thumbnail is re-made; the film uses a faster shrink after the
// discard of an edited album, and shows its "Resample" text only on some.
enum class RemakeReason { Toggle, Save, DiscardNew, DiscardEdited, Delete };

// Re-makes one picture's film thumbnail with the given polarity and puts it at
// the picture's thumbnailIndex. Returns false when the picture could not be
// decoded and the caller should leave the picture as it was. Injected so that
// the album model stays free of images; an empty function does nothing.
using RemakeThumbnail =
    std::function<bool(const PictureEntry& picture, bool negative, RemakeReason reason)>;

}  // namespace lumora
