#pragma once

#include <optional>
#include <string>

#include "albums/Album.h"
#include "albums/FilmSelection.h"

namespace lumora {

// What Save Album and leaving the Edit Album dialog decide, without the
// dialog.

inline constexpr const char* kDefaultNameQuestion = "Pictures base name not set. Use default name?";
inline constexpr const char* kDefaultNameCaption = "Picture Name";
inline constexpr const char* kDiscardChangesQuestion = "Discard the changes to this album?";

// The name an album without one takes when the user agrees.
std::string defaultAlbumName(const Album& album);

// Why Save Album refuses the album as its controls would write it
// (`candidate`), in the order the checks are made: an album of no picture,
// then a missing date (unless checkDates is false, after the default name was
// taken), then a name processing could not make on disk. Absent: it may be
// saved.
std::optional<std::string> saveRefusal(const Album& candidate, const FilmCounts& counts,
                                       bool startSet, bool endSet, bool checkDates);

// Whether the album differs from what it was when the dialog opened in
// anything Discard would throw away: names, options, range or filter. The
// pictures' counts follow the range and are not compared.
bool albumEdited(const Album& opened, const Album& now);

}  // namespace lumora
