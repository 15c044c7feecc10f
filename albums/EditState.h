#pragma once

#include <cstdint>
#include <vector>

#include "albums/AlbumList.h"
#include "catalog/ExifInfo.h"

namespace lumora {

// Which album the Edit Album dialog works on and with what film polarity.
struct EditState {
    int32_t editMode = 0;       // 1 while an existing album is edited
    int32_t editedAlbumId = 0;  // its id
    int32_t negativeFilm = 0;   // 1: every picture starts excluded, shown as a negative
    // negativeFilm as it was before an edit, which always runs positive.
    int32_t savedNegativeFilm = 0;
    int32_t polarityChanged = 0;  // the unassigned pictures' thumbnails need re-making
    // The edited album's range when the dialog opened, for Discard.
    uint64_t openedStartTime = 0;
    uint64_t openedEndTime = 0;
    // Pictures that were in no album and joined the edited album because a date
    // was cleared; Discard sends them back to no album. They are identified by
    // their ExifInfo, which every copy of an entry shares.
    std::vector<const ExifInfo*> joinedAfterClear;
};

// The album the dialog works on: the edited album in edit mode, else the last
// album of the list. Null when there is none.
Album* currentAlbum(AlbumList& albums, const EditState& state);

}  // namespace lumora
