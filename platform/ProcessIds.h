#pragma once

#include <cstdint>

namespace lumora {

// The number of this process.
int64_t currentProcessId();

// Whether a process of that number is running now (this one included).
bool processIsRunning(int64_t processId);

}  // namespace lumora
