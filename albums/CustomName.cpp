#include "albums/CustomName.h"

#include <cstring>

#include "albums/DateTimeText.h"
#include "albums/FieldText.h"
#include "albums/FilmLabel.h"
#include "filters/CriterionText.h"
#include "platform/FileNames.h"

namespace lumora {
namespace {

// Cuts UTF-8 text to at most `length` bytes without splitting a character.
std::string cutText(const std::string& text, size_t length) {
    if (text.size() <= length) return text;
    size_t end = length;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

}  // namespace

NameEdit applyNameEdit(ExifInfo& exif, const std::string& remembered, const std::string& text) {
    if (text == remembered) return NameEdit::Unchanged;
    if (text.empty()) {
        exif.hasCustomName = 0;
        std::memset(exif.customName, 0, sizeof exif.customName);
        return NameEdit::Cleared;
    }
    const std::string name = cutText(text, kCustomNameLength);
    if (!isPlainFileName(name)) return NameEdit::Refused;
    std::memset(exif.customName, 0, sizeof exif.customName);
    std::memcpy(exif.customName, name.data(), name.size());
    exif.hasCustomName = 1;
    return NameEdit::Named;
}

std::string editedFilmLabel(int position, const PictureEntry& picture, int dateFormat,
                            int timeFormat) {
    std::string label = filmLabelName(position, picture);
    label += ".";
    label += formatText("%s %s", dateText(picture.dateTime, dateFormat).c_str(),
                        filmLabelTime(picture, timeFormat).c_str());
    label += "\n";
    label += filmLabelCamera(picture);
    return label;
}

}  // namespace lumora
