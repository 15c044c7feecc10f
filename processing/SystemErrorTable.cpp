#include "processing/SystemErrorTable.h"

#include <iterator>

namespace lumora {
namespace {

constexpr Buttons kAri = Buttons::AbortRetryIgnore;
constexpr Buttons kRc = Buttons::RetryCancel;

// Codes the platform layer never produces are still listed: the table is the
// whole of what the program can tell the user.
const SystemErrorEntry kRows[] = {
    {2, "The system cannot find the file specified( %s). Continue?",
     "The system cannot find the file specified. Continue?", PathPart::Name, kAri},
    {3, "The system cannot find the path specified( %s). Continue?",
     "The system cannot find the path specified. Continue?", PathPart::Folder, kAri},
    {5, "Access is denied.( %s). Continue?", "Access is denied. Continue?", PathPart::Folder, kAri},
    {8, "Not enough storage is available to process this command. Continue?", nullptr,
     PathPart::None, kAri},
    {14, "Not enough storage is available to complete this operation. Continue?", nullptr,
     PathPart::None, kAri},
    {15, "The system cannot find the drive specified. Continue?", nullptr, PathPart::None, kAri},
    {20, "The system cannot find the drive specified. Continue?", nullptr, PathPart::None, kAri},
    {19, "The media is write protected. Continue?", nullptr, PathPart::None, kAri},
    {21, "The device is not ready. Continue?", nullptr, PathPart::None, kAri},
    {25, "The drive cannot locate a specific area or track on the disk. Continue?", nullptr,
     PathPart::None, kAri},
    {26, "The specified disk or diskette cannot be accessed. Continue?", nullptr, PathPart::None,
     kAri},
    {27, "The drive cannot find the sector requested. Continue?", nullptr, PathPart::None, kAri},
    {29, "The system cannot write to the specified device. Continue?", nullptr, PathPart::None,
     kAri},
    {30, "The system cannot read from the specified device. Continue?", nullptr, PathPart::None,
     kAri},
    {32,
     "The process cannot access the file because it is being used by another process( %s). "
     "Continue?",
     "The process cannot access the file because it is being used by another process. Continue?",
     PathPart::Name, kAri},
    {33,
     "The process cannot access the file because another process has locked a portion of the "
     "file( %s). Continue?",
     "The process cannot access the file because another process has locked a portion of the "
     "file. Continue?",
     PathPart::Name, kAri},
    {39,
     "The disk is full. Please close all other applications while Lumora is processing albums. "
     "Continue?",
     nullptr, PathPart::None, kRc},
    {72, "The specified disk device has been paused. Continue?", nullptr, PathPart::None, kRc},
    // Asked about the target file that exists, whichever call met it.
    {80, "%s already exists! Overwrite?", "File already exists! Overwrite?", PathPart::Name,
     Buttons::YesNoCancel, kApplicationTitle},
    {82, "The file cannot be created. Continue?", nullptr, PathPart::None, kAri},
    // The name stays empty for an empty path; the text is the same.
    {183, "Directory already exists( %s)! Continue?", nullptr, PathPart::Name, Buttons::YesNo,
     kApplicationTitle},
    {206, "The filename or extension is too long. Please redefine album", nullptr, PathPart::None,
     Buttons::Ok},
    {266, "The copy functions cannot be used.", nullptr, PathPart::None, kRc},
    {267, "The directory name is invalid. Please redefine album", nullptr, PathPart::None,
     Buttons::Ok},
    {1785, "The disk media is not recognized. It may not be formatted.", nullptr, PathPart::None,
     kAri},
};

const SystemErrorEntry kUnknown{0, "Unknown error.", nullptr, PathPart::None, kAri};

}  // namespace

const SystemErrorEntry& systemErrorEntry(ErrorCode code) {
    for (const SystemErrorEntry& row : kRows) {
        if (row.code == code) return row;
    }
    return kUnknown;
}

const SystemErrorEntry* systemErrorRows(int& count) {
    count = static_cast<int>(std::size(kRows));
    return kRows;
}

}  // namespace lumora
