#include "albums/FilmLabel.h"

#include "albums/DateTimeText.h"
#include "albums/FieldText.h"
#include "filters/CriterionText.h"
#include "platform/FileSystem.h"

namespace lumora {

std::string fileTitle(const std::string& path) {
    const size_t separator = lastPathSeparator(path);
    const size_t start = separator == std::string::npos ? 0 : separator + 1;
    const size_t stop = path.find('.', start);
    return path.substr(start, stop == std::string::npos ? std::string::npos : stop - start);
}

std::string filmLabelName(int position, const PictureEntry& picture) {
    const bool custom = picture.exif && picture.exif->hasCustomName;
    const std::string name = custom ? fieldText(picture.exif->customName) : fileTitle(picture.path);
    return formatText("%i.%s", position, name.c_str());
}

std::string filmLabelCamera(const PictureEntry& picture) {
    if (!picture.exif) return "/";
    return formatText("%s/%s", trimmedFieldText(picture.exif->CameraMake).c_str(),
                      trimmedFieldText(picture.exif->CameraModel).c_str());
}

std::string filmLabelTime(const PictureEntry& picture, int timeFormat) {
    const std::string time = timeText(picture.dateTime, timeFormat);
    return picture.clockOffset != 0 ? "~" + time : time;
}

std::string filmLabel(int position, const PictureEntry& picture, int dateFormat, int timeFormat) {
    const std::string date = dateText(picture.dateTime, dateFormat);
    const std::string time = filmLabelTime(picture, timeFormat);
    const bool substituted = picture.exif && picture.exif->dateSubstituted;
    std::string label = filmLabelName(position, picture);
    label += ".";
    label += formatText(substituted ? "**%s*%s**" : "%s %s", date.c_str(), time.c_str());
    label += "\n";
    label += filmLabelCamera(picture);
    return label;
}

}  // namespace lumora
