#include "catalog/LeftOutFile.h"

#include <array>
#include <cctype>
#include <string_view>

#include "catalog/NameParts.h"

namespace lumora {
namespace {

constexpr std::array<std::string_view, 3> kOtherJpegExtensions = {"jpeg", "jpe", "jfif"};
// Camera RAW formats, HEIF, PNG, TIFF and the videos cameras and phones write.
constexpr std::array<std::string_view, 33> kOtherPictureExtensions = {
    "cr2", "cr3",  "crw", "nef", "nrw", "arw", "srf", "sr2",  "orf",  "rw2", "raf",
    "pef", "dng",  "srw", "x3f", "3fr", "iiq", "rwl", "heic", "heif", "hif", "png",
    "tif", "tiff", "mov", "mp4", "m4v", "avi", "mts", "m2ts", "3gp",  "mpg", "wmv"};

// Whether the list holds the extension, letter case ignored; no lower-cased
// copy is made, as the scan asks this of every name it passes.
template <size_t N>
bool contains(const std::array<std::string_view, N>& list, std::string_view extension) {
    for (std::string_view entry : list) {
        if (entry.size() != extension.size()) continue;
        size_t i = 0;
        while (i < entry.size() &&
               entry[i] == std::tolower(static_cast<unsigned char>(extension[i]))) {
            ++i;
        }
        if (i == entry.size()) return true;
    }
    return false;
}

}  // namespace

const char* leftOutReasonText(LeftOutReason reason) {
    switch (reason) {
        case LeftOutReason::NoExifBlock:
            return "no EXIF block";
        case LeftOutReason::ExifRefused:
            return "EXIF block refused";
        case LeftOutReason::NoCaptureDate:
            return "no capture date";
        case LeftOutReason::Damaged:
            return "damaged file";
        case LeftOutReason::NameNotTaken:
            return "name not taken";
        case LeftOutReason::NotJpeg:
            return "not a JPEG picture";
    }
    return "";
}

std::optional<LeftOutReason> reasonForUnopenedName(const std::string& name) {
    const std::string_view extension = extensionOf(name);
    if (extension.empty()) return std::nullopt;
    if (contains(kOtherJpegExtensions, extension)) return LeftOutReason::NameNotTaken;
    if (contains(kOtherPictureExtensions, extension)) return LeftOutReason::NotJpeg;
    return std::nullopt;
}

std::string foldedStem(const std::string& name) {
    std::string stem(stemOf(name));
    for (char& c : stem) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return stem;
}

std::string leftOutStatusSuffix(size_t count) {
    if (count == 0) return {};
    return " (" + std::to_string(count) + (count == 1 ? " file" : " files") + " left out)";
}

}  // namespace lumora
