#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumora {

// Why a file that looks like a picture is not in the picture list.
enum class LeftOutReason {
    NoExifBlock,    // a JPEG without an APP1 "Exif" section
    ExifRefused,    // an "Exif" section the reader refuses
    NoCaptureDate,  // EXIF without a date and time the picture was taken
    Damaged,        // a .jpg that cannot be opened or is no readable JPEG
    NameNotTaken,   // a JPEG by its name (.jpeg, .jpe, .jfif) that the scan does not take
    NotJpeg,        // RAW, HEIC, PNG, TIFF or a video, which the program does not list
};

// A file the scan saw and did not list, with its reason.
struct LeftOutFile {
    std::string path;
    LeftOutReason reason = LeftOutReason::NoExifBlock;

    bool operator==(const LeftOutFile&) const = default;
};

using LeftOutList = std::vector<LeftOutFile>;

// The few words that name a reason, in the window and on the command line.
const char* leftOutReasonText(LeftOutReason reason);

// The reason a name that the scan does not open is left out, judged by its
// extension alone (letter case ignored); none for a name that does not look
// like a picture or a video at all.
std::optional<LeftOutReason> reasonForUnopenedName(const std::string& name);

// A name without its extension, letters in lower case: two names with the
// same folded stem differ only in their extensions. A RAW or a video beside
// a listed picture of the same stem is its companion, shot with it, and not
// left out unseen.
std::string foldedStem(const std::string& name);

// " (12 files left out)", " (1 file left out)", or "" for none: what the
// status line gets after its own text.
std::string leftOutStatusSuffix(size_t count);

}  // namespace lumora
