#include "albums/FilmLabel.h"

#include "albums/DateTimeText.h"
#include "albums/FieldText.h"
#include "filters/CriterionText.h"
#include "platform/FileSystem.h"

namespace lumora {

std::string fileTitle(const std::string& path) {
    const size_t separator = path.rfind(kPathSeparator);
    const size_t start = separator == std::string::npos ? 0 : separator + 1;
    const size_t stop = path.find('.', start);
    return path.substr(start, stop == std::string::npos ? std::string::npos : stop - start);
}

std::string filmLabelName(int position, const PictureEntry& picture) {
    const bool custom = picture.exif && picture.exif->hasCustomName;
    const std::string name = custom ? fieldText(picture.exif->customName) : fileTitle(picture.path);
    return formatText("%i.%s", position, name.c_str());
}

namespace {

// Cameras pad their makes and models with spaces to a fixed width.
std::string withoutPadding(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string filmLabelCamera(const PictureEntry& picture) {
    if (!picture.exif) return "/";
    return formatText("%s/%s", withoutPadding(fieldText(picture.exif->CameraMake)).c_str(),
                      withoutPadding(fieldText(picture.exif->CameraModel)).c_str());
}

std::string filmLabel(int position, const PictureEntry& picture, int dateFormat, int timeFormat) {
    const std::string date = dateText(picture.dateTime, dateFormat);
    const std::string time = timeText(picture.dateTime, timeFormat);
    const bool substituted = picture.exif && picture.exif->dateSubstituted;
    std::string label = filmLabelName(position, picture);
    label += ".";
    label += formatText(substituted ? "**%s*%s**" : "%s %s", date.c_str(), time.c_str());
    label += "\n";
    label += filmLabelCamera(picture);
    return label;
}

}  // namespace lumora
