#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalog/DirectoryWalk.h"
#include "platform/FileSystem.h"

namespace lumora {

// A run's journal is a text file of records, one a line: tab-separated
// fields (tabs, line ends and backslashes in a field escaped as \t, \n and
// \\), closed by a checksum of the rest of the line. A line without its line
// end or with a wrong checksum is a record torn by a crash and is passed
// over, so a journal is always readable up to its last whole record.

// Below the journal folder (kJournalFolderName), the journals of the runs and the files their
// replaces set aside.
inline constexpr const char* kRunsFolderName = "runs";
inline constexpr const char* kJournalSuffix = ".journal";
// Appended to the name of a file a Yes to "Overwrite?" set aside.
inline constexpr const char* kSetAsideSuffix = ".lumora-old";

std::string encodeRecord(const std::vector<std::string>& fields);
// The fields of one line (without its line end); none when the line is torn.
std::optional<std::vector<std::string>> decodeRecord(const std::string& line);

// The fields of a stamp, and back; false on fields that are no stamp.
void appendStamp(std::vector<std::string>& fields, const FileStamp& stamp);
bool readStamp(const std::vector<std::string>& fields, size_t at, FileStamp& stamp);

}  // namespace lumora
