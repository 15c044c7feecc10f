#pragma once

#include <string>

namespace lumora {

// Unfinished copies are named ".lumora-PID-N.part", so that a later run can
// tell the leftovers of an ended process from another run's work.

// A new name of that form in folder (joined with the path separator), for
// this process.
std::string temporaryNameIn(const std::string& folder);

// Each platform says whether a process of a given number has ended (or
// never was); which process this is comes from ProcessIds.h.
bool processHasEnded(long processId);

}  // namespace lumora
