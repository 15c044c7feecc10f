#pragma once

#include <string>

#include "catalog/PictureEntry.h"
#include "platform/Time.h"

namespace lumora {

// The longest custom picture name kept (the record's field holds one more
// byte for its end).
inline constexpr size_t kCustomNameLength = sizeof(ExifInfo::customName) - 1;

inline constexpr const char* kCustomNameRefusedText =
    "A picture name must be a plain file name: it cannot contain '/', nor be \".\" or \"..\". "
    "The picture keeps its name.";
inline constexpr const char* kCustomNameCaption = "Picture Name";

enum class NameEdit {
    Unchanged,  // the text was not changed: nothing happens
    Cleared,    // an empty text: the picture goes back to its file name
    Named,      // the picture carries the text as its custom name
    Refused,    // not a plain file name: nothing changes
};

// The end of a film label edit that began with `remembered`: an empty text
// clears the picture's custom name, any other new text becomes it (cut to
// kCustomNameLength bytes, never inside a character), unless it could not be
// a file's name, since processing names the picture's file after it.
NameEdit applyNameEdit(ExifInfo& exif, const std::string& remembered, const std::string& text);

// The label of a film picture as a finished edit leaves it: the name part,
// the date and time as "%s %s" (without the marks of a substituted date,
// which come back at the next rebuild), and the camera line.
std::string editedFilmLabel(int position, const PictureEntry& picture, int dateFormat,
                            int timeFormat);

}  // namespace lumora
